#include "core/random/own_draws.h"

#include "core/random/portable_math.h"

#include <cmath>
#include <stdexcept>

namespace quiz {

std::size_t indexFrom(float r, std::size_t count) {
    if (count == 0) {
        throw std::invalid_argument("cannot draw from nothing");
    }
    const auto index =
        static_cast<std::size_t>(static_cast<double>(r) * static_cast<double>(count));
    return index < count ? index : count - 1;
}

std::pair<double, double> normalPair(RandomSource& random) {
    // 1 - r lies in (0, 1], so the logarithm is always defined.
    const double radius = std::sqrt(-2.0 * portableLog(1.0 - static_cast<double>(random.next())));
    const double angle = 2.0 * kPi * static_cast<double>(random.next());
    return {radius * portableCos(angle), radius * portableSin(angle)};
}

} // namespace quiz
