#include "core/scoring/wilson_interval.h"

#include <gtest/gtest.h>

using namespace quiz;

TEST(WilsonInterval, MatchesPublishedValues) {
    // Newcombe (1998), Statistics in Medicine 17, table I, method 3; and textbook 0 and 5 of 10.
    const struct {
        int right, answered;
        double low, high;
    } cases[] = {
        {81, 263, 0.2553, 0.3662},
        {15, 148, 0.0624, 0.1605},
        {0, 20, 0.0, 0.1611},
        {1, 29, 0.0061, 0.1718},
        {0, 10, 0.0, 0.2775},
        {5, 10, 0.2366, 0.7634},
        {10, 10, 0.7225, 1.0},
        {1, 1, 0.2065, 1.0},
    };
    for (const auto& c : cases) {
        const ShareInterval interval = wilsonInterval(c.right, c.answered);
        EXPECT_NEAR(interval.low, c.low, 5e-5) << c.right << " of " << c.answered;
        EXPECT_NEAR(interval.high, c.high, 5e-5) << c.right << " of " << c.answered;
    }
}

TEST(WilsonInterval, NothingAnsweredOrCountsOutOfRangeStayWithinZeroAndOne) {
    const struct {
        int right, answered;
        ShareInterval expected;
    } cases[] = {
        {0, 0, {0.0, 1.0}},
        {3, 0, {0.0, 1.0}},
        {0, -2, {0.0, 1.0}},
        {12, 10, wilsonInterval(10, 10)},
        {-1, 10, wilsonInterval(0, 10)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wilsonInterval(c.right, c.answered), c.expected)
            << c.right << " of " << c.answered;
    }
}
