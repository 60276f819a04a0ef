#include "core/chart_scale.h"

#include <gtest/gtest.h>

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

TEST(ChartScale, ShowsEverythingWithAMarginAndTicksThatReadApart) {
    const struct {
        double low, high;
        double bottom, top;
        int decimals;
    } cases[] = {
        {1.44299, 1.48495, 1.440892, 1.487048, 3},
        {6.01553, 6.60642, 5.9859855, 6.6359645, 2},
        {18100.0, 18600.0, 18075.0, 18625.0, 1},     // never fewer than one decimal
        {0.70001, 0.70002, 0.7000095, 0.7000205, 6}, // never more than six
    };
    for (const auto& c : cases) {
        const ChartScale scale = chartScale(turnBetween(c.low, c.high));
        EXPECT_NEAR(scale.low, c.bottom, 1e-9) << c.low;
        EXPECT_NEAR(scale.high, c.top, 1e-9) << c.low;
        EXPECT_EQ(scale.tickDecimals, c.decimals) << c.low;
        ASSERT_EQ(scale.ticks.size(), 5U);
        EXPECT_DOUBLE_EQ(scale.ticks.front(), scale.low);
        EXPECT_DOUBLE_EQ(scale.ticks.back(), scale.high);
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
