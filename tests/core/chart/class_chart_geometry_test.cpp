#include "core/chart/class_chart_geometry.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quiz;

namespace {

std::array<Tally, kLevelCount> levels(std::vector<std::pair<int, Tally>> played) {
    std::array<Tally, kLevelCount> result{};
    for (const auto& [level, tally] : played) {
        result[static_cast<std::size_t>(level)] = tally;
    }
    return result;
}

} // namespace

TEST(ClassChartGeometry, AxisFromNothingToAllWithTheGuessingLineHalfway) {
    const ClassChartGeometry geometry = classChartGeometry(levels({}), {}, 10);
    EXPECT_EQ(geometry.accuracy.ticks, (std::vector<double>{0.0, 0.25, 0.5, 0.75, 1.0}));
    EXPECT_DOUBLE_EQ(geometry.accuracy.heightFraction(0.0), 0.0);
    EXPECT_DOUBLE_EQ(geometry.accuracy.heightFraction(1.0), 1.0);
    EXPECT_DOUBLE_EQ(geometry.guessing, 0.5);
    EXPECT_TRUE(geometry.levels.empty());
    EXPECT_TRUE(geometry.blocks.empty());
}

TEST(ClassChartGeometry, OneBarPerLevelPlayedWithItsInterval) {
    const struct {
        const char* name;
        std::vector<std::pair<int, Tally>> played;
        std::vector<int> labels;
        std::vector<double> x;
        double width;
        std::vector<double> height, low, high;
    } cases[] = {
        {"one level, all right",
         {{2, {10, 10}}},
         {2},
         {0.5},
         0.6,
         {1.0},
         {0.7225},
         {1.0}},
        {"levels 0, 3 and 4; 1 and 2 unplayed",
         {{0, {20, 20}}, {3, {10, 5}}, {4, {263, 81}}},
         {0, 3, 4},
         {1.0 / 6, 0.5, 5.0 / 6},
         0.2,
         {1.0, 0.5, 81.0 / 263},
         {0.8389, 0.2366, 0.2553},
         {1.0, 0.7634, 0.3662}},
        {"every level",
         {{0, {1, 1}}, {1, {1, 0}}, {2, {2, 1}}, {3, {4, 4}}, {4, {4, 0}}},
         {0, 1, 2, 3, 4},
         {0.1, 0.3, 0.5, 0.7, 0.9},
         0.12,
         {1.0, 0.0, 0.5, 1.0, 0.0},
         {0.2065, 0.0, 0.0945, 0.5101, 0.0},
         {1.0, 0.7935, 0.9055, 1.0, 0.4899}},
    };
    for (const auto& c : cases) {
        const ClassChartGeometry geometry = classChartGeometry(levels(c.played), {}, 10);
        ASSERT_EQ(geometry.levels.size(), c.labels.size()) << c.name;
        for (std::size_t i = 0; i < c.labels.size(); ++i) {
            const ChartMark& bar = geometry.levels[i];
            EXPECT_EQ(bar.label, c.labels[i]) << c.name;
            EXPECT_NEAR(bar.x, c.x[i], 1e-12) << c.name;
            EXPECT_NEAR(bar.width, c.width, 1e-12) << c.name;
            EXPECT_NEAR(bar.height, c.height[i], 1e-12) << c.name;
            EXPECT_NEAR(bar.low, c.low[i], 5e-5) << c.name << " level " << bar.label;
            EXPECT_NEAR(bar.high, c.high[i], 5e-5) << c.name << " level " << bar.label;
            EXPECT_LE(bar.low, bar.height) << c.name;
            EXPECT_GE(bar.high, bar.height) << c.name;
        }
    }
}

TEST(ClassChartGeometry, BlocksInLessonOrderWithFewLabels) {
    const struct {
        const char* name;
        std::vector<Tally> blocks;
        int perBlock;
        std::vector<int> first, last;
        std::vector<double> x, height;
        std::vector<bool> labelled;
    } cases[] = {
        {"two blocks of 20", {{40, 20}, {38, 30}}, 20, {1, 21}, {20, 40}, {0.25, 0.75},
         {0.5, 30.0 / 38}, {true, true}},
        {"an empty block is left out",
         {{10, 5}, {}, {10, 10}},
         10,
         {1, 21},
         {10, 30},
         {0.25, 0.75},
         {0.5, 1.0},
         {true, true}},
        {"seven blocks: every second labelled",
         std::vector<Tally>(7, Tally{10, 7}),
         10,
         {1, 11, 21, 31, 41, 51, 61},
         {10, 20, 30, 40, 50, 60, 70},
         {1.0 / 14, 3.0 / 14, 5.0 / 14, 7.0 / 14, 9.0 / 14, 11.0 / 14, 13.0 / 14},
         std::vector<double>(7, 0.7),
         {true, false, true, false, true, false, true}},
        {"six blocks: all labelled",
         std::vector<Tally>(6, Tally{4, 1}),
         5,
         {1, 6, 11, 16, 21, 26},
         {5, 10, 15, 20, 25, 30},
         {1.0 / 12, 3.0 / 12, 5.0 / 12, 7.0 / 12, 9.0 / 12, 11.0 / 12},
         std::vector<double>(6, 0.25),
         std::vector<bool>(6, true)},
    };
    for (const auto& c : cases) {
        const ClassChartGeometry geometry = classChartGeometry(levels({}), c.blocks, c.perBlock);
        ASSERT_EQ(geometry.blocks.size(), c.first.size()) << c.name;
        for (std::size_t i = 0; i < c.first.size(); ++i) {
            const ChartMark& point = geometry.blocks[i];
            EXPECT_EQ(point.label, c.first[i]) << c.name;
            EXPECT_EQ(point.lastAnswer, c.last[i]) << c.name;
            EXPECT_NEAR(point.x, c.x[i], 1e-12) << c.name;
            EXPECT_DOUBLE_EQ(point.width, 0.0) << c.name;
            EXPECT_NEAR(point.height, c.height[i], 1e-12) << c.name;
            EXPECT_LE(point.low, point.height) << c.name;
            EXPECT_GE(point.high, point.height) << c.name;
            EXPECT_EQ(point.labelled, c.labelled[i]) << c.name << " block " << i;
        }
    }
}
