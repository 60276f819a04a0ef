#include "core/text/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

using namespace quiz;

namespace {

const NumberStyle kPoint{};
const NumberStyle kComma{.decimalSeparator = ",", .groupSeparator = ".", .groupSize = 3};
// Bulgarian: comma for decimals, a no-break space between groups.
const NumberStyle kBulgarian{.decimalSeparator = ",", .groupSeparator = "\u00A0", .groupSize = 3};

struct TextCase {
    double value;
    const char* point;
    const char* comma;

    friend std::ostream& operator<<(std::ostream& out, const TextCase& c) {
        return out << c.point << " / " << c.comma;
    }
};

class FixedFive : public testing::TestWithParam<TextCase> {};
class DefaultText : public testing::TestWithParam<TextCase> {};

} // namespace

TEST_P(FixedFive, WritesExactlyFiveDecimals) {
    EXPECT_EQ(fixedFiveText(GetParam().value, kPoint), GetParam().point);
    EXPECT_EQ(fixedFiveText(GetParam().value, kComma), GetParam().comma);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FixedFive,
    testing::Values(TextCase{1.5, "1.50000", "1,50000"}, TextCase{1.519619, "1.51962", "1,51962"},
                    TextCase{1.47, "1.47000", "1,47000"}, TextCase{1.58791, "1.58791", "1,58791"},
                    TextCase{7.999996, "8.00000", "8,00000"}, TextCase{0.0, "0.00000", "0,00000"},
                    TextCase{-2.000004, "-2.00000", "-2,00000"},
                    TextCase{-0.000001, "0.00000", "0,00000"},
                    TextCase{1234567.891, "1,234,567.89100", "1.234.567,89100"}));

// Halves round away from zero on the decimal a reader sees, not on the binary form: 2.000015
// is stored a hair below the half (printf writes "2.00001"), yet it rounds up like 1.477665.
TEST(FixedFiveHalfway, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(fixedFiveText(1.477665, kPoint), "1.47767");
    EXPECT_EQ(fixedFiveText(2.000015, kPoint), "2.00002");
    EXPECT_EQ(fixedFiveText(1.477675, kPoint), "1.47768");
    EXPECT_EQ(fixedFiveText(-1.477665, kPoint), "-1.47767");
    // A generated value: offset 5 above the base of series 1, made by the same sum a turn makes.
    EXPECT_EQ(fixedFiveText(5 / 1e6 + 1.47766, kPoint), "1.47767");
    EXPECT_EQ(fixedFiveText(9.999995, kPoint), "10.00000");
}

TEST(FixedFiveGrouping, FollowsTheStyle) {
    EXPECT_EQ(fixedFiveText(1234567.5, kBulgarian), "1\u00A0234\u00A0567,50000");
    EXPECT_EQ(fixedFiveText(999.999999, kPoint), "1,000.00000");
    EXPECT_EQ(fixedFiveText(123.4, kPoint), "123.40000");
    const NumberStyle ungrouped{.decimalSeparator = ".", .groupSeparator = ",", .groupSize = 0};
    EXPECT_EQ(fixedFiveText(1234567.5, ungrouped), "1234567.50000");
}

TEST_P(DefaultText, WritesAtMostFifteenSignificantDigits) {
    EXPECT_EQ(defaultText(GetParam().value, kPoint), GetParam().point);
    EXPECT_EQ(defaultText(GetParam().value, kComma), GetParam().comma);
}

// The first six rows are the spreads of the six stored series, as the report writes them.
INSTANTIATE_TEST_SUITE_P(
    Values, DefaultText,
    testing::Values(TextCase{1.48495 - 1.44299, "0.04196", "0,04196"},
                    TextCase{1.52015 - 1.45339, "0.0667599999999999", "0,0667599999999999"},
                    TextCase{4.56543 - 4.40835, "0.15708", "0,15708"},
                    TextCase{2.34371 - 2.2446, "0.09911", "0,09911"},
                    TextCase{6.60642 - 6.01553, "0.59089", "0,59089"},
                    TextCase{1.59986 - 1.57386, "0.026", "0,026"},
                    TextCase{0.026000000000000023, "0.026", "0,026"}, TextCase{0.0, "0", "0"},
                    TextCase{-0.0, "0", "0"}, TextCase{2.0, "2", "2"},
                    TextCase{-1.25, "-1.25", "-1,25"}, TextCase{0.0001, "0.0001", "0,0001"},
                    TextCase{0.00001, "1E-05", "1E-05"}, TextCase{0.000015, "1.5E-05", "1,5E-05"},
                    TextCase{123456789012345.0, "123456789012345", "123456789012345"},
                    TextCase{1e15, "1E+15", "1E+15"}, TextCase{1.5e20, "1.5E+20", "1,5E+20"},
                    TextCase{1.0 / 3.0, "0.333333333333333", "0,333333333333333"},
                    TextCase{1e300, "1E+300", "1E+300"},
                    TextCase{12345.6789, "12345.6789", "12345,6789"}));

TEST(NumberTextLimits, WritesNonFiniteValuesPlainly) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(fixedFiveText(inf, kPoint), "inf");
    EXPECT_EQ(defaultText(-inf, kPoint), "-inf");
    EXPECT_EQ(defaultText(std::numeric_limits<double>::quiet_NaN(), kPoint), "nan");
}

TEST(StoredText, KeepsTheDigitsAndSwapsOnlyTheSeparator) {
    const NumberStyle arabic{
        .decimalSeparator = "\u066B", .groupSeparator = "\u066C", .groupSize = 3};
    EXPECT_EQ(storedText("2.2446", kPoint), "2.2446");
    EXPECT_EQ(storedText("2.2446", kBulgarian), "2,2446");
    EXPECT_EQ(storedText("1.47", arabic), "1\u066B47"); // a separator of several bytes
    EXPECT_EQ(storedText("", kComma), "");
}

TEST(FixedText, WritesAnyNumberOfDecimals) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {18606.59, 2, "18.606,59"}, {163.355, 2, "163,36"},
        {0.8477, 4, "0,8477"},      {1.47, 5, "1,47000"},
        {1575.5, 0, "1.576"},       {-0.004, 2, "0,00"}, // no sign on a zero
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fixedText(c.value, c.decimals, kComma), c.text) << c.text;
    }
    EXPECT_THROW(fixedText(1.0, 16, kComma), std::invalid_argument);
}
