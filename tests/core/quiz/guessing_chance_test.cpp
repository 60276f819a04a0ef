#include "core/quiz/guessing_chance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using quiz::beatsGuessing;
using quiz::guessingChance;

// Expected values are exact sums of C(n, i) / 2^n, worked out with whole numbers.
TEST(GuessingChance, MatchesHandComputedTails) {
    struct Case {
        int correct;
        int answered;
        double chance;
    };
    for (const Case c :
         {Case{3, 3, 0.125}, Case{0, 0, 1.0}, Case{0, 5, 1.0}, Case{1, 1, 0.5}, Case{5, 5, 0.03125},
          Case{7, 10, 0.171875}, Case{60, 100, 0.028443966820490395},
          Case{5000, 10000, 0.5039893230696911}}) {
        EXPECT_NEAR(guessingChance(c.correct, c.answered), c.chance, c.chance * 1e-10)
            << c.correct << " of " << c.answered;
    }
}

// Thousands of turns: every tail stays a probability, and a better score is never likelier.
TEST(GuessingChance, StaysFiniteAndFallsAsTheScoreRises) {
    constexpr int answered = 20000;
    double previous = 1.0;
    for (int correct = 0; correct <= answered; ++correct) {
        const double chance = guessingChance(correct, answered);
        ASSERT_TRUE(std::isfinite(chance)) << correct;
        ASSERT_GE(chance, 0.0) << correct;
        ASSERT_LE(chance, previous) << correct;
        previous = chance;
    }
    EXPECT_EQ(guessingChance(0, answered), 1.0);
    EXPECT_EQ(guessingChance(answered, answered), 0.0); // 2^-20000 is below any double
}

TEST(GuessingChance, RejectsImpossibleCounts) {
    EXPECT_THROW(guessingChance(4, 3), std::invalid_argument);
    EXPECT_THROW(guessingChance(-1, 3), std::invalid_argument);
}

TEST(GuessingChance, BeatsGuessingAtFivePercentOrLess) {
    EXPECT_FALSE(beatsGuessing(guessingChance(4, 4))); // 6.25 %
    EXPECT_TRUE(beatsGuessing(guessingChance(5, 5)));  // 3.125 %
    EXPECT_TRUE(beatsGuessing(0.05));
    EXPECT_FALSE(beatsGuessing(0.0500001));
}
