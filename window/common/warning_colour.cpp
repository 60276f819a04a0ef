#include "window/common/warning_colour.h"

#include <algorithm>
#include <cmath>

namespace quiz {

namespace {

// The relative luminance of sRGB, as WCAG defines it.
double luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

} // namespace

double contrastRatio(const QColor& first, const QColor& second) {
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor warningColour(const QColor& background) {
    constexpr double kReadable = 4.5;
    const QColor dark(0x8b, 0x00, 0x00);
    const QColor light(0xff, 0x9a, 0x9a);
    return contrastRatio(dark, background) >= kReadable ? dark : light;
}

} // namespace quiz
