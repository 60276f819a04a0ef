#include "core/text/share_text.h"

#include <cmath>
#include <stdexcept>

namespace quiz {

namespace {

constexpr double kTenthsPerWhole = 1000.0;
// The smallest share written as a number: below it, under 0.1 %; above its mirror, over 99.9 %.
constexpr int kEdgeTenths = 1;
// A no-break space keeps the sign beside its number when the sentence wraps.
constexpr const char* kPercentSign = "\u00a0%";

std::string tenthsText(long tenths, const NumberStyle& style) {
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) {
        text += style.decimalSeparator + std::to_string(tenths % 10);
    }
    return text + kPercentSign;
}

} // namespace

SharePercent sharePercent(double share, const NumberStyle& style) {
    if (!(share >= 0.0 && share <= 1.0)) {
        throw std::invalid_argument("a share lies between 0 and 1");
    }
    const long whole = static_cast<long>(kTenthsPerWhole);
    if (share > 0.0 && share * kTenthsPerWhole < kEdgeTenths) {
        return {tenthsText(kEdgeTenths, style), ShareBound::Under};
    }
    if (share < 1.0 && share * kTenthsPerWhole > whole - kEdgeTenths) {
        return {tenthsText(whole - kEdgeTenths, style), ShareBound::Over};
    }
    return {tenthsText(std::lround(share * kTenthsPerWhole), style)};
}

} // namespace quiz
