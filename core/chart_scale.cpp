#include "core/chart_scale.h"

#include "core/catalogue.h"

#include <algorithm>
#include <cmath>

namespace quiz {

namespace {

constexpr double kMargin = 0.05;
constexpr int kTicks = 5;
constexpr int kMostDecimals = 6;

int decimalsFor(double step) {
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step))) + 1, 1, kMostDecimals);
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
    const double step = (scale.high - scale.low) / (kTicks - 1);
    for (int i = 0; i < kTicks; ++i) {
        scale.ticks.push_back(scale.low + i * step);
    }
    scale.tickDecimals = decimalsFor(step);
    return scale;
}

} // namespace quiz
