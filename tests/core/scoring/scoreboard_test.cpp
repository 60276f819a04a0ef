#include "core/scoring/scoreboard.h"

#include <gtest/gtest.h>

#include <stdexcept>

using quiz::Scoreboard;

TEST(Scoreboard, CountsAnswersAndStreaks) {
    Scoreboard score;
    EXPECT_EQ(score.total().answered, 0);
    EXPECT_EQ(score.bestStreak(), 0);

    // right, right, right, wrong, right
    for (const bool right : {true, true, true, false, true}) {
        score.record("USD", 0, right);
    }
    EXPECT_EQ(score.total().answered, 5);
    EXPECT_EQ(score.total().correct, 4);
    EXPECT_EQ(score.currentStreak(), 1); // a wrong answer starts the run again
    EXPECT_EQ(score.bestStreak(), 3);    // but the best one stays
}

TEST(Scoreboard, KeepsEachCurrencyAndLevelApart) {
    Scoreboard score;
    score.record("CHF", 0, true);
    score.record("USD", 4, false);
    score.record("CHF", 4, true);
    ASSERT_EQ(score.currencies().size(), 2U);
    EXPECT_EQ(score.currencies()[0].first, "CHF"); // in the order first answered
    EXPECT_EQ(score.currencies()[0].second.answered, 2);
    EXPECT_EQ(score.currencies()[0].second.correct, 2);
    EXPECT_EQ(score.currencies()[1].second.correct, 0);
    EXPECT_EQ(score.level(4).answered, 2);
    EXPECT_EQ(score.level(4).correct, 1);
    EXPECT_EQ(score.level(2).answered, 0);

    EXPECT_THROW(score.record("USD", 5, true), std::out_of_range);
    EXPECT_THROW(score.level(-1), std::out_of_range);
    EXPECT_EQ(score.total().answered, 3); // the rejected answer counted nowhere
}
