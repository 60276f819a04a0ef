#include "core/turns/quoted_precision.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

using namespace quiz;

TEST(QuotedDecimals, FollowTheNeighboursNotAOneOffDroppedZero) {
    struct Case {
        const char* name;
        std::vector<std::string_view> texts;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"a dropped zero", {"1.4523", "1.452", "1.4511", "1.45", "1.4512"}, {4, 4, 4, 4, 4}},
        {"quoted with more decimals from the fifth day",
         {"1.12", "1.13", "1.1", "1.15", "1.16", "1.17", "1.1712", "1.1723"},
         {2, 2, 2, 2, 4, 4, 4, 4}},
        {"whole numbers", {"161", "160", "162"}, {0, 0, 0}},
        {"nothing", {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(quotedDecimals(c.texts), c.expected) << c.name;
    }
}

TEST(QuoteAsReal, LeavesTheMadeUpDigitsAsTheRealOnesEnd) {
    struct Case {
        const char* name;
        std::vector<std::string_view> texts;
        int decimals;
        std::vector<std::int64_t> made;
        std::vector<std::int64_t> expected;
    };
    const Case cases[] = {
        // Rounded to hundreds while quoted at 2 decimals; after that large changes, so every
        // value takes the real last digit, by the shorter way (11725 down to 11723).
        {"coarser quoting, then every digit copied",
         {"1.12", "1.13", "1.1", "1.15", "1.16", "1.17", "1.1712", "1.1723", "1.1734", "1.1745"},
         4,
         {11234, 11349, 11351, 11499, 11550, 11649, 11711, 11725, 11730, 11746},
         {11200, 11300, 11400, 11500, 11550, 11650, 11712, 11723, 11734, 11745}},
        // Steps of a unit or two and even digits: only zeros move, both ways.
        {"small changes, zeros copied both ways",
         {"7.4601", "7.4602", "7.4603", "7.4604", "7.4605", "7.4606", "7.4607", "7.4608", "7.4609",
          "7.461"},
         4,
         {74601, 74610, 74607, 74604, 74605, 74606, 74603, 74608, 74609, 74609},
         {74601, 74612, 74607, 74604, 74605, 74606, 74603, 74608, 74609, 74610}},
        // 74628 must end in 0: up to 74630 would step past 74629 and back, adding 2 to the
        // moves; down to 74620 adds nothing, though it is the longer way.
        {"the way that adds no roughness",
         {"7.4611", "7.4612", "7.462", "7.4623", "7.4624", "7.4625", "7.4626", "7.4627", "7.4628",
          "7.4629"},
         4,
         {74611, 74612, 74628, 74629, 74624, 74625, 74626, 74627, 74628, 74629},
         {74611, 74612, 74620, 74629, 74624, 74625, 74626, 74627, 74628, 74629}},
        {"a grid of fives, small changes",
         {"10.25", "10.3", "10.35", "10.4", "10.45", "10.5", "10.55", "10.6", "10.65", "10.7"},
         2,
         {1026, 1031, 1033, 1042, 1044, 1049, 1056, 1061, 1063, 1072},
         {1025, 1030, 1035, 1040, 1045, 1050, 1055, 1060, 1065, 1070}},
        {"never below one unit of the quoted place",
         {"0.1", "0.2", "0.3", "0.4", "0.5", "0.66"},
         2,
         {3, 24, 26, 44, 51, 63},
         {10, 20, 30, 40, 50, 63}},
    };
    for (const Case& c : cases) {
        std::vector<std::int64_t> made = c.made;
        quoteAsReal(made, c.texts, c.decimals);
        EXPECT_EQ(made, c.expected) << c.name;
    }
}

TEST(QuoteAsReal, WantsOneRealTextPerValue) {
    std::vector<std::int64_t> made{1, 2};
    EXPECT_THROW(quoteAsReal(made, {"0.1"}, 1), std::invalid_argument);
}
