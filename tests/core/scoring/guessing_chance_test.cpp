#include "core/scoring/guessing_chance.h"

#include "core/random/random_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

using quiz::beatGuessingTogether;
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

// Holm's steps: the smallest chance against 5 % / m, the next against 5 % / (m - 1), and so
// on, stopping at the first that fails.
TEST(BeatGuessingTogether, StepsDownFromTheSmallestChance) {
    struct Case {
        const char* rule;
        std::vector<double> chances;
        std::vector<bool> beaten;
    };
    const std::vector<Case> cases{
        {"nobody tested", {}, {}},
        {"one alone is tested at 5 %", {0.05}, {true}},
        {"one alone above it", {0.051}, {false}},
        {"two: 5 / 2 % for the first", {0.03125, 0.5}, {false, false}},
        {"two: both pass their steps", {0.02, 0.04}, {true, true}},
        {"the second step is 5 %, not 2.5 %", {0.04, 0.01}, {true, true}},
        // 0.022 would pass the third step, 5 / 2 %, but the first, 5 / 4 %, fails already.
        {"the first failure stops the rest", {0.02, 0.021, 0.022, 0.5}, {false, false, false, false}},
        {"later ones pass smaller steps", {0.011, 0.012, 0.013, 0.5}, {true, true, true, false}},
        {"in the order given", {0.5, 0.001, 0.015, 0.03}, {false, true, true, false}},
        {"ties share a step", {0.02, 0.02}, {true, true}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(beatGuessingTogether(c.chances), c.beaten) << c.rule;
    }
}

namespace {

// Of `classes` classes of `pupils` pure guessers with `answers` answers each, the share in
// which anyone is said to beat guessing: together, or each on their own.
struct FalseAlarms {
    double together = 0.0;
    double alone = 0.0;
};

FalseAlarms falseAlarms(quiz::RandomSource& random, int classes, int pupils, int answers) {
    int together = 0;
    int alone = 0;
    std::vector<double> chances(static_cast<std::size_t>(pupils));
    for (int lesson = 0; lesson < classes; ++lesson) {
        for (double& chance : chances) {
            int right = 0;
            for (int answer = 0; answer < answers; ++answer) {
                right += random.next() < 0.5F ? 1 : 0;
            }
            chance = guessingChance(right, answers);
        }
        const std::vector<bool> beaten = beatGuessingTogether(chances);
        together += std::find(beaten.begin(), beaten.end(), true) != beaten.end() ? 1 : 0;
        alone += std::any_of(chances.begin(), chances.end(), beatsGuessing) ? 1 : 0;
    }
    return {static_cast<double>(together) / classes, static_cast<double>(alone) / classes};
}

} // namespace

// 10,000 simulated classes of guessers: each pupil tested alone at 5 %, about half the classes
// would show someone beating guessing (25 x 8: 59 %, 25 x 20: 41 %); tested together, at most
// one class in twenty does (0 %, 3.0 %; 5 x 8: 1.8 %, 30 x 40: 3.4 %).
TEST(BeatGuessingTogether, ClassesOfGuessersSeldomShowAnyoneBeatingGuessing) {
    constexpr int kClasses = 10000;
    constexpr double kFalseAlarmRate = 0.05;
    struct Case {
        int pupils;
        int answers;
        double aloneAtLeast; // each tested alone: the fault corrected, as simulated
    };
    for (const Case c : {Case{25, 8, 0.5}, Case{25, 20, 0.3}, Case{5, 8, 0.1}, Case{30, 40, 0.5}}) {
        quiz::SeededRandomSource random(static_cast<std::uint32_t>(1000 * c.pupils + c.answers));
        const FalseAlarms rate = falseAlarms(random, kClasses, c.pupils, c.answers);
        EXPECT_LE(rate.together, kFalseAlarmRate) << c.pupils << " x " << c.answers;
        EXPECT_GE(rate.alone, c.aloneAtLeast) << c.pupils << " x " << c.answers;
    }
}
