// Many turns with the program's own random source, every invariant checked on every turn.
// QUIZ_SOAK_TURNS sets how many (default 1,000,000); the sanitizer build plays fewer.

#include "core/data/catalogue.h"
#include "core/random/random_source.h"
#include "core/text/leading_number.h"
#include "core/text/number_text.h"
#include "core/turns/turn.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

using namespace quiz;

namespace {

constexpr long kDefaultTurns = 1'000'000;
const NumberStyle kStyle{.decimalSeparator = ",", .groupSeparator = " ", .groupSize = 3};

long soakTurns() {
    const char* text = std::getenv("QUIZ_SOAK_TURNS");
    return text ? std::atol(text) : kDefaultTurns;
}

// What each series must show: its texts in the style, and the band of its generated values.
struct Expected {
    std::vector<std::string> realTexts;
    double low = 0.0;
    double high = 0.0;
};

std::array<Expected, kSeriesCount> expectedSeries() {
    std::array<Expected, kSeriesCount> expected;
    for (int number = 1; number <= kSeriesCount; ++number) {
        const CurrencySeries& series = currencyCatalogue().byNumber(number);
        Expected& e = expected[static_cast<std::size_t>(number - 1)];
        for (const std::string_view text : series.values) {
            e.realTexts.push_back(storedText(text, kStyle));
        }
        std::vector<double> values;
        for (const std::string_view text : series.values) {
            values.push_back(parseLeadingNumber(text));
        }
        e.low = values.front();
        e.high = e.low + spreadOf(values);
    }
    return expected;
}

// One digit, the separator, exactly five digits: "1,51962".
bool isFiveDecimalText(const std::string& text) {
    const std::string& separator = kStyle.decimalSeparator;
    if (text.size() != 1 + separator.size() + 5 ||
        text.compare(1, separator.size(), separator) != 0) {
        return false;
    }
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    return digit(text[0]) && std::all_of(text.end() - 5, text.end(), digit);
}

double valueOf(std::string text) {
    text.replace(1, kStyle.decimalSeparator.size(), ".");
    return parseLeadingNumber(text);
}

} // namespace

TEST(Soak, EveryTurnKeepsItsInvariants) {
    const long turns = soakTurns();
    const std::uint32_t seed = SeededRandomSource::seedFromClock();
    SCOPED_TRACE("seed " + std::to_string(seed));
    SeededRandomSource random(seed);
    const std::array<Expected, kSeriesCount> expected = expectedSeries();
    std::array<long, kSeriesCount> seriesSeen{};
    std::array<long, 2> sidesSeen{};

    for (long n = 1; n <= turns; ++n) {
        const Turn turn = NewTurn(random, kStyle);
        if (turn.CurrencyNo < 1 || turn.CurrencyNo > kSeriesCount ||
            (turn.RealSide != 0 && turn.RealSide != 1)) {
            FAIL() << "turn " << n << ": series " << turn.CurrencyNo << ", side " << turn.RealSide;
        }
        const Expected& series = expected[static_cast<std::size_t>(turn.CurrencyNo - 1)];
        const auto real = static_cast<std::size_t>(turn.RealSide);
        const auto& generated = turn.lists[1 - real];
        if (turn.lists[real] != series.realTexts || generated.size() != kValueCount) {
            FAIL() << "turn " << n << ": lists of " << turn.lists[real].size() << " and "
                   << generated.size() << " items, real list " << turn.lists[real].front();
        }
        for (const std::string& text : generated) {
            const double value = valueOf(text);
            // The text is the value rounded to five places, so it may lie half a place above.
            if (!isFiveDecimalText(text) || value < series.low || value > series.high + 0.000005) {
                FAIL() << "turn " << n << ": generated " << text << " outside [" << series.low
                       << ", " << series.high << "]";
            }
        }
        ++seriesSeen[static_cast<std::size_t>(turn.CurrencyNo - 1)];
        ++sidesSeen[real];
    }
    if (turns >= 10'000) { // enough that a missing series or side is no fluke
        for (const long seen : seriesSeen) {
            EXPECT_GT(seen, 0);
        }
        EXPECT_GT(sidesSeen[0], 0);
        EXPECT_GT(sidesSeen[1], 0);
    }
}
