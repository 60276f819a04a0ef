#pragma once

// The two ways the quiz writes a double for the user.

#include "core/text/number_style.h"

#include <string>
#include <string_view>

namespace quiz {

// Exactly five decimals with the style's separators: the text of a generated value
// (1.519619 gives "1.51962"). A value halfway between two texts rounds away from zero,
// judged on its 15-digit decimal form, so 1.477665 gives "1.47767" as a reader expects,
// whichever side of the half its binary form happens to fall.
std::string fixedFiveText(double value, const NumberStyle& style);

// The same with any number of decimals (0 to 15): the text of a value at its data's precision.
std::string fixedText(double value, int decimals, const NumberStyle& style);

// At most 15 significant digits, trailing zeros dropped, no grouping: the text of the spread
// (0.026000000000000023 gives "0.026"). Exponent notation ("1E-05", "1.5E+20") when the
// decimal exponent lies outside -4..14.
std::string defaultText(double value, const NumberStyle& style);

// A stored catalogue text with its point replaced by the style's separator, digits untouched
// ("1.47" stays "1.47", or becomes "1,47"): both lists then follow one style, so the
// separator alone never tells the real list from the generated one.
std::string storedText(std::string_view stored, const NumberStyle& style);

// fixedText, fixedFiveText and defaultText write infinities and NaN as "inf", "-inf" and "nan".

} // namespace quiz
