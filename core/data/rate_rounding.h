#pragma once

// How many decimals a file's rates are shown at, and rounding a rate to them.

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quiz {

// More digits than a double keeps would not survive the quiz's arithmetic.
inline constexpr std::size_t kMaxRateDigits = 15;
// The most decimals a list shows: a rate table quotes no more.
inline constexpr int kMostShownDecimals = 6;
// Digits a list box shows whole beside one decimal separator, at the quiz's font in the
// narrower of its two boxes (the start-up test with a full-precision file holds the box to it).
inline constexpr int kListDigits = 10;

// The decimals a run of values is shown at whose longest whole part has `wholeDigits` digits:
// kMostShownDecimals, fewer where the digits would not fit kListDigits, none where the whole
// part fills it.
int shownDecimals(int wholeDigits);

// Where the decimal separator ("." or ",") stands, or npos. A loop inline rather than
// find_first_of, which calls memchr once for every character: a rate is a few characters
// long, and every value of a file passes here.
inline std::size_t decimalSeparatorAt(std::string_view value) {
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '.' || value[i] == ',') {
            return i;
        }
    }
    return std::string_view::npos;
}

// Digits before the decimal separator, leading zeros counted as written.
inline int wholeDigitsOf(std::string_view value) {
    return static_cast<int>(std::min(decimalSeparatorAt(value), value.size()));
}

// `value` (digits with one "." or "," between two of them) rounded half up to `decimals`,
// written with "."; null when it has no more decimals than that, keeps more than
// kMaxRateDigits digits or rounds to zero. Never longer than `value`, so it can be written
// over it.
std::optional<std::string> roundedRate(std::string_view value, int decimals);

} // namespace quiz
