#include "core/chart/chart_scale.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quiz;

namespace {

Turn turnBetween(double low, double high) {
    Turn turn;
    turn.values[0] = {low, high};
    turn.values[1] = {(low + high) / 2};
    turn.band = Band{.low = low, .high = low};
    return turn;
}

} // namespace

TEST(ChartScale, ShowsEverythingWithAMarginAndRoundTicks) {
    const struct {
        double low, high;
        double bottom, top;
        std::vector<double> ticks;
        int decimals;
    } cases[] = {
        {1.44299, 1.48495, 1.440892, 1.487048, {1.45, 1.46, 1.47, 1.48}, 2},
        {6.01553, 6.60642, 5.9859855, 6.6359645, {6.0, 6.1, 6.2, 6.3, 6.4, 6.5, 6.6}, 1},
        {18100.0, 18600.0, 18075.0, 18625.0, {18100, 18200, 18300, 18400, 18500, 18600}, 0},
        {0.70001,
         0.70002,
         0.7000095,
         0.7000205,
         {0.70001, 0.700012, 0.700014, 0.700016, 0.700018, 0.70002},
         6},
        {1.2e11,
         1.23e11,
         1.1985e11,
         1.2315e11,
         {1.2e11, 1.205e11, 1.21e11, 1.215e11, 1.22e11, 1.225e11, 1.23e11},
         0},
    };
    for (const auto& c : cases) {
        const ChartScale scale = chartScale(turnBetween(c.low, c.high));
        EXPECT_NEAR(scale.low, c.bottom, 1e-9 * c.high) << c.low;
        EXPECT_NEAR(scale.high, c.top, 1e-9 * c.high) << c.low;
        EXPECT_EQ(scale.tickDecimals, c.decimals) << c.low;
        ASSERT_EQ(scale.ticks.size(), c.ticks.size()) << c.low;
        for (std::size_t i = 0; i < c.ticks.size(); ++i) {
            EXPECT_NEAR(scale.ticks[i], c.ticks[i], 1e-9 * c.high) << c.low;
        }
        EXPECT_DOUBLE_EQ(scale.heightFraction(scale.low), 0.0);
        EXPECT_NEAR(scale.heightFraction((c.low + c.high) / 2), 0.5, 1e-9);
    }
}

TEST(ChartScale, TheBandCountsAndAFlatPictureStillHasAHeight) {
    Turn banded = turnBetween(1.0, 2.0);
    banded.band = Band{.low = 1.0, .high = 3.0};
    EXPECT_DOUBLE_EQ(chartScale(banded).high, 3.1);

    const ChartScale flat = chartScale(turnBetween(5.0, 5.0));
    EXPECT_LT(flat.low, 5.0);
    EXPECT_GT(flat.high, 5.0);
    EXPECT_DOUBLE_EQ(flat.heightFraction(5.0), 0.5);
}

TEST(ChartScale, PositionsSpanTheWidth) {
    EXPECT_DOUBLE_EQ(ChartScale::widthFraction(0), 0.0);
    EXPECT_DOUBLE_EQ(ChartScale::widthFraction(21), 0.5);
    EXPECT_DOUBLE_EQ(ChartScale::widthFraction(42), 1.0);
}
