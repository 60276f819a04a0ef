// A whole lesson through the module alone: forty pupils, fifty turns each, the teacher changing
// the level on the way, pupils clicking twice and sending stale picks, then the host started
// again from the rows it wrote. Some pupils know answers by replaying their stream from the seed
// their rows seal for the teacher, so that their staircases climb.

#include "core/network_lesson/lesson_replies.h"
#include "core/network_lesson/lesson_restore.h"
#include "core/results/result_row.h"
#include "core/seal/seal_keys.h"
#include "core/seal/sealed_seed.h"
#include "tests/core/network_lesson/lesson_fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace quiz;
namespace wf = quiz::wire_field;

namespace {

constexpr int kPupils = 40;
constexpr int kTurns = 50;
constexpr int kFixedFrom = 21; // turns 21 to 30 at a fixed level, the rest adaptive
constexpr int kFixedTo = 30;
constexpr int kFixedLevel = 3;

struct Pupil {
    std::string name;
    std::mt19937 hand;
    int skill = 0; // percent of turns they know the answer to, from the second on
    std::string token{};
    int right = 0;
    WireMessage shown{}; // the turn on screen
    // Their stream, as the teacher replays it from the seed sealed in their rows.
    std::optional<SeededRandomSource> replay{};
};

class WholeLesson : public ::testing::Test {
protected:
    Reply send(NetworkLesson& lesson, const WireMessage& message, int i) {
        return respond(lesson, message, arrivalFrom("10.0.1." + std::to_string(i)));
    }

    Reply join(NetworkLesson& lesson, int i) {
        const Reply reply =
            send(lesson,
                 joinMessage(pupils_[i].name, lesson.joinCode(), "device-" + std::to_string(i)), i);
        EXPECT_EQ(reply.messages.size(), 2U);
        pupils_[i].shown = reply.messages.at(1);
        return reply;
    }

    // A pupil who knows the answer replays the turn from their stream, as the teacher can.
    int sideOf(Pupil& pupil) {
        const int guess = static_cast<int>(pupil.hand() % 2);
        if (!pupil.replay) {
            return guess;
        }
        const int level = static_cast<int>(pupil.shown.number(wf::kLevel).value_or(-1));
        const Turn dealt = NewTurn(*pupil.replay, pupilNumberStyle(","), *DataSet::ecb(), level);
        EXPECT_EQ(WireValue(dealt.lists[0]), *pupil.shown.find(wf::kFirst));
        return static_cast<int>(pupil.hand() % 100) < pupil.skill ? dealt.RealSide : guess;
    }

    void expectRefused(const Reply& reply, RefusalId id) {
        EXPECT_FALSE(reply.row || reply.close);
        ASSERT_EQ(reply.messages.size(), 1U);
        EXPECT_EQ(reply.messages[0].text(wf::kReason), refusalName(id));
    }

    // One pupil's turn: the pick, a second click on the other list, a stale pick.
    void playTurn(NetworkLesson& lesson, int i, int turn) {
        Pupil& pupil = pupils_[i];
        const int side = sideOf(pupil);
        const Reply judged = send(lesson, pickMessage(pupil.token, double(turn), double(side)), i);
        ASSERT_TRUE(judged.row && judged.messages.size() == 1);
        rows_.push_back(*judged.row);
        pupil.right += *judged.messages[0].find(wf::kRight) == WireValue(true) ? 1 : 0;
        EXPECT_EQ(judged.messages[0].number(wf::kAnswered), turn);
        EXPECT_EQ(judged.messages[0].number(wf::kRightCount), pupil.right);
        if (!pupil.replay) {
            const std::optional<RunSeed> sealed = openSeed(judged.row->sealedSeed, keys_);
            ASSERT_TRUE(sealed);
            pupil.replay.emplace(sealed->seed);
            NewTurn(*pupil.replay, {}, *DataSet::ecb(), judged.row->level);
        }
        expectRefused(send(lesson, pickMessage(pupil.token, double(turn), double(1 - side)), i),
                      RefusalId::AlreadyAnswered);
        if (turn > 1) {
            expectRefused(send(lesson, pickMessage(pupil.token, double(turn - 1), 0.0), i),
                          RefusalId::NotOnScreen);
        }
    }

