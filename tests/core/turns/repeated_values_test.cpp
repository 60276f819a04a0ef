#include "core/turns/repeated_values.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace quiz;

namespace {

using Units = std::vector<std::int64_t>;

// Every place quoted with all its decimals, only zeros kept alike, or every digit kept.
QuotedForm formOf(std::size_t size, bool everyDigit) {
    return QuotedForm(std::vector<std::int64_t>(size, 1), everyDigit);
}

} // namespace

TEST(Repeats, CountValuesWrittenAgainAndEqualNeighbours) {
    EXPECT_EQ(repeatsOf({5, 5, 5, 7, 5, 8, 7}), (Repeats{.writtenTwice = 4, .equalNeighbours = 2}));
    EXPECT_EQ(repeatsOf({}), Repeats{});
}

TEST(RepeatAsReal, MendsBothCountsByTheCheapestMoves) {
    struct Case {
        const char* name;
        Units made;
        Units real;
        bool everyDigit;
        Units expected;
    };
    const Case cases[] = {
        // 122 joins 131, between its neighbours, so the moves still add up to as much; 131
        // joining 122 would add 18.
        {"a value written twice", {100, 122, 150, 131, 164, 190}, {1, 3, 1, 4, 5, 9}, false,
         {100, 131, 150, 131, 164, 190}},
        {"equal neighbours", {100, 122, 124, 150, 170}, {1, 2, 2, 5, 7}, false,
         {100, 124, 124, 150, 170}},
        {"a repeat too many", {100, 122, 150, 122, 164}, {1, 2, 3, 4, 5}, false,
         {100, 122, 150, 123, 164}},
        {"an equal neighbour too many", {100, 122, 122, 150, 170}, {1, 2, 3, 4, 5}, false,
         {100, 122, 123, 150, 170}},
        // Last digits copied from the real list must stay: no two values here end alike.
        {"every digit kept", {100, 122, 153, 131, 164, 197}, {1, 3, 1, 4, 5, 9}, true,
         {100, 122, 153, 131, 164, 197}},
        {"every digit kept, a join of like digits", {100, 121, 150, 131, 164, 190},
         {1, 3, 1, 4, 5, 9}, true, {100, 131, 150, 131, 164, 190}},
        {"the ends never move", {100, 150, 101}, {1, 2, 1}, false, {100, 150, 101}},
    };
    for (const Case& c : cases) {
        Units made = c.made;
        repeatAsReal(made, c.real, formOf(made.size(), c.everyDigit));
        EXPECT_EQ(made, c.expected) << c.name;
    }
}
