#include "core/data/catalogue.h"
#include "core/text/leading_number.h"
#include "core/turns/turn.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace quiz;

namespace {

const CurrencyCatalogue& catalogue = currencyCatalogue();

double spreadOfSeries(const CurrencySeries& series) {
    std::vector<double> values;
    for (const std::string_view text : series.values) {
        values.push_back(parseLeadingNumber(text));
    }
    return spreadOf(values);
}

} // namespace

// What every turn relies on: full series, positive values, a spread that can divide.
TEST(Catalogue, EverySeriesKeepsTheInvariantsTurnsRelyOn) {
    for (int number = 1; number <= kSeriesCount; ++number) {
        SCOPED_TRACE("series " + std::to_string(number));
        const CurrencySeries& series = catalogue.byNumber(number);
        ASSERT_EQ(series.values.size(), 43U);
        for (const std::string_view text : series.values) {
            EXPECT_GT(parseLeadingNumber(text), 0.0) << text;
            // One digit, a point, two to five decimals: nothing the parse would cut short.
            EXPECT_TRUE(text.size() >= 4 && text.size() <= 7 && text[1] == '.') << text;
        }
        EXPECT_GE(std::lround(spreadOfSeries(series) * 1e6), 1);
    }
}

TEST(Catalogue, NamesAreInSeriesOrderWithTheirExactText) {
    const char* const expected[] = {
        "щатски долар - USD",     "японска йена - JPY",   "руска рубла - RUB",
        "британски паунд - GBP ", "бразилски реал - BRL", "швейцарски франк - CHF",
    };
    for (int number = 1; number <= kSeriesCount; ++number) {
        EXPECT_EQ(catalogue.byNumber(number).name, expected[number - 1]);
    }
    EXPECT_EQ(catalogue.byNumber(4).name.back(), ' ');
}

TEST(Catalogue, CodesAreTheNamesLastThreeLettersWithoutTheBlank) {
    const char* const expected[] = {"USD", "JPY", "RUB", "GBP", "BRL", "CHF"};
    for (int number = 1; number <= kSeriesCount; ++number) {
        EXPECT_EQ(currencyCode(catalogue.byNumber(number)), expected[number - 1]);
    }
}

TEST(Catalogue, SpreadsAreTheLargestMinusTheSmallestValue) {
    const double smallest[] = {1.44299, 1.45339, 4.40835, 2.2446, 6.01553, 1.57386};
    const double largest[] = {1.48495, 1.52015, 4.56543, 2.34371, 6.60642, 1.59986};
    for (int number = 1; number <= kSeriesCount; ++number) {
        EXPECT_EQ(spreadOfSeries(catalogue.byNumber(number)),
                  largest[number - 1] - smallest[number - 1])
            << "series " << number;
    }
}

TEST(Catalogue, KeepsValueTextsExactlyAsWritten) {
    const CurrencySeries& dollar = catalogue.byNumber(1);
    EXPECT_EQ(dollar.values[4], "1.47");
    EXPECT_EQ(dollar.values[12], "1.4657");
    EXPECT_EQ(catalogue.byNumber(4).values[1], "2.2446");
    EXPECT_EQ(dollar.values[42], "1.44299");

    const char* const firstValues[] = {"1.47766", "1.49654", "4.47405",
                                       "2.25015", "6.50058", "1.58791"};
    for (int number = 1; number <= kSeriesCount; ++number) {
        EXPECT_EQ(catalogue.byNumber(number).values[0], firstValues[number - 1]);
    }
}

TEST(Catalogue, RejectsSeriesNumbersOutsideOneToSix) {
    EXPECT_THROW(catalogue.byNumber(0), std::out_of_range);
    EXPECT_THROW(catalogue.byNumber(7), std::out_of_range);
}
