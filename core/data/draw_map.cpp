#include "core/data/draw_map.h"

#include "core/data/catalogue.h"
#include "core/random/rounding.h"

#include <stdexcept>

namespace quiz {

namespace {

constexpr double kPercent = 100.0;

// The product is formed in double from the float r, never rounded to float first.
std::int32_t scaled(float r, double factor) {
    return roundHalfEven(static_cast<double>(r) * factor);
}

} // namespace

std::int16_t currencyNoFrom(float r) {
    return static_cast<std::int16_t>(scaled(r, kPercent) % kSeriesCount + 1);
}

int sideFrom(float r) {
    return scaled(r, kPercent) % 2;
}

std::int64_t offsetFrom(float r, std::int64_t offsetRange) {
    if (offsetRange < 1) {
        throw std::invalid_argument("offset range must be at least 1");
    }
    if (static_cast<double>(offsetRange) > kOffsetScale) {
        return static_cast<std::int64_t>(static_cast<double>(r) * static_cast<double>(offsetRange));
    }
    return scaled(r, kOffsetScale) % offsetRange;
}

} // namespace quiz
