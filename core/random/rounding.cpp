#include "core/random/rounding.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace quiz {

std::int32_t roundHalfEven(double x) {
    if (!std::isfinite(x)) {
        throw std::range_error("cannot round a value that is not finite");
    }
    // Written out rather than std::nearbyint, which obeys the global floating-point rounding mode.
    const double below = std::floor(x);
    const double fraction = x - below; // exact for every double
    const bool belowIsOdd = std::fmod(below, 2.0) != 0.0;
    const double whole = (fraction > 0.5 || (fraction == 0.5 && belowIsOdd)) ? below + 1.0 : below;

    if (whole < std::numeric_limits<std::int32_t>::min() ||
        whole > std::numeric_limits<std::int32_t>::max()) {
        throw std::range_error("rounded value does not fit a 32-bit whole number");
    }
    return static_cast<std::int32_t>(whole);
}

} // namespace quiz
