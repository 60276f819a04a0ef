#include "core/scoreboard.h"

#include <gtest/gtest.h>

#include <stdexcept>

using quiz::Scoreboard;

TEST(Scoreboard, CountsAnswersAndStreaks) {
    Scoreboard score;
    EXPECT_EQ(score.total().answered, 0);
    EXPECT_EQ(score.bestStreak(), 0);

    // right, right, right, wrong, right
    for (const bool right : {true, true, true, false, true}) {
        score.record(2, right);
    }
    EXPECT_EQ(score.total().answered, 5);
    EXPECT_EQ(score.total().correct, 4);
    EXPECT_EQ(score.currentStreak(), 1); // a wrong answer starts the run again
    EXPECT_EQ(score.bestStreak(), 3);    // but the best one stays
}

TEST(Scoreboard, KeepsEachCurrencyApart) {
    Scoreboard score;
    score.record(1, true);
    score.record(6, false);
    score.record(6, true);
    EXPECT_EQ(score.currency(1).answered, 1);
    EXPECT_EQ(score.currency(1).correct, 1);
    EXPECT_EQ(score.currency(6).answered, 2);
    EXPECT_EQ(score.currency(6).correct, 1);
    EXPECT_EQ(score.currency(3).answered, 0);

    EXPECT_THROW(score.record(7, true), std::out_of_range);
    EXPECT_THROW(score.currency(0), std::out_of_range);
    EXPECT_EQ(score.total().answered, 3); // the rejected answer counted nowhere
}
