#include "core/chart/chart_scale.h"

#include "core/data/catalogue.h"

#include <algorithm>
#include <cmath>

namespace quiz {

namespace {

constexpr double kMargin = 0.05;
constexpr double kTickIntervals = 5; // about as many steps between ticks as fit the range

struct TickStep {
    double size = 1.0;
    int decimals = 0; // all that a tick at this step has
};

// 1, 2 or 5 times a power of ten, nearest a fifth of the range: ticks read as round numbers,
// three to eight of them, whatever the size of the values.
TickStep tickStep(double range) {
    const double raw = range / kTickIntervals;
    int exponent = static_cast<int>(std::floor(std::log10(raw)));
    const double fraction = raw / std::pow(10.0, exponent);
    int mantissa = fraction < 1.5 ? 1 : fraction < 3 ? 2 : fraction < 7 ? 5 : 10;
    if (mantissa == 10) {
        mantissa = 1;
        ++exponent;
    }
    return {mantissa * std::pow(10.0, exponent), std::max(0, -exponent)};
}

} // namespace

double ChartScale::widthFraction(int position) {
    return static_cast<double>(position) / (kValueCount - 1);
}

ChartScale chartScale(const Turn& turn) {
    std::vector<double> shown;
    for (const auto& values : turn.values) {
        shown.insert(shown.end(), values.begin(), values.end());
    }
    if (turn.band) {
        shown.push_back(turn.band->low);
        shown.push_back(turn.band->high);
    }
    if (shown.empty()) {
        shown.push_back(0.0);
    }
    const auto [smallest, largest] = std::minmax_element(shown.begin(), shown.end());
    const double low = *smallest;
    const double high = *largest;
    // A flat picture still needs a height to divide by.
    const double margin =
        high > low ? (high - low) * kMargin : std::max(std::abs(low), 1.0) * kMargin;

    ChartScale scale;
    scale.low = low - margin;
    scale.high = high + margin;
    const TickStep step = tickStep(scale.high - scale.low);
    for (double k = std::ceil(scale.low / step.size); k * step.size <= scale.high; ++k) {
        scale.ticks.push_back(k * step.size);
    }
    scale.tickDecimals = step.decimals;
    return scale;
}

} // namespace quiz
