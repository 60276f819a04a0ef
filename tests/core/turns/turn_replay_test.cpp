#include "core/turns/turn_replay.h"

#include "core/turns/turn.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

using namespace quiz;

namespace {

constexpr std::uint32_t kSeed = 4242;

struct Dealt {
    int level;
    std::string data; // "catalogue", "ecb"
};

std::shared_ptr<const DataSet> known(std::string_view id) {
    if (id == "catalogue") {
        return DataSet::catalogue();
    }
    return id == "ecb" ? DataSet::ecb() : nullptr;
}

struct Row {
    ReplayRow fields;
    std::string data;
    std::string currency;
};

// The rows a run of the quiz would write for these turns, all answered.
std::vector<Row> genuineRun(const std::vector<Dealt>& turns) {
    SeededRandomSource random(kSeed);
    std::vector<Row> rows;
    for (const Dealt& dealt : turns) {
        const Turn turn = NewTurn(random, {}, *known(dealt.data), dealt.level);
        rows.push_back({.fields = {.turn = static_cast<int>(rows.size()) + 1,
                                   .level = dealt.level,
                                   .data = {},
                                   .currency = {},
                                   .realSide = turn.RealSide},
                        .data = dealt.data,
                        .currency = turn.code});
    }
    return rows;
}

using V = ReplayVerdict;

struct Case {
    const char* what;
    std::vector<Dealt> turns;
    std::vector<int> unanswered; // turns left without a row
    int forged = 0;              // the turn whose real side is turned over; 0 for none
    std::string renamedData;     // when set, every row names this unknown data instead
    std::vector<V> verdicts;     // of the rows left
};

} // namespace

TEST(RunReplay, TellsRowsTheSeedDealtFromRowsItCouldNot) {
    const std::vector<Dealt> mixed = {
        {0, "catalogue"}, {3, "ecb"}, {4, "ecb"}, {1, "catalogue"}, {2, "ecb"}};
    const Case cases[] = {
        {"a whole run at changing levels and data",
         mixed,
         {},
         0,
         "",
         {V::Possible, V::Possible, V::Possible, V::Possible, V::Possible}},
        {"a side turned over",
         mixed,
         {},
         3,
         "",
         {V::Possible, V::Possible, V::Impossible, V::Possible, V::Possible}},
        {"the first turn turned over",
         mixed,
         {},
         1,
         "",
         {V::Impossible, V::Possible, V::Possible, V::Possible, V::Possible}},
        {"turns without a row: the next rows are still found",
         mixed,
         {2},
         0,
         "",
         {V::Possible, V::Possible, V::Possible, V::Possible}},
        {"after turns without a row a wrong side is not proven",
         mixed,
         {2},
         4,
         "",
         {V::Possible, V::Possible, V::Unchecked, V::Unchecked}},
        {"unknown data at level 0 keeps its place",
         {{0, "x"}, {0, "x"}, {0, "x"}},
         {},
         2,
         "teacher.csv@0123456789ab",
         {V::Possible, V::Impossible, V::Possible}},
        {"unknown data above level 0 loses it",
         {{2, "x"}, {2, "x"}, {2, "x"}},
         {},
         3,
         "teacher.csv@0123456789ab",
         {V::Possible, V::Unchecked, V::Unchecked}},
    };
    for (const Case& c : cases) {
        std::vector<Dealt> turns = c.turns;
        for (Dealt& dealt : turns) {
            dealt.data = dealt.data == "x" ? "catalogue" : dealt.data;
        }
        std::vector<Row> rows = genuineRun(turns);
        RunReplay replay(kSeed, known);
        std::vector<V> verdicts;
        for (Row& row : rows) {
            if (std::find(c.unanswered.begin(), c.unanswered.end(), row.fields.turn) !=
                c.unanswered.end()) {
                continue;
            }
            row.fields.realSide ^= row.fields.turn == c.forged ? 1 : 0;
            if (!c.renamedData.empty()) {
                row.data = c.renamedData;
            }
            row.fields.data = row.data;
            row.fields.currency = row.currency;
            verdicts.push_back(replay.check(row.fields));
        }
        EXPECT_EQ(verdicts, c.verdicts) << c.what;
    }
}

TEST(RunReplay, FindsAnotherCurrencyThanTheSeedDealt) {
    std::vector<Row> rows = genuineRun({{0, "catalogue"}, {0, "catalogue"}});
    RunReplay replay(kSeed, known);
    rows[0].fields.data = rows[0].data;
    rows[0].fields.currency = rows[0].currency;
    EXPECT_EQ(replay.check(rows[0].fields), V::Possible);
    rows[1].fields.data = rows[1].data;
    rows[1].currency = rows[1].currency == "USD" ? "GBP" : "USD";
    rows[1].fields.currency = rows[1].currency;
    EXPECT_EQ(replay.check(rows[1].fields), V::Impossible);
}
