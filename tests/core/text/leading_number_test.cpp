#include "core/text/leading_number.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <string>

using quiz::parseLeadingNumber;

namespace {

struct ParseCase {
    const char* text;
    double expected;

    friend std::ostream& operator<<(std::ostream& out, const ParseCase& c) {
        return out << '"' << c.text << "\" -> " << c.expected;
    }
};

class LeadingNumber : public testing::TestWithParam<ParseCase> {};

} // namespace

TEST_P(LeadingNumber, ReadsTheLongestDecimalPrefix) {
    EXPECT_EQ(parseLeadingNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumber,
    testing::Values(ParseCase{"1.47", 1.47}, ParseCase{"1.47766", 1.47766}, ParseCase{"", 0.0},
                    ParseCase{"   ", 0.0}, ParseCase{"  \t2.5", 2.5},
                    ParseCase{"6.01553 лв.", 6.01553}, ParseCase{"1,5", 1.0},
                    ParseCase{"1.2.3", 1.2}, ParseCase{"1e5", 1.0}, ParseCase{"5.", 5.0},
                    ParseCase{".5", 0.5}, ParseCase{"-.25", -0.25}, ParseCase{"+3", 3.0},
                    ParseCase{"-", 0.0}, ParseCase{".", 0.0}, ParseCase{"+.x", 0.0},
                    ParseCase{"abc", 0.0}, ParseCase{"- 1", 0.0}, ParseCase{"007.50", 7.5}));

TEST(LeadingNumberLimits, OverflowGivesInfinityAndUnderflowZero) {
    const std::string huge(400, '9');
    EXPECT_EQ(parseLeadingNumber(huge), std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseLeadingNumber("-" + huge), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseLeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(LeadingNumberLimits, ReadsOnlyTheViewItIsGiven) {
    const std::string text = "1.4777";
    EXPECT_EQ(parseLeadingNumber(std::string_view(text).substr(0, 4)), 1.47);
}

// The window's application object switches the C library to the user's locale, where
// strtod would stop at the "." of "1.47". The parse must not notice.
TEST(LeadingNumberLocale, IgnoresACommaLocaleOfTheProcess) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    // The name glibc knows, then the one the Windows C runtime knows.
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr &&
        std::setlocale(LC_ALL, "German_Germany.1252") == nullptr) {
        GTEST_SKIP() << "no German locale on this machine";
    }
    ASSERT_EQ(std::strtod("1.47", nullptr), 1.0) << "the locale should have switched strtod";
    const double parsed = parseLeadingNumber("1.47");
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(parsed, 1.47);
}
