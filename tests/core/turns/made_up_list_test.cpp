// The difficulty levels: what each made-up list keeps of the real one, what it repeats, what
// it cannot be rebuilt from, one pinned turn per level, and a short run of the simple rules.

#include "core/data/decimal_units.h"
#include "core/random/random_source.h"
#include "core/turns/level.h"
#include "core/turns/made_up_list.h"
#include "core/turns/repeated_values.h"
#include "core/turns/turn.h"
#include "tests/support/rebuild_rule.h"
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

// Repeats are matched by moving values as quoting allows; in a rare flat window no move is
// left, and it keeps one repeat too few or too many.
TEST(MadeUpList, AboveLevelOneTheListsAreWrittenAlikeAndRepeatAlike) {
    for (const auto& data : {DataSet::catalogue(), DataSet::ecb()}) {
        int unlike = 0;
        for (int level = 1; level < kLevelCount; ++level) {
            SeededRandomSource random(11U + static_cast<unsigned>(level));
            for (int i = 0; i < 100; ++i) {
                SCOPED_TRACE(data->id() + ", level " + std::to_string(level) + ", turn " +
                             std::to_string(i));
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
                unlike += repeatsOf(madeUnits) == repeatsOf(realUnits) ? 0 : 1;
                if (level == 2 || level == 3) {
                    EXPECT_EQ(madeUnits.back(), realUnits.back());
                }
            }
        }
        EXPECT_LE(unlike, 6) << data->id() << ": of 400 turns";
    }
}

// The real changes reordered, but for the few units quoting and repeating moved a value.
TEST(MadeUpList, LevelsTwoAndThreeKeepTheRealChanges) {
    for (int level = 2; level <= 3; ++level) {
        SeededRandomSource random(21U + static_cast<unsigned>(level));
        for (int i = 0; i < 100; ++i) {
            const Turn turn = NewTurn(random, NumberStyle{}, *DataSet::ecb(), level);
            const auto madeChanges = changesOf(
                unitsOf(turn.lists[static_cast<std::size_t>(turn.generatedSide())], turn.decimals));
            const auto realChanges = changesOf(
                unitsOf(turn.lists[static_cast<std::size_t>(turn.RealSide)], turn.decimals));
            int close = 0;
            for (std::size_t c = 0; c < realChanges.size(); ++c) {
                close += std::abs(madeChanges[c] - realChanges[c]) <= 18 ? 1 : 0;
            }
            EXPECT_GE(close, 33) << "level " << level << ", turn " << i;
        }
    }
}

// Another window's moves: no rotation or reversal of the real changes gives the made-up list.
TEST(MadeUpList, LevelFourCannotBeRebuiltFromTheRealList) {
    for (const auto& data : {DataSet::catalogue(), DataSet::ecb()}) {
        SeededRandomSource random(31);
        int rebuilt = 0;
        for (int i = 0; i < 100; ++i) {
            const Turn turn = NewTurn(random, NumberStyle{}, *data, 4);
            rebuilt += rebuiltByRotation(turn.lists[static_cast<std::size_t>(turn.RealSide)],
                                         turn.lists[static_cast<std::size_t>(turn.generatedSide())])
                           ? 1
                           : 0;
        }
        EXPECT_EQ(rebuilt, 0) << data->id();
    }
}

TEST(MadeUpList, EachLevelDrawsItsOwnCountOfValues) {
    const std::vector<std::int64_t> real{100, 103, 101, 108, 104, 110};
    const std::vector<std::string_view> other{"1.5", "1.6", "1.55", "1.7", "1.65", "1.8"};
    const OtherWindows others{.count = 3, .take = [&](std::size_t) {
                                  return OtherWindow{.texts = other, .upsideDown = false};
                              }};
    const std::size_t shaped = kShapeStatistics + 2 * kClimbSwaps;
    // Levels 1 to 4, for five changes; level 4 as level 3 with no other window.
    const std::size_t draws[] = {0, 6, shaped + 4, shaped + 4, shaped + 4};
    for (int level = 1; level < kLevelCount; ++level) {
        for (const bool withOthers : {false, true}) {
            struct Counting : RandomSource {
                std::size_t count = 0;
                SeededRandomSource inner{5};
                float next() override { return ++count, inner.next(); }
            } random;
            madeUpUnits(level, real, random, withOthers ? others : OtherWindows{});
            const std::size_t expected =
                level == 4 && withOthers ? shaped + kOtherWindowDraws + 1 : draws[level];
            EXPECT_EQ(random.count, expected) << "level " << level << ", others " << withOthers;
        }
    }
    SeededRandomSource random(1);
    EXPECT_THROW(madeUpUnits(0, real, random), std::out_of_range);
    EXPECT_THROW(madeUpUnits(5, real, random), std::out_of_range);
}

// A change of engine, of draw order or of any level's method shows here.
TEST(MadeUpList, SeedSevenDealsTheseMadeUpListsAtEveryLevel) {
    const char* const pinned[] = {
        "4.62565 4.62498 4.58541 4.49073 4.59824 4.57955 4.54727",
        "4.47405 4.46870 4.55638 4.53166 4.52861 4.48952 4.53830",
        "4.47405 4.48030 4.41868 4.38606 4.47251 4.50962 4.48030",
        "4.47405 4.47650 4.38098 4.35476 4.44551 4.48632 4.48030",
        "4.47405 4.39090 4.45618 4.46256 4.52101 4.51532 4.48520",
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
    // 10,000 turns give at most 55 % above level 1; 300 turns leave room for chance.
    for (int level = 2; level < kLevelCount; ++level) {
        EXPECT_LE(best(level), 0.6) << "level " << level;
    }
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
