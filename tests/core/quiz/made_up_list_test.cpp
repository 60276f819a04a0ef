// The difficulty levels: what each made-up list keeps of the real one, one pinned turn per
// level, and a short run of the ladder of simple rules.

#include "core/data/decimal_units.h"
#include "core/quiz/level.h"
#include "core/quiz/made_up_list.h"
#include "core/random/random_source.h"
#include "core/quiz/turn.h"
#include "tests/support/simple_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace quiz;

namespace {

std::vector<std::int64_t> changesOf(const std::vector<std::int64_t>& values) {
    std::vector<std::int64_t> changes;
    for (std::size_t i = 1; i < values.size(); ++i) {
        changes.push_back(values[i] - values[i - 1]);
    }
    std::sort(changes.begin(), changes.end());
    return changes;
}

std::vector<std::int64_t> unitsOf(const std::vector<std::string>& texts, int decimals) {
    std::vector<std::int64_t> units;
    for (const std::string& text : texts) {
        units.push_back(toUnits(text, decimals));
    }
    return units;
}

} // namespace

TEST(MadeUpList, AboveLevelOneTheRealStepsComeInAnotherOrder) {
    const auto data = DataSet::catalogue();
    for (int level = 1; level < kLevelCount; ++level) {
        SeededRandomSource random(11U + static_cast<unsigned>(level));
        for (int i = 0; i < 200; ++i) {
            SCOPED_TRACE("level " + std::to_string(level) + ", turn " + std::to_string(i));
            const Turn turn = NewTurn(random, NumberStyle{}, *data, level);
            const auto& real = turn.lists[static_cast<std::size_t>(turn.RealSide)];
            const auto& made = turn.lists[static_cast<std::size_t>(turn.generatedSide())];
            // Padded alike: every text of both lists has the same number of decimals.
            for (const auto* list : {&real, &made}) {
                for (const std::string& text : *list) {
                    ASSERT_EQ(decimalsOf(text), turn.decimals) << text;
                }
            }
            const auto realUnits = unitsOf(real, turn.decimals);
            const auto madeUnits = unitsOf(made, turn.decimals);
            ASSERT_EQ(madeUnits.size(), realUnits.size());
            EXPECT_EQ(madeUnits.front(), realUnits.front());
            EXPECT_NE(madeUnits, realUnits);
            if (level >= 2) {
                // The same changes, but for the last digits taken from the real list: a value
                // moves at most 5 units, a change at most 10.
                EXPECT_EQ(madeUnits.back(), realUnits.back());
                const auto madeChanges = changesOf(madeUnits);
                const auto realChanges = changesOf(realUnits);
                for (std::size_t c = 0; c < realChanges.size(); ++c) {
                    EXPECT_LE(std::abs(madeChanges[c] - realChanges[c]), 10) << "change " << c;
                }
            }
        }
    }
}

TEST(MadeUpList, EachLevelDrawsItsOwnCountOfValues) {
    const std::vector<std::int64_t> real{100, 103, 101, 108, 104, 110};
    const std::size_t draws[] = {0, 6, 4, 4, 2}; // levels 1 to 4, for five changes
    for (int level = 1; level < kLevelCount; ++level) {
        struct Counting : RandomSource {
            std::size_t count = 0;
            SeededRandomSource inner{5};
            float next() override { return ++count, inner.next(); }
        } random;
        madeUpUnits(level, real, random);
        EXPECT_EQ(random.count, draws[level]) << "level " << level;
    }
    SeededRandomSource random(1);
    EXPECT_THROW(madeUpUnits(0, real, random), std::out_of_range);
    EXPECT_THROW(madeUpUnits(5, real, random), std::out_of_range);
}

// A change of engine, of draw order or of any level's method shows here.
TEST(MadeUpList, SeedSevenDealsTheseMadeUpListsAtEveryLevel) {
    const char* const pinned[] = {
        "4.62565 4.62498 4.58541 4.49073 4.59824 4.57955 4.54727",
        "4.47405 4.46870 4.55638 4.53166 4.52841 4.48952 4.53830",
        "4.47405 4.49130 4.56288 4.51026 4.48941 4.48312 4.48030",
        "4.47405 4.50810 4.57578 4.51406 4.47821 4.46752 4.48030",
        "4.47405 4.57390 4.58918 4.55006 4.55631 4.51162 4.48030",
    };
    for (int level = 0; level < kLevelCount; ++level) {
        SeededRandomSource random(7);
        const Turn turn = NewTurn(random, NumberStyle{}, *DataSet::catalogue(), level);
        EXPECT_EQ(turn.CurrencyNo, 3);
        EXPECT_EQ(turn.RealSide, 1);
        std::string every7th;
        for (std::size_t i = 0; i < 43; i += 7) {
            every7th += (i == 0 ? "" : " ") + turn.lists[0][i];
        }
        EXPECT_EQ(every7th, pinned[level]) << "level " << level;
    }
}

TEST(MadeUpList, SimpleRulesLoseTheirEdgeLevelByLevel) {
    constexpr int kTurns = 300;
    const auto data = DataSet::catalogue();
    const auto best = [&](int level) {
        const auto accuracies = ruleAccuracies(data, level, kTurns, 99);
        return *std::max_element(accuracies.begin(), accuracies.end());
    };
    EXPECT_GE(ruleAccuracies(data, 0, kTurns, 99).front(), 0.99); // sum |changes| at level 0
    EXPECT_LE(best(4), 0.68);
}

// A window whose falls add up to more than its first value: the made-up list must still look
// like a rate at every level, above zero.
TEST(MadeUpList, StaysARateWhenTheRealChangesCouldTakeItBelowZero) {
    const std::vector<std::string> dates(43, "2024-12-31"); // dates only label the window here
    RateRun crash{.column = "XYZ", .dates = dates, .texts = {}};
    for (int day = 0; day < 43; ++day) {
        crash.texts.push_back(day % 2 == 0 ? "1000.00" : "0.01");
    }
    RateTable table;
    table.runs.push_back(crash);
    const auto data = DataSet::fromTable(table, DataKind::File, "crash", "crash.csv");
    for (int level = 1; level < kLevelCount; ++level) {
        SeededRandomSource random(static_cast<std::uint32_t>(level));
        for (int i = 0; i < 50; ++i) {
            const Turn turn = NewTurn(random, NumberStyle{}, *data, level);
            for (const double value : turn.values[static_cast<std::size_t>(turn.generatedSide())]) {
                ASSERT_GT(value, 0.0) << "level " << level;
            }
        }
    }
}
