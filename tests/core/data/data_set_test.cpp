#include "core/data/data_set.h"

#include "core/data/catalogue.h"
#include "core/data/ecb_extract.h"
#include "core/data/rate_file_reasons.h"

#include <gtest/gtest.h>

#include <string>
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
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {values(kLength, 0, kLength), reason::kStandsStill},
        {tooLong, reason::kTooManyDigitsToAdd},
    };
    for (const auto& [column, pattern] : cases) {
        try {
            fromColumns({column});
            ADD_FAILURE() << pattern;
        } catch (const RateFileError& error) {
            EXPECT_EQ(error.pattern(), pattern);
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

} // namespace
} // namespace quiz
