#pragma once

// Rounding a rate written at full double precision to what a rate table quotes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quiz {

// More digits than a double keeps would not survive the quiz's arithmetic.
inline constexpr std::size_t kMaxRateDigits = 15;
// As many decimals as the lists show without clipping.
inline constexpr int kRoundedDecimals = 6;

// `value` (digits with one "." or "," between two of them, more than kMaxRateDigits digits in
// all) rounded half up to kRoundedDecimals decimals, written with "."; null when it has no
// more decimals than that, keeps more than kMaxRateDigits digits or rounds to zero. Never
// longer than `value`, so it can be written over it.
std::optional<std::string> roundedRate(std::string_view value);

} // namespace quiz
