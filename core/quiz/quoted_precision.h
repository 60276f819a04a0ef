#pragma once

// A made-up list quoted as the real one is, so that no digit tells the two apart.

#include <cstdint>
#include <string_view>
#include <vector>

namespace quiz {

// The decimals a source quoted a series at, place by place: the most decimals among a text's
// near neighbours. A source that drops trailing zeros writes one value in ten with a decimal
// fewer, but never all of five neighbours, so what is left is a change in how it quoted
// (a currency written with fewer decimals in some years).
std::vector<int> quotedDecimals(const std::vector<std::string_view>& texts);

// `made` holds whole units of the last of `decimals` places, one value per real text. Where
// the real list was quoted with fewer decimals, a value is rounded, half up, to them (never
// below one unit of that place); where it was quoted with all of them, the values together
// take the very last digits the real ones end in there, each moving as little as it can. A
// source that drops trailing zeros, or quotes on a grid (steps of 5, or quarters rounded: 0, 3,
// 5, 8), then leaves no digit that tells the lists apart.
void quoteAsReal(std::vector<std::int64_t>& made, const std::vector<std::string_view>& realTexts,
                 int decimals);

} // namespace quiz
