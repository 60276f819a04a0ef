#pragma once

// A share written as a percentage ("12,5 %"), for the windows to put in their sentences.

#include "core/text/number_style.h"

#include <cstdint>
#include <string>

namespace quiz {

// Whether the percentage written stands for a share just beyond it.
enum class ShareBound : std::uint8_t {
    Exact, // rounded to it
    Under, // above 0, yet below the smallest percentage written
    Over,  // below 1, yet above the largest one short of 100
};

struct SharePercent {
    std::string percent;
    ShareBound bound = ShareBound::Exact;
};

// One decimal at most, none when it is zero, with a no-break space before the sign. A share
// that is not exactly 0 or 1 never reads as "0 %" or "100 %": it becomes 0,1 % Under or 99,9 %
// Over. Throws std::invalid_argument for a share outside 0..1 or not a number.
SharePercent sharePercent(double share, const NumberStyle& style);

} // namespace quiz
