// Draws and functions that must give the same numbers on every system for one seed.

#include "core/random/own_draws.h"
#include "core/random/portable_math.h"
#include "tests/support/sequence_random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace quiz;

TEST(PortableMath, AgreesWithTheLibraryToTwelveDigits) {
    for (double x = -7.0; x <= 7.0; x += 0.37) {
        EXPECT_NEAR(portableCos(x), std::cos(x), 1e-12) << x;
        EXPECT_NEAR(portableSin(x), std::sin(x), 1e-12) << x;
    }
    for (const double x : {1e-300, 0x1p-24, 0.5, 1.0, 2.0, 10.0, 1e300}) {
        EXPECT_NEAR(portableLog(x), std::log(x), 1e-12 * std::max(1.0, std::abs(std::log(x)))) << x;
    }
    EXPECT_THROW(portableLog(0.0), std::domain_error);
}

TEST(OwnDraws, IndexCoversEveryPlaceAndNoMore) {
    EXPECT_EQ(indexFrom(0.0F, 42), 0U);
    EXPECT_EQ(indexFrom(0.5F, 42), 21U);
    EXPECT_EQ(indexFrom(1.0F - 0x1p-24F, 42), 41U);
    EXPECT_EQ(indexFrom(1.0F - 0x1p-24F, 150'000), 149'999U);
    EXPECT_THROW(indexFrom(0.5F, 0), std::invalid_argument);
}

TEST(OwnDraws, ShuffleIsFisherYatesFromTheLastPlaceDown) {
    // Each draw of 0 swaps the place with the first one: 1 2 3 4 becomes 2 3 4 1.
    SequenceRandomSource zeros({0.0F, 0.0F, 0.0F});
    std::vector<int> items{1, 2, 3, 4};
    shuffle(items, zeros);
    EXPECT_EQ(items, (std::vector<int>{2, 3, 4, 1}));
    EXPECT_EQ(zeros.drawn(), 3U);
}

TEST(OwnDraws, NormalPairsHaveTheRightMeanAndSpread) {
    SeededRandomSource random(3);
    double sum = 0.0;
    double squares = 0.0;
    constexpr int kPairs = 20'000;
    for (int i = 0; i < kPairs; ++i) {
        const auto [a, b] = normalPair(random);
        sum += a + b;
        squares += a * a + b * b;
    }
    EXPECT_NEAR(sum / (2 * kPairs), 0.0, 0.02);
    EXPECT_NEAR(squares / (2 * kPairs), 1.0, 0.03);
}
