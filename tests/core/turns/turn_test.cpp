#include "core/turns/turn.h"

#include "core/data/catalogue.h"
#include "core/text/leading_number.h"
#include "tests/support/sequence_random.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace quiz;

namespace {

const NumberStyle kPoint{};
const NumberStyle kComma{.decimalSeparator = ",", .groupSeparator = " ", .groupSize = 3};

std::vector<std::string> storedTexts(int number) {
    const auto& values = currencyCatalogue().byNumber(number).values;
    return {values.begin(), values.end()};
}

// Series 6 (r * 100 = 5.00000007), real list left (12.5 rounds to 12), then 41 offsets
// k/1024 that include ties of r * 1e6 and of the sixth decimal, then the smallest and
// the largest r.
std::vector<float> pinnedDraws() {
    std::vector<float> draws{0.05F, 0.125F};
    for (int i = 0; i < 41; ++i) {
        draws.push_back(static_cast<float>((i * 97 + 8) % 1024) / 1024.0F);
    }
    draws.push_back(0.0F);
    draws.push_back(1.0F - 0x1p-24F);
    return draws;
}

} // namespace

TEST(NewTurn, PinsEveryTextOfATurn) {
    SequenceRandomSource random(pinnedDraws());
    const Turn turn = NewTurn(random, kPoint);

    EXPECT_EQ(random.drawn(), 45U);
    EXPECT_EQ(turn.CurrencyNo, 6);
    EXPECT_EQ(turn.RealSide, 0);
    EXPECT_EQ(turn.Spread, 1.59986 - 1.57386);
    EXPECT_EQ(turn.lists[0], storedTexts(6));
    const std::vector<std::string> generated{
        "1.59572", "1.61245", "1.60318", "1.59390", "1.61063", "1.60136", "1.59208", "1.60881",
        "1.59954", "1.59026", "1.60699", "1.61172", "1.60244", "1.59317", "1.60989", "1.60062",
        "1.59135", "1.60807", "1.59880", "1.58953", "1.60625", "1.59698", "1.60171", "1.59243",
        "1.60916", "1.59989", "1.59061", "1.60734", "1.59807", "1.58879", "1.60552", "1.59625",
        "1.60097", "1.59170", "1.60843", "1.59915", "1.58988", "1.60661", "1.59733", "1.58806",
        "1.60479", "1.58791", "1.59991",
    };
    EXPECT_EQ(turn.lists[1], generated);
}

TEST(NewTurn, ShowsEachSeriesVerbatimOnTheDrawnSide) {
    for (int number = 1; number <= kSeriesCount; ++number) {
        SCOPED_TRACE("series " + std::to_string(number));
        SequenceRandomSource random(turnDraws(seriesDraw(number), kSideOne));
        const Turn turn = NewTurn(random, kPoint);
        EXPECT_EQ(turn.CurrencyNo, number);
        EXPECT_EQ(turn.RealSide, 1);
        EXPECT_EQ(turn.lists[1], storedTexts(number)); // "1.47" and "1.469" stay as written
        EXPECT_EQ(turn.lists[0].size(), 43U);
    }
}

// Always entry 0 as the base, the band one spread wide: r = 0 gives the first value itself.
TEST(NewTurn, GeneratedValuesStartAtTheFirstRealValue) {
    SequenceRandomSource random(turnDraws(seriesDraw(5), kSideZero, 0.0F));
    const Turn turn = NewTurn(random, kPoint);
    EXPECT_EQ(turn.lists[1], std::vector<std::string>(43, "6.50058"));
}

TEST(NewTurn, GeneratedValuesStayInsideTheirBand) {
    const std::map<int, Band> expected{{6, {1.58791, 1.613909}}, {5, {6.50058, 7.091469}}};
    SeededRandomSource random(2024);
    for (int turns = 0; turns < 300; ++turns) {
        const Turn turn = NewTurn(random, kPoint);
        if (const auto band = expected.find(turn.CurrencyNo); band != expected.end()) {
            EXPECT_DOUBLE_EQ(turn.band->low, band->second.low);
            EXPECT_DOUBLE_EQ(turn.band->high, band->second.high);
        }
        const auto gen = static_cast<std::size_t>(1 - turn.RealSide);
        for (std::size_t i = 0; i < 43; ++i) {
            const std::string& text = turn.lists[gen][i];
            const double value = turn.values[gen][i];
            ASSERT_GE(value, turn.band->low) << text;
            ASSERT_LE(value, turn.band->high) << text;
            ASSERT_NEAR(parseLeadingNumber(text), value, 0.0000050001) << text; // half a last place
            ASSERT_EQ(text.size(), 7U) << text;
        }
        const auto real = static_cast<std::size_t>(turn.RealSide);
        for (std::size_t i = 0; i < 43; ++i) {
            ASSERT_EQ(turn.values[real][i], parseLeadingNumber(turn.lists[real][i]));
        }
    }
}

// A list whose separator differs from the other's would give the answer away.
TEST(NewTurn, WritesBothListsInTheGivenStyle) {
    SequenceRandomSource random(turnDraws(seriesDraw(1), kSideZero, 0.5F));
    const Turn turn = NewTurn(random, kComma);
    // offset = 500000 mod 41960 = 38440, above the base 1.47766
    EXPECT_EQ(turn.lists[1].front(), "1,51610");
    EXPECT_EQ(turn.lists[0].front(), "1,47766");
    EXPECT_EQ(turn.lists[0][4], "1,47"); // digits as stored, never padded
}

// The series and the side are separate draws, taken in that order.
TEST(NewTurn, SeriesAndSideComeFromTwoDraws) {
    for (const float side : {kSideZero, kSideOne}) {
        SequenceRandomSource random(turnDraws(1.0F - 0x1p-24F, side));
        const Turn turn = NewTurn(random, kPoint);
        EXPECT_EQ(turn.CurrencyNo, 5); // r * 100 rounds to 100
        EXPECT_EQ(turn.RealSide, side == kSideZero ? 0 : 1);
    }
}
