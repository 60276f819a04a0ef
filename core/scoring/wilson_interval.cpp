#include "core/scoring/wilson_interval.h"

#include <algorithm>
#include <cmath>

namespace quiz {

ShareInterval wilsonInterval(int right, int answered) {
    constexpr double kZ = 1.959963984540054; // the normal quantile of 97.5 %
    if (answered <= 0) {
        return {};
    }
    const double n = answered;
    const double share = std::clamp(right, 0, answered) / n;
    const double z2 = kZ * kZ;
    const double centre = (share + z2 / (2 * n)) / (1 + z2 / n);
    const double half =
        kZ / (1 + z2 / n) * std::sqrt(share * (1 - share) / n + z2 / (4 * n * n));
    // Rounding can leave an end a hair inside the share itself at 0 or n right.
    return {std::clamp(centre - half, 0.0, share), std::clamp(centre + half, share, 1.0)};
}

} // namespace quiz
