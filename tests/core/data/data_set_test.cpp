#include "core/data/data_set.h"

#include "core/data/catalogue.h"
#include "core/data/ecb_extract.h"
#include "core/data/rate_file_reasons.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {
namespace {

constexpr std::size_t kLength = kValueCount;

// A run of `count` values that move ("1.01", "1.02", … by day), with `still` days from `from`
// on all "2.50" ("2.5" every other day, the same value written with fewer decimals).
std::vector<std::string> values(std::size_t count, std::size_t from = 0, std::size_t still = 0) {
    std::vector<std::string> texts;
    for (std::size_t day = 0; day < count; ++day) {
        const bool standing = day >= from && day < from + still;
        texts.push_back(standing ? (day % 2 == 0 ? "2.50" : "2.5")
                                 : "1." + std::to_string(10 + day % 80));
    }
    return texts;
}

struct Built {
    std::vector<std::string> dates;
    std::vector<std::vector<std::string>> columns;
    std::shared_ptr<const DataSet> data;
};

// A file of one run per column, every run starting on the first day.
Built fromColumns(std::vector<std::vector<std::string>> columns) {
    Built built{.dates = {}, .columns = std::move(columns), .data = nullptr};
    std::size_t longest = 0;
    for (const auto& column : built.columns) {
        longest = std::max(longest, column.size());
    }
    for (std::size_t day = 0; day < longest; ++day) {
        built.dates.push_back("day " + std::to_string(day));
    }
    RateTable table;
    for (std::size_t c = 0; c < built.columns.size(); ++c) {
        RateRun run{.column = "C" + std::to_string(c),
                    .dates = std::span(built.dates).first(built.columns[c].size()),
                    .texts = {}};
        run.texts.assign(built.columns[c].begin(), built.columns[c].end());
        table.runs.push_back(run);
    }
    built.data = DataSet::fromTable(table, DataKind::File, "id", "rates.csv");
    return built;
}

struct Expected {
    std::size_t index;
    int series;
    std::string code;
    std::size_t firstDay;
};

// Windows are counted, not stored: each index must still find the start it always found,
// skipping those whose values all stand still (equal in value, however written).
TEST(DataSet, CountsOnlyTheWindowsWhoseValuesMove) {
    struct Case {
        const char* what;
        std::vector<std::vector<std::string>> columns;
        std::size_t windowCount;
        std::vector<Expected> windows;
    };
    const std::vector<Case> cases = {
        {"one window", {values(kLength)}, 1, {{0, 1, "C0", 0}}},
        {"every start moves", {values(kLength + 9)}, 10, {{0, 1, "C0", 0}, {9, 1, "C0", 9}}},
        {"standing at the start",
         {values(kLength + 4, 0, kLength + 1)},
         3,
         {{0, 1, "C0", 2}, {2, 1, "C0", 4}}},
        {"standing in the middle",
         {values(100, 20, 60)},
         40,
         {{0, 1, "C0", 0}, {19, 1, "C0", 19}, {20, 1, "C0", 38}, {39, 1, "C0", 57}}},
        {"standing at the end", {values(kLength + 5, 5, kLength)}, 5, {{4, 1, "C0", 4}}},
        {"a series that stands still is left out",
         {values(kLength + 1), values(kLength, 0, kLength), values(kLength + 2)},
         5,
         {{0, 1, "C0", 0}, {1, 1, "C0", 1}, {2, 2, "C2", 0}, {4, 2, "C2", 2}}},
    };
    for (const Case& test : cases) {
        const Built built = fromColumns(test.columns);
        EXPECT_EQ(built.data->windowCount(), test.windowCount) << test.what;
        for (const Expected& expected : test.windows) {
            const RealWindow window = built.data->window(expected.index);
            const std::string where = std::string(test.what) + ", window " +
                                      std::to_string(expected.index);
            EXPECT_EQ(window.seriesNumber, expected.series) << where;
            EXPECT_EQ(window.code, expected.code) << where;
            EXPECT_EQ(window.firstDate, "day " + std::to_string(expected.firstDay)) << where;
            EXPECT_EQ(window.lastDate, "day " + std::to_string(expected.firstDay + kLength - 1))
                << where;
            const auto& column = built.columns[std::stoul(expected.code.substr(1))];
            ASSERT_EQ(window.texts.size(), kLength) << where;
            for (std::size_t i = 0; i < kLength; ++i) {
                EXPECT_EQ(window.texts[i], column[expected.firstDay + i]) << where << ", value " << i;
            }
        }
        EXPECT_THROW(built.data->window(test.windowCount), std::out_of_range) << test.what;
    }
}

TEST(DataSet, RefusesATableItCannotDealFrom) {
    std::vector<std::string> tooLong = values(kLength);
    tooLong[7] = "1.1234567890123456";
    const std::vector<std::pair<std::vector<std::string>, RateReason>> cases = {
        {values(kLength, 0, kLength), RateReason::StandsStill},
        {tooLong, RateReason::TooManyDigitsToAdd},
    };
    for (const auto& [column, reason] : cases) {
        try {
            fromColumns({column});
            ADD_FAILURE() << rateReasonName(reason);
        } catch (const RateFileError& error) {
            EXPECT_EQ(error.reason(), reason) << error.what();
        }
    }
}

// The table built into the program must deal exactly what reading the extract at run time
// dealt: the same series, names, windows, values and dates, window by window.
TEST(DataSet, BuiltInEcbTableMatchesReadingTheExtract) {
    const auto built = DataSet::ecb();
    const auto read = DataSet::fromTable(readRateTable(ecbExtractText(), "ECB"), DataKind::Ecb,
                                         "ecb", "ECB");
    ASSERT_EQ(built->windowCount(), read->windowCount());
    EXPECT_EQ(built->windowCount(), 174'915U);
    EXPECT_EQ(built->argument(), "ecb");
    for (std::size_t index = 0; index < read->windowCount(); ++index) {
        const RealWindow expected = read->window(index);
        const RealWindow window = built->window(index);
        ASSERT_EQ(window.seriesNumber, expected.seriesNumber) << index;
        ASSERT_EQ(window.code, expected.code) << index;
        ASSERT_EQ(window.name, expected.name) << index;
        ASSERT_EQ(window.firstDate, expected.firstDate) << index;
        ASSERT_EQ(window.lastDate, expected.lastDate) << index;
        ASSERT_EQ(window.texts, expected.texts) << index;
    }
}

// Runs named by their columns, each value "r.dddd" telling its run r (from 1) and its day.
struct Runs {
    std::vector<std::string> dates;
    std::vector<std::vector<std::string>> texts;
    std::shared_ptr<const DataSet> data;
};

std::unique_ptr<Runs> fromRuns(const std::vector<std::pair<std::string, std::size_t>>& runs) {
    auto built = std::make_unique<Runs>();
    for (std::size_t day = 0; day < 400; ++day) {
        built->dates.push_back("day " + std::to_string(day));
    }
    RateTable table;
    for (const auto& [column, length] : runs) {
        auto& texts = built->texts.emplace_back();
        for (std::size_t day = 0; day < length; ++day) {
            texts.push_back(std::to_string(built->texts.size()) + "." + std::to_string(1000 + day));
        }
        RateRun run{.column = column, .dates = std::span(built->dates).first(length), .texts = {}};
        run.texts.assign(texts.begin(), texts.end());
        table.runs.push_back(run);
    }
    built->data = DataSet::fromTable(table, DataKind::File, "id", "rates.csv");
    return built;
}

std::size_t runOf(std::string_view text) {
    return static_cast<std::size_t>(text[0] - '1');
}

std::size_t dayOf(std::string_view text) {
    return static_cast<std::size_t>(std::stoi(std::string(text.substr(2)))) - 1000;
}

// Another window of the same currency shares no value with the one shown; where there is
// none, any other column's will do, and where there is none at all, none is offered.
TEST(DataSet, OffersOtherWindowsThatShareNoValueWithTheShownOne) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::size_t>> runs;
        std::size_t shown;
        std::size_t count;
        std::set<std::size_t> runsOffered;
    };
    const Case cases[] = {
        // 158 windows; starts 8 to 92 overlap the one starting at 50.
        {"one long column", {{"USD", 200}}, 50, 73, {0}},
        {"a column split by a gap", {{"USD", 100}, {"JPY", 50}, {"USD", 60}}, 0, 15 + 18, {0, 2}},
        {"no other window of the currency", {{"USD", 60}, {"JPY", 50}}, 5, 8, {1}},
        {"no other window at all", {{"USD", 60}}, 5, 0, {}},
    };
    for (const Case& c : cases) {
        const auto built = fromRuns(c.runs);
        const RealWindow shown = built->data->window(c.shown);
        ASSERT_EQ(built->data->otherWindowCount(shown), c.count) << c.name;
        std::set<std::string_view> firsts;
        for (std::size_t k = 0; k < c.count; ++k) {
            const OtherWindow other = built->data->otherWindow(shown, k);
            ASSERT_EQ(other.texts.size(), kLength) << c.name;
            EXPECT_FALSE(other.upsideDown) << c.name;
            const std::string_view first = other.texts.front();
            EXPECT_TRUE(c.runsOffered.contains(runOf(first))) << c.name << ": " << first;
            if (runOf(first) == runOf(shown.texts.front())) {
                const auto gap = static_cast<long>(dayOf(first)) - static_cast<long>(dayOf(shown.texts.front()));
                EXPECT_GE(std::labs(gap), static_cast<long>(kLength)) << c.name << ": " << first;
            }
            firsts.insert(first);
        }
        EXPECT_EQ(firsts.size(), c.count) << c.name << ": each window once";
        EXPECT_THROW(built->data->otherWindow(shown, c.count), std::out_of_range) << c.name;
    }
}

// The stored series are leva per unit; their other windows are the ECB's for the currency,
// units per euro.
TEST(DataSet, OffersTheStoredSeriesTheEcbWindowsOfTheirCurrencyUpsideDown) {
    const auto stored = DataSet::catalogue();
    const auto ecb = DataSet::ecb();
    for (std::size_t series = 0; series < kSeriesCount; ++series) {
        const RealWindow shown = stored->window(series);
        std::size_t ecbWindows = 0;
        for (std::size_t i = 0; i < ecb->windowCount(); ++i) {
            ecbWindows += ecb->window(i).code == shown.code ? 1 : 0;
        }
        ASSERT_GT(ecbWindows, 1000U) << shown.code;
        ASSERT_EQ(stored->otherWindowCount(shown), ecbWindows) << shown.code;
        const OtherWindow other = stored->otherWindow(shown, ecbWindows / 2);
        EXPECT_TRUE(other.upsideDown) << shown.code;
        EXPECT_EQ(other.texts.size(), kLength);
    }
}

} // namespace
} // namespace quiz
