// The memo of dealt turns: a place is found only where every part of it is the same, and a full
// memo starts again rather than grow.

#include "core/turns/turn_memo.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quiz;

namespace {

const TurnPlace kKept{.seed = 9090, .taken = 120, .level = 2, .data = "ecb"};

struct PlaceCase {
    const char* name;
    TurnPlace place;
    bool found;
};

} // namespace

TEST(TurnMemo, FindsOnlyTheVeryPlaceKept) {
    TurnMemo memo;
    memo.keep(kKept, {.realSide = 1, .currency = "USD", .takenAfter = 160});
    const std::vector<PlaceCase> cases{
        {"the same place", kKept, true},
        {"another seed", {.seed = 9091, .taken = 120, .level = 2, .data = "ecb"}, false},
        {"another place in the stream", {.seed = 9090, .taken = 121, .level = 2, .data = "ecb"},
         false},
        {"another level", {.seed = 9090, .taken = 120, .level = 3, .data = "ecb"}, false},
        {"another data set", {.seed = 9090, .taken = 120, .level = 2, .data = "catalogue"}, false},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<TurnOutcome> outcome = memo.find(c.place);
        ASSERT_EQ(outcome.has_value(), c.found);
        if (outcome) {
            EXPECT_EQ(outcome->realSide, 1);
            EXPECT_EQ(outcome->currency, "USD");
            EXPECT_EQ(outcome->takenAfter, 160U);
        }
    }
    EXPECT_EQ(memo.found(), 1U);
}

// Full, the memo starts again rather than grow: the newest place is still found.
TEST(TurnMemo, StaysWithinItsBound) {
    TurnMemo memo(2);
    for (std::uint64_t taken = 0; taken < 5; ++taken) {
        memo.keep({.seed = 1, .taken = taken, .level = 2, .data = "ecb"},
                  {.realSide = 1, .currency = "USD", .takenAfter = taken + 90});
        EXPECT_LE(memo.size(), 2U);
    }
    EXPECT_TRUE(memo.find({.seed = 1, .taken = 4, .level = 2, .data = "ecb"}));
    EXPECT_FALSE(memo.find({.seed = 1, .taken = 4, .level = 3, .data = "ecb"}));
}
