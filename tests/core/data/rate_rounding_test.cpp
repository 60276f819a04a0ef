#include "core/data/rate_rounding.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quiz {
namespace {

// Six decimals while the whole part leaves room in a list box, then one fewer per digit.
TEST(RateRounding, ShowsAsManyDecimalsAsTheListHasRoomFor) {
    struct Case {
        const char* what;
        int wholeDigits;
        int decimals;
    };
    const Case cases[] = {
        {"a rate below 1", 1, 6},       {"thousands", 4, 6},           {"tens of thousands", 5, 5},
        {"millions", 7, 3},             {"the whole box", 10, 0},      {"more than the box", 12, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shownDecimals(c.wholeDigits), c.decimals) << c.what;
        EXPECT_LE(c.wholeDigits + shownDecimals(c.wholeDigits), std::max(kListDigits, c.wholeDigits))
            << c.what;
    }
}

TEST(RateRounding, RoundsHalfUpToTheDecimalsAsked) {
    struct Case {
        std::string value;
        int decimals;
        std::optional<std::string> rounded;
    };
    const std::vector<Case> cases = {
        {"0.9108986183789483", 6, "0.910899"},  // what a program writes from a double
        {"0,9108986183789483", 6, "0.910899"},  // with a decimal comma
        {"0.91089861837894", 6, "0.910899"},    // fifteen digits, still too many decimals
        {"1.0999994999999999", 6, "1.099999"},  // below half stays down
        {"1.0999995000000000", 6, "1.100000"},  // half goes up, zeros kept
        {"9.9999999999999999", 6, "10.000000"}, // the carry adds a digit
        {"0.0000123456789012", 6, "0.000012"},
        {"12345.123456789", 5, "12345.12346"},
        {"1234567.8915", 3, "1234567.892"},
        {"1234567890.5", 0, "1234567891"},      // no point left
        {"0.910899", 6, std::nullopt},          // no more decimals than asked
        {"161", 6, std::nullopt},
        {"1234567890.1234567", 6, std::nullopt}, // sixteen digits even rounded
        {"0.0000000123456789", 6, std::nullopt}, // rounds to zero
        {"0.000004", 5, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(roundedRate(c.value, c.decimals), c.rounded) << c.value << " at " << c.decimals;
        if (c.rounded) {
            EXPECT_LE(c.rounded->size(), c.value.size()) << c.value;
        }
    }
}

TEST(RateRounding, CountsTheWholeDigitsAsWritten) {
    EXPECT_EQ(wholeDigitsOf("0.91"), 1);
    EXPECT_EQ(wholeDigitsOf("18606,59"), 5);
    EXPECT_EQ(wholeDigitsOf("161"), 3);
}

} // namespace
} // namespace quiz
