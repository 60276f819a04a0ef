#include "core/turns/borrowed_moves.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <vector>

using namespace quiz;

namespace {

using Units = std::vector<std::int64_t>;

std::int64_t sumOfSteps(const Units& values) {
    std::int64_t sum = 0;
    for (std::size_t i = 1; i < values.size(); ++i) {
        sum += std::abs(values[i] - values[i - 1]);
    }
    return sum;
}

} // namespace

TEST(BorrowedMoves, FollowAnotherWindowInProportionSizedAsTheRealMoves) {
    struct Case {
        const char* name;
        OtherWindow other;
        Units expected;
    };
    const Units real{1000, 1040, 1000, 1040}; // moves adding up to 120
    const Case cases[] = {
        // 2.0 → 2.2 → 2.1 → 2.4: +10 %, -5 %, +15 % of 1000, 300 in all, scaled by 0.4.
        {"units per unit", {.texts = {"2.0", "2.2", "2.1", "2.4"}, .upsideDown = false},
         {1000, 1040, 1020, 1080}},
        // Upside down, 2 / 2.2 = 0.909…: the same days seen from the other currency.
        {"upside down", {.texts = {"2.0", "2.2", "2.1", "2.4"}, .upsideDown = true},
         {1000, 957, 977, 921}},
    };
    for (const Case& c : cases) {
        const BorrowedMoves moves = borrowedMoves(real, c.other);
        EXPECT_EQ(moves.units, c.expected) << c.name;
        EXPECT_NEAR(static_cast<double>(sumOfSteps(moves.units)), 120.0, 2.0) << c.name;
    }
    EXPECT_THROW(borrowedMoves(real, {.texts = {"2", "2", "2", "2"}, .upsideDown = false}),
                 std::invalid_argument);
    EXPECT_THROW(borrowedMoves(real, {.texts = {"2", "3"}, .upsideDown = false}),
                 std::invalid_argument);
}

TEST(BorrowedMoves, DriftToTheWantedEndAndSizeTheLargestMove) {
    const Units made{1000, 1100, 1050, 1200, 1300, 1250, 1400}; // 600 of moves, ends +400
    const Units drifted = withDrift(made, -0.25);
    EXPECT_NEAR(static_cast<double>(drifted.back() - drifted.front()), -150.0, 1.0);
    EXPECT_NEAR(static_cast<double>(sumOfSteps(drifted)), 600.0, 3.0);

    // The largest move, 150, made a third of 600; the others shrink to keep the sum.
    const Units sized = withLargestShare(made, 1.0 / 3.0);
    EXPECT_EQ(sized, (Units{1000, 1089, 1044, 1244, 1333, 1289, 1422}));
    // Never below the next largest: 150 stays, being as large as the next.
    EXPECT_EQ(withLargestShare(made, 0.1), made);
}
