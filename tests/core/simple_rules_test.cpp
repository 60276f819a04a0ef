#include "tests/support/rebuild_rule.h"
#include "tests/support/simple_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace quiz;

namespace {

const SimpleRule& rule(std::string_view name) {
    for (const SimpleRule& candidate : simpleRules()) {
        if (candidate.name == name) {
            return candidate;
        }
    }
    throw std::logic_error("no rule " + std::string(name));
}

// 43 values alternating between a and b: changes of equal size and flipping sign.
std::vector<double> zigzag(double a, double b) {
    std::vector<double> values;
    for (int i = 0; i < 43; ++i) {
        values.push_back(i % 2 == 0 ? a : b);
    }
    return values;
}

const std::vector<double> kSample{2, 4, 1, 1, 5}; // changes 2, -3, 0, 4: a flat day between runs

const std::string kReport = "Генерирани са данни за: евро\r\nМаксимална разлика: 0,4\r\n";
const std::string kReportWithoutSpread = "Генерирани са данни за: евро\r\n";

} // namespace

// Worked by hand: kSample's changes deviate from their mean 0.75 by (5, -15, -3, 13) / 4,
// its |changes| from 2.25 by (-1, 3, -9, 7) / 4.
TEST(SimpleRules, MatchHandWorkedStatistics) {
    struct Case {
        const char* name;
        std::vector<double> values;
        double expected;
        std::vector<std::string> texts = {};
        std::string report = {};
    };
    const Case cases[] = {
        {"sum |changes|", kSample, 9.0},
        {"lag-1 autocorrelation of changes", kSample, (-75.0 + 45.0 - 39.0) / 428.0},
        {"lag-1 autocorrelation of changes", zigzag(1.0, 1.1), -41.0 / 42.0},
        {"lag-1 autocorrelation of |changes|", kSample, (-3.0 - 27.0 - 63.0) / 140.0},
        {"lag-1 autocorrelation of |changes|", zigzag(1.0, 1.1), 0.0}, // not rounding noise
        {"sign runs", kSample, 3.0},
        {"values below first", kSample, 2.0},
        {"range", kSample, 4.0},
        {"start-to-end distance", kSample, 3.0},
        {"start-to-end distance", {5, 1}, 4.0},
        {"kurtosis of changes", {0, 0, 0, 0, 4}, 4.0 * 84.0 / (12.0 * 12.0) - 3.0},
        {"largest step share", kSample, 4.0 / 9.0},
        {"shorter texts", {}, -2.0, {"1.47766", "1.47", "1.5", "1.47767"}},
        {"shorter texts", {}, 0.0, {"1,47766", "1,47767"}},
        {"texts ending in 0", {}, 2.0, {"1.470", "1.475", "2.000", "1.5", "10.1"}},
        {"last-digit unevenness",
         {},
         0.0,
         {"0.10", "0.11", "0.12", "0.13", "0.14", "0.15", "0.16", "0.17", "0.18", "0.19"}},
        {"last-digit unevenness", {}, 90.0, std::vector<std::string>(10, "1,47")},
        {"repeated last digits", {}, 3.0, {"1.47", "1.57", "1.67", "1.68", "1.78"}},
        {"distance from the reported spread", {1.0, 1.5, 1.2}, 0.1, {}, kReport},
        {"distance from the reported spread", {1.0, 1.4, 1.2}, 0.0, {}, kReport},
        {"distance from the reported spread", {1.0, 1.5, 1.2}, 0.0, {}, kReportWithoutSpread},
        {"values written twice", {}, 3.0, {"1.47", "1.48", "1.47", "1.47", "1.49", "1.48"}},
        {"equal neighbours", {}, 1.0, {"1.47", "1.48", "1.47", "1.47", "1.49", "1.48"}},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(rule(c.name).statistic(c.values, c.texts, c.report), c.expected, 1e-12)
            << c.name;
    }
}

