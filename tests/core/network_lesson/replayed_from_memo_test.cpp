// The class view's replay of a hosted pupil's rows, with the turns the host kept and without:
// the same verdicts, and with them no turn dealt again.

#include "core/network_lesson/pupil_turns.h"
#include "core/turns/turn_replay.h"

#include "tests/core/network_lesson/lesson_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quiz;

namespace {

constexpr std::uint32_t kClassSeed = 9090;
constexpr int kTurns = 12;

std::shared_ptr<const DataSet> known(std::string_view id) {
    return id == "ecb" ? DataSet::ecb() : nullptr;
}

// The rows one pupil's turns write, each picked on side 0, as the host deals them.
std::vector<ResultRow> hostedRows(int level, TurnMemo& memo) {
    CountedSecrets secrets(7);
    PupilTurns pupil("Вера", secrets, {}, &memo);
    LessonSetup setup = setupAt(level);
    setup.classSeed = kClassSeed;
    std::vector<ResultRow> rows;
    for (int turn = 1; turn <= kTurns; ++turn) {
        EXPECT_FALSE(pupil.deal(setup));
        auto judged = pupil.pick(turn, 0, setup, kAnswerTime);
        rows.push_back(std::get<Judgement>(judged).row);
    }
    return rows;
}

std::vector<ReplayVerdict> replayed(const std::vector<ResultRow>& rows, TurnMemo& memo) {
    RunReplay replay(kClassSeed, known, &memo);
    std::vector<ReplayVerdict> verdicts;
    for (const ResultRow& row : rows) {
        verdicts.push_back(replay.check({.turn = row.turn,
                                         .level = row.level,
                                         .data = row.data,
                                         .currency = row.currency,
                                         .realSide = row.realSide}));
    }
    return verdicts;
}

struct Case {
    const char* name;
    int level;
    int forged; // the row whose real side is changed, or -1
};

class ReplayedFromMemo : public ::testing::TestWithParam<Case> {};

TEST_P(ReplayedFromMemo, GivesTheVerdictsOfDealingAgain) {
    const Case& c = GetParam();
    TurnMemo hosts;
    std::vector<ResultRow> rows = hostedRows(c.level, hosts);
    if (c.forged >= 0) {
        auto& row = rows[static_cast<std::size_t>(c.forged)];
        row.realSide = 1 - row.realSide;
    }
    TurnMemo empty;
    const std::vector<ReplayVerdict> dealtAgain = replayed(rows, empty);
    const std::vector<ReplayVerdict> found = replayed(rows, hosts);
    EXPECT_EQ(found, dealtAgain);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto expected = static_cast<int>(i) == c.forged ? ReplayVerdict::Impossible
                                                             : ReplayVerdict::Possible;
        EXPECT_EQ(found[i], expected) << "row " << i;
    }
    EXPECT_EQ(empty.found(), 0U);
    EXPECT_EQ(hosts.found(), static_cast<std::uint64_t>(kTurns));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReplayedFromMemo,
    ::testing::Values(Case{"level0", 0, -1}, Case{"level2", 2, -1}, Case{"level4", 4, -1},
                      Case{"adaptive", kAdaptiveLevel, -1}, Case{"forgedFirst", 2, 0},
                      Case{"forgedLater", 3, 7}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