    void dealNext(NetworkLesson& lesson, int i, int turn) {
        const Reply next = send(lesson, tokenMessage(wire_kind::kNext, pupils_[i].token), i);
        ASSERT_EQ(next.messages.size(), 1U);
        pupils_[i].shown = next.messages[0];
        EXPECT_EQ(pupils_[i].shown.number(wf::kTurn), turn + 1);
        if (turn + 1 >= kFixedFrom && turn + 1 <= kFixedTo) {
            EXPECT_EQ(pupils_[i].shown.number(wf::kLevel), kFixedLevel);
        }
    }

    SealKeys keys_ = makeSealKeys();
    std::vector<Pupil> pupils_;
    std::vector<ResultRow> rows_;
};

} // namespace

TEST_F(WholeLesson, EveryPickIsJudgedOnceAndWritesOneRow) {
    LessonSetup setup = setupAt(kAdaptiveLevel);
    setup.seedKey = keys_.publicKey;
    NetworkLesson lesson = lessonWith(setup);
    for (int i = 0; i < kPupils; ++i) {
        pupils_.push_back({"Ученик " + std::to_string(i + 1), std::mt19937(i), i % 5 * 25});
        pupils_[i].token = std::string(join(lesson, i).messages.at(0).text(wf::kToken).value());
    }
    for (int turn = 1; turn <= kTurns; ++turn) {
        for (int i = 0; i < kPupils; ++i) {
            playTurn(lesson, i, turn);
        }
        if (turn == kFixedFrom - 1 || turn == kFixedTo) {
            setup.level = turn == kFixedTo ? kAdaptiveLevel : kFixedLevel;
            lesson.changeSetup(setup);
        }
        for (int i = 0; turn < kTurns && i < kPupils; ++i) {
            dealNext(lesson, i, turn);
        }
    }

    ASSERT_EQ(rows_.size(), static_cast<std::size_t>(kPupils * kTurns));
    std::set<std::tuple<std::string, std::uint64_t, int>> distinct;
    std::map<std::string, std::set<std::uint64_t>> runs;
    std::map<std::string, std::string> files; // each pupil's, as the service writes it
    for (const ResultRow& row : rows_) {
        distinct.emplace(row.pupil, row.run, row.turn);
        runs[row.pupil].insert(row.run);
        EXPECT_TRUE(!row.seed && !row.sealedSeed.empty());
        // The second staircase starts when the fixed level ends.
        EXPECT_EQ(row.staircase, row.turn < kFixedFrom ? 1 : row.turn <= kFixedTo ? 0 : 2);
        std::string& file = files[row.pupil];
        file += (file.empty() ? std::string(csvHeader()) + "\r\n" : "") + csvLine(row);
    }
    EXPECT_EQ(distinct.size(), rows_.size());
    for (const auto& [pupil, theirs] : runs) {
        EXPECT_EQ(theirs.size(), 1U) << pupil; // one stream each, no class seed
    }

    // The host starts again with the same class folder: every pupil goes on from their count
    // and their staircase, with a new token.
    LessonRestore restore{std::string(kLessonHost)};
    for (const auto& [pupil, file] : files) {
        EXPECT_EQ(restore.readFile(file), static_cast<std::size_t>(kTurns)) << pupil;
    }
    NetworkLesson again = lessonWith(setup, {}, 777);
    again.restore(restore.pupils());
    EXPECT_EQ(again.pupilCount(), static_cast<std::size_t>(kPupils));
    std::set<int> levels;
    for (int i = 0; i < kPupils; ++i) {
        SCOPED_TRACE(pupils_[i].name);
        const std::string before = pupils_[i].token;
        const Reply reply = join(again, i);
        EXPECT_NE(reply.messages.at(0).text(wf::kToken), before);
        EXPECT_EQ(reply.messages[0].number(wf::kAnswered), kTurns);
        EXPECT_EQ(reply.messages[0].number(wf::kRightCount), pupils_[i].right);
        EXPECT_EQ(pupils_[i].shown.number(wf::kTurn), kTurns + 1);
        const int reached = lesson.pupil(pupils_[i].name)->staircase().value().level();
        EXPECT_EQ(again.pupil(pupils_[i].name)->staircase().value().level(), reached);
        EXPECT_EQ(pupils_[i].shown.number(wf::kLevel), reached);
        levels.insert(reached);
    }
    EXPECT_GE(levels.size(), 4U); // the pupils' staircases stand far apart
}