// Flat, empty or overflowing lists give no rule anything to divide by.
TEST(SimpleRules, NeverGiveNaN) {
    const std::vector<double> flat(43, 1.5);
    for (const SimpleRule& r : simpleRules()) {
        EXPECT_EQ(r.statistic(flat, {}, kReportWithoutSpread), 0.0) << r.name;
        EXPECT_EQ(r.statistic({}, {}, {}), 0.0) << r.name;
        EXPECT_EQ(r.statistic({1.5}, {}, {}), 0.0) << r.name;
        EXPECT_FALSE(std::isnan(r.statistic({1e308, -1e308, 1e308, 0}, {"1.5"}, kReport)))
            << r.name;
    }
}

TEST(ShownValues, ReadsEitherSeparatorAndRefusesAnythingElse) {
    EXPECT_EQ(shownValues({"1.47766", "1,47", "-0,5", "7"}),
              (std::vector<double>{1.47766, 1.47, -0.5, 7.0}));
    for (const std::string& bad :
         std::vector<std::string>{"", "1 000,5", "1,234.5", "1.2.3", "1e5", " 1", "-", ",",
                                  "1.5 лв.", std::string(400, '9')}) {
        EXPECT_THROW(shownValues({"1.5", bad}), std::invalid_argument) << bad;
    }
    try {
        shownValues({"1\n2"});
        ADD_FAILURE() << "took a line break";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "not a shown number: \"1?2\"");
    }
}

TEST(RuleScore, PicksTheSmallerStatisticAndSplitsTies) {
    struct Case {
        const char* name;
        std::array<std::vector<std::string>, 2> lists;
        int realSide;
        double score;
    };
    const Case cases[] = {
        {"range", {{{"1,0", "1,1"}, {"1.0", "1.5"}}}, 0, 1.0},
        {"sum |changes|", {{{"1,25", "1,5"}, {"1.25", "1.5"}}}, 0, 0.5},
        {"shorter texts", {{{"1.47766", "1.47767"}, {"1.47766", "1.47"}}}, 1, 1.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ruleScore(rule(c.name), c.lists, c.realSide), c.score) << c.name;
    }
    EXPECT_THROW(ruleScore(rule("range"), cases[0].lists, 2), std::invalid_argument);
}

TEST(BetterDirection, FoldsAccuracyAboveAHalfAndRefusesNonAccuracies) {
    for (const auto& [accuracy, folded] :
         {std::pair{0.3, 0.7}, {0.8, 0.8}, {0.0, 1.0}, {0.5, 0.5}}) {
        EXPECT_DOUBLE_EQ(betterDirection(accuracy), folded) << accuracy;
    }
    for (const double bad : {-0.1, 1.1, std::nan("")}) {
        EXPECT_THROW(betterDirection(bad), std::invalid_argument) << bad;
    }
}

namespace {

// 43 values summed from `change(day)` for 42 days, written as "1.xxxx".
template <typename Change> std::vector<std::string> walk(Change change) {
    std::vector<std::string> written{"1.5000"};
    int units = 5000;
    for (int day = 0; day < 42; ++day) {
        units += change(day);
        written.push_back("1." + std::to_string(units));
    }
    return written;
}

int realChange(int day) {
    return (day * 37) % 61 - 30;
}

} // namespace

// A value moved by -5 to 5 units, as quoting moves one to the real list's last digit.
int jitter(int day) {
    return (day * 7) % 11 - 5;
}

// What level 4 once made: the real changes rotated (here by 5 places), each value then moved
// a few units by quoting. Only one way round does the rotation explain the other list.
TEST(RebuildScore, FindsWhichListExplainsTheOther) {
    const auto real = walk(realChange);
    const auto rotated = walk([](int day) {
        return realChange((day + 5) % 42) + jitter(day + 1) - (day == 0 ? 0 : jitter(day));
    });
    const auto unrelated = walk([](int day) { return (day * 23) % 47 - 23; });
    struct Case {
        const char* name;
        std::array<std::vector<std::string>, 2> lists;
        int realSide;
        double score;
    };
    const Case cases[] = {
        {"rotated, real first", {real, rotated}, 0, 1.0},
        {"rotated, real second", {rotated, real}, 1, 1.0},
        {"told the wrong way round", {rotated, real}, 0, 0.0},
        {"nothing to rebuild", {real, unrelated}, 0, 0.5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rebuildScore(c.lists, c.realSide), c.score) << c.name;
    }
    EXPECT_THROW(rebuildScore(cases[0].lists, 2), std::invalid_argument);
}
