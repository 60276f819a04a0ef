#pragma once

// A value text as a whole number of units of a last decimal place, and back: exact where a
// double is not, so sums of changes land on the real values to the last digit.

#include "core/text/number_style.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quiz {

// Digits after the point of a stored text ("1.47" has 2, "161" none).
int decimalsOf(std::string_view text);

// The text in units of 10^-decimals ("1.47" at 5 decimals is 147000). The text is digits with
// at most one "." and no more decimals than asked; throws std::invalid_argument otherwise or
// when it holds more than 15 significant digits.
std::int64_t toUnits(std::string_view text, int decimals);

// Units written with exactly `decimals` digits after the style's separator, never grouped:
// both lists of a turn are written alike, so nothing but the numbers can tell them apart.
std::string unitsText(std::int64_t units, int decimals, const NumberStyle& style);

} // namespace quiz
