#include "core/chart/class_chart_geometry.h"

#include "core/scoring/wilson_interval.h"

namespace quiz {

namespace {

constexpr double kGuessing = 0.5; // two lists, one of them real
constexpr double kBarShare = 0.6; // of a bar's slot: the rest is the gap between bars
constexpr int kMostBlockLabels = 6;
constexpr std::array kAccuracyTicks{0.0, 0.25, 0.5, 0.75, 1.0};

ChartScale accuracyScale() {
    ChartScale scale;
    scale.low = 0.0;
    scale.high = 1.0;
    scale.ticks.assign(kAccuracyTicks.begin(), kAccuracyTicks.end());
    scale.tickDecimals = 0;
    return scale;
}

ChartMark mark(const Tally& tally, const ChartScale& scale) {
    const ShareInterval interval = wilsonInterval(tally.correct, tally.answered);
    ChartMark result;
    result.answered = tally.answered;
    result.right = tally.correct;
    result.height = scale.heightFraction(static_cast<double>(tally.correct) / tally.answered);
    result.low = scale.heightFraction(interval.low);
    result.high = scale.heightFraction(interval.high);
    return result;
}

// Marks spread evenly over the panel, each in the middle of its slot.
void place(std::vector<ChartMark>& marks, double widthShare) {
    const double slot = 1.0 / static_cast<double>(marks.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        marks[i].x = (static_cast<double>(i) + 0.5) * slot;
        marks[i].width = widthShare * slot;
    }
}

} // namespace

ClassChartGeometry classChartGeometry(const std::array<Tally, kLevelCount>& levels,
                                      const std::vector<Tally>& blocks, int answersPerBlock) {
    ClassChartGeometry geometry;
    geometry.accuracy = accuracyScale();
    geometry.guessing = geometry.accuracy.heightFraction(kGuessing);
    for (int level = 0; level < kLevelCount; ++level) {
        const Tally& tally = levels[static_cast<std::size_t>(level)];
        if (tally.answered > 0) {
            ChartMark bar = mark(tally, geometry.accuracy);
            bar.label = level;
            bar.lastAnswer = level;
            geometry.levels.push_back(bar);
        }
    }
    place(geometry.levels, kBarShare);

    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].answered > 0) {
            ChartMark point = mark(blocks[i], geometry.accuracy);
            point.label = static_cast<int>(i) * answersPerBlock + 1;
            point.lastAnswer = static_cast<int>(i + 1) * answersPerBlock;
            geometry.blocks.push_back(point);
        }
    }
    place(geometry.blocks, 0.0);
    // Every n-th block labelled, from the first, so that at most a few labels share the axis.
    const std::size_t step = (geometry.blocks.size() + kMostBlockLabels - 1) / kMostBlockLabels;
    for (std::size_t i = 0; i < geometry.blocks.size(); ++i) {
        geometry.blocks[i].labelled = i % step == 0;
    }
    return geometry;
}

} // namespace quiz
