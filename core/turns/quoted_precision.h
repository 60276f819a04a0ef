#pragma once

// A made-up list quoted as the real one is, so that no digit tells the two apart.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quiz {

// The decimals a source quoted a series at, place by place: the most decimals among a text's
// near neighbours. A source that drops trailing zeros writes one value in ten with a decimal
// fewer, but never all of five neighbours, so what is left is a change in how it quoted
// (a currency written with fewer decimals in some years).
std::vector<int> quotedDecimals(const std::vector<std::string_view>& texts);

// What quoting asked of each place of a made-up list, so that a later move keeps it.
class QuotedForm {
public:
    QuotedForm() = default;
    // `roundedTo` holds the unit each place was rounded to (1 where quoted with every decimal).
    QuotedForm(std::vector<std::int64_t> roundedTo, bool everyDigit);

    // Whether `to` is quoted at `place` as `from` was: positive, as short, and ending in the
    // same digit where every digit was copied or, elsewhere, in 0 alike.
    bool keeps(std::size_t place, std::int64_t from, std::int64_t to) const;
    // The smallest move at `place` that can keep it so.
    std::int64_t step(std::size_t place) const;

private:
    std::vector<std::int64_t> roundedTo_;
    bool everyDigit_ = false;
};

// `made` holds whole units of the last of `decimals` places, one value per real text. Where
// the real list was quoted with fewer decimals, a value is rounded, half up, to them (never
// below one unit of that place); where it was quoted with all of them, the values together
// take the very last digits the real ones end in there, each moving as little as it can. A
// source that drops trailing zeros, or quotes on a grid (steps of 5, or quarters rounded: 0, 3,
// 5, 8), then leaves no digit that tells the lists apart.
// Returns the form it gave the list.
QuotedForm quoteAsReal(std::vector<std::int64_t>& made,
                       const std::vector<std::string_view>& realTexts, int decimals);

} // namespace quiz
