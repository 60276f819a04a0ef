#include "core/random/rounding.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

using quiz::roundHalfEven;

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(0.125 * 100), 12);
    EXPECT_EQ(roundHalfEven(13.5), 14);
    EXPECT_EQ(roundHalfEven(99.5), 100);
    EXPECT_EQ(roundHalfEven(999'999.5), 1'000'000);
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
}

TEST(RoundHalfEven, OtherValuesGoToTheNearest) {
    EXPECT_EQ(roundHalfEven(12.500000001), 13);
    EXPECT_EQ(roundHalfEven(12.499999999), 12);
    EXPECT_EQ(roundHalfEven(41959.99999999), 41960);
    EXPECT_EQ(roundHalfEven(-3.7), -4);
    EXPECT_EQ(roundHalfEven(0.0), 0);
}

TEST(RoundHalfEven, RefusesWhatNoWholeNumberCanHold) {
    EXPECT_EQ(roundHalfEven(2147483647.4), 2147483647);
    EXPECT_EQ(roundHalfEven(-2147483648.5), -2147483648);
    EXPECT_THROW(roundHalfEven(2147483647.5), std::range_error);
    EXPECT_THROW(roundHalfEven(1e300), std::range_error);
    EXPECT_THROW(roundHalfEven(std::numeric_limits<double>::quiet_NaN()), std::range_error);
    EXPECT_THROW(roundHalfEven(-std::numeric_limits<double>::infinity()), std::range_error);
}
