#pragma once

// A share written as a percentage for a Bulgarian sentence ("12,5 %").

#include "core/text/number_style.h"

#include <string>

namespace quiz {

// One decimal at most, none when it is zero, with a no-break space before the sign. A share
// that is not exactly 0 or 1 never reads as "0 %" or "100 %": it becomes "под 0,1 %" or
// "над 99,9 %". Throws std::invalid_argument for a share outside 0..1 or not a number.
std::string shareText(double share, const NumberStyle& style);

} // namespace quiz
