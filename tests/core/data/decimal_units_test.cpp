#include "core/data/decimal_units.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace quiz;

TEST(DecimalUnits, ReadsStoredTextsExactlyAndWritesThemPadded) {
    const NumberStyle comma{.decimalSeparator = ",", .groupSeparator = ".", .groupSize = 3};
    const struct {
        const char* text;
        int decimals;
        std::int64_t units;
        const char* padded;
    } cases[] = {
        {"1.47", 5, 147000, "1,47000"},
        {"1.47766", 5, 147766, "1,47766"},
        {"161", 2, 16100, "161,00"}, // never grouped, even past a thousand
        {"18606.59", 2, 1860659, "18606,59"},
        {"0.0042", 4, 42, "0,0042"},
        {"7", 0, 7, "7"},
        {"123456789012345", 0, 123456789012345, "123456789012345"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toUnits(c.text, c.decimals), c.units) << c.text;
        EXPECT_EQ(unitsText(c.units, c.decimals, comma), c.padded) << c.text;
    }
    EXPECT_EQ(unitsText(-5, 2, NumberStyle{}), "-0.05");
}

TEST(DecimalUnits, RefusesWhatItCannotHoldExactly) {
    for (const auto& [text, decimals] : {std::pair{"1.4776", 2},
                                         {"1.2.3", 3},
                                         {"1e5", 0},
                                         {"", 0},
                                         {"-1", 0},
                                         {"1234567890123456", 0},
                                         {"123456789012345", 1},
                                         {"99999999999999999999999", 0}}) {
        EXPECT_THROW(toUnits(text, decimals), std::invalid_argument) << text;
    }
    EXPECT_EQ(decimalsOf("1.47766"), 5);
    EXPECT_EQ(decimalsOf("161"), 0);
}
