#include "core/network_lesson/network_lesson.h"

#include "core/data/catalogue.h"
#include "core/quiz/turn_report.h"
#include "core/seal/seal_keys.h"
#include "core/seal/sealed_seed.h"
#include "core/turns/level.h"
#include "tests/core/network_lesson/lesson_fixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

using namespace quiz;

namespace {

enum class Typed { Code, Spaced, Wrong };

struct JoinCase {
    std::string label;
    std::string name;
    std::string device;
    std::optional<RefusalId> refused;
    std::size_t pupilsAfter;
    Typed code = Typed::Code;
};

std::string typedCode(const std::string& code, Typed typed) {
    if (typed == Typed::Spaced) {
        return code.substr(0, 3) + " " + code.substr(3);
    }
    return typed == Typed::Wrong ? code.substr(1) + code[0] : code;
}

} // namespace

// Each case joins a lesson of two: Иван on device-a and Петър on device-b, room for three.
TEST(NetworkLessonJoin, AdmitsOrRefusesAsTheCaseSays) {
    const std::vector<JoinCase> cases{
        {"a new pupil", "Мария Иванова", "device-c", std::nullopt, 3},
        {"the code typed with a blank", "Мария", "device-c", std::nullopt, 3, Typed::Spaced},
        {"a wrong code", "Мария", "device-c", RefusalId::WrongCode, 2, Typed::Wrong},
        {"no name", "   ", "device-c", RefusalId::NameEmpty, 2},
        {"a name too long", std::string(41, 'x'), "device-c", RefusalId::NameTooLong, 2},
        {"a tab in the name", "Мария\tИ", "device-c", RefusalId::NameHasControls, 2},
        {"a name another device holds", "Иван", "device-c", RefusalId::NameTaken, 2},
        {"that name with blanks around it", " Иван  ", "device-b", RefusalId::NameTaken, 2},
        {"that name in small letters, another device", "иван", "device-c", RefusalId::NameTaken, 2},
        {"that name in capitals, another device", "ИВАН", "device-b", RefusalId::NameTaken, 2},
        {"that name with a Latin look-alike", "Иbaн", "device-c", std::nullopt, 3},
        {"Latin letters that look like it", "Ivan", "device-c", std::nullopt, 3},
        {"the same name from the same device", "Иван", "device-a", std::nullopt, 2},
        {"that name in small letters, the same device", "иван", "device-a", std::nullopt, 2},
        {"another name from the same device", "Мария", "device-a", std::nullopt, 3},
    };
    for (const JoinCase& c : cases) {
        SCOPED_TRACE(c.label);
        NetworkLesson lesson = lessonWith(setupAt(0), {.mostPupils = 3});
        joined(lesson, "Иван", "device-a");
        joined(lesson, "Петър", "device-b");
        JoinRequest request = joinRequest(lesson, c.name, c.device);
        request.code = typedCode(lesson.joinCode(), c.code);
        const auto outcome = lesson.join(request, "10.0.0.9", LessonTime{0});
        EXPECT_EQ(lesson.pupilCount(), c.pupilsAfter);
        if (c.refused) {
            ASSERT_TRUE(std::holds_alternative<RefusalId>(outcome));
            EXPECT_EQ(refusalName(std::get<RefusalId>(outcome)), refusalName(*c.refused));
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<Joined>(outcome));
        const Joined& entered = std::get<Joined>(outcome);
        EXPECT_TRUE(isTokenShape(entered.token));
        EXPECT_EQ(entered.view.turn.number, 1);
        EXPECT_EQ(entered.view.turn.lists[1].size(), static_cast<std::size_t>(kValueCount));
        EXPECT_FALSE(entered.view.judged);
        // Full now, the lesson refuses newcomers, not those it has.
        if (lesson.pupilCount() == 3) {
            request.name = "Someone New";
            EXPECT_EQ(std::get<RefusalId>(lesson.join(request, "10.0.0.9", LessonTime{0})),
                      RefusalId::LessonFull);
            EXPECT_TRUE(std::holds_alternative<Joined>(
                lesson.join(joinRequest(lesson, "Петър", "device-b"), "", LessonTime{0})));
        }
    }
}

// The code cannot be found by trying them all: past ten wrong ones in a minute an address is
// refused even the right code, until the minute has passed; other addresses are not.
TEST(NetworkLessonJoin, RefusesAnAddressTryingCodeAfterCode) {
    NetworkLesson lesson = lessonWith(setupAt(0));
    JoinRequest wrong = joinRequest(lesson, "Иван", "device-a");
    wrong.code = "0000";
    const JoinRequest right = joinRequest(lesson, "Иван", "device-a");
    using std::chrono::seconds;
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(std::get<RefusalId>(lesson.join(wrong, "10.0.0.66", seconds(i))),
                  RefusalId::WrongCode);
    }
    EXPECT_EQ(std::get<RefusalId>(lesson.join(right, "10.0.0.66", seconds(30))),
              RefusalId::TooManyWrongCodes);
    EXPECT_TRUE(std::holds_alternative<Joined>(lesson.join(right, "10.0.0.67", seconds(30))));
    EXPECT_TRUE(std::holds_alternative<Joined>(lesson.join(right, "10.0.0.66", seconds(60))));
}

// Back from the same device (or after a dropped connection) a pupil is where they were: the same
// turn and count; a join gives a new token, and the one before no longer works.
TEST(NetworkLessonJoin, TheSamePupilComesBackWhereTheyWere) {
    NetworkLesson lesson = lessonWith(setupAt(kAdaptiveLevel));
    const Joined first = joined(lesson, "Иван", "device-a");
    EXPECT_EQ(std::get<PupilView>(lesson.resume(first.token)).turn, first.view.turn);
    const Judgement judgement = judged(lesson, pickOf(first.token, 1, 0));
    EXPECT_EQ(std::get<PupilView>(lesson.resume(first.token)).judged, judgement.shown);
    const auto second = std::get<PupilView>(lesson.next(first.token));
    const Joined again = joined(lesson, "Иван", "device-a");
    EXPECT_NE(again.token, first.token);
    EXPECT_EQ(again.view.turn, second.turn);
    EXPECT_EQ(again.view.answered, 1);
    EXPECT_EQ(std::get<RefusalId>(lesson.resume(first.token)), RefusalId::UnknownToken);
    EXPECT_EQ(judged(lesson, pickOf(again.token, 2, 1)).row.turn, 2);
}

// A device back with the name in another case is that pupil, under the spelling they first
// joined with, so their rows keep one name; a pupil read back is claimed the same way.
TEST(NetworkLessonJoin, ANameInAnotherCaseIsTheSamePupil) {
    NetworkLesson lesson = lessonWith(setupAt(0));
    const Joined first = joined(lesson, "Вера Ёлкова", "device-a");
    judged(lesson, pickOf(first.token, 1, 0));
    const Joined again = joined(lesson, "ВЕРА ёлкова", "device-a");
    EXPECT_EQ(again.pupil, "Вера Ёлкова");
    EXPECT_EQ(again.view.answered, 1);
    EXPECT_EQ(lesson.pupil("вера ЁЛКОВА"), lesson.pupil("Вера Ёлкова"));
    EXPECT_EQ(lesson.pupilCount(), 1U);

    lesson.restore(
        {{.name = "Стоян", .standing = {.answered = 4}}, {.name = "СТОЯН", .standing = {}}});
    const Joined restored = joined(lesson, "стоян", "device-b");
    EXPECT_EQ(restored.pupil, "Стоян");
    EXPECT_EQ(restored.view.answered, 4);
    EXPECT_EQ(lesson.pupilCount(), 2U);
}

namespace {

struct PickCase {
    std::string label;
    int turn; // the turn on screen is 2
    int side;
    bool pickedBefore;
    std::optional<RefusalId> refused;
    std::string token = {};
};

} // namespace

// Only the first pick of the turn on screen counts: anything else is refused and writes nothing;
// nor is a new turn dealt before it.
TEST(NetworkLessonPick, JudgesOnlyTheFirstPickOfTheTurnOnScreen) {
    const std::vector<PickCase> cases{
        {"the turn on screen, first list", 2, 0, false, std::nullopt},
        {"the turn on screen, second list", 2, 1, false, std::nullopt},
        {"a second pick of it", 2, 1, true, RefusalId::AlreadyAnswered},
        {"a second pick, the same list", 2, 0, true, RefusalId::AlreadyAnswered},
        {"the turn before", 1, 0, false, RefusalId::NotOnScreen},
        {"a turn not dealt yet", 3, 0, false, RefusalId::NotOnScreen},
        {"a side that is no list", 2, 2, false, RefusalId::OutOfRange},
        {"a side below the first", 2, -1, false, RefusalId::OutOfRange},
        {"a token never given", 2, 0, false, RefusalId::UnknownToken, std::string(32, 'a')},
    };
    for (const PickCase& c : cases) {
        SCOPED_TRACE(c.label);
        NetworkLesson lesson = lessonWith(setupAt(1));
        const Joined entered = joined(lesson, "Иван", "device-a");
        EXPECT_EQ(std::get<RefusalId>(lesson.next(entered.token)), RefusalId::NotAnswered);
        judged(lesson, pickOf(entered.token, 1, 0));
        ASSERT_EQ(std::get<PupilView>(lesson.next(entered.token)).turn.number, 2);
        std::optional<JudgedTurn> first;
        if (c.pickedBefore) {
            first = judged(lesson, pickOf(entered.token, 2, 1 - c.side)).shown;
        }
        const std::string token = c.token.empty() ? entered.token : c.token;
        const auto outcome = lesson.pick(pickOf(token, c.turn, c.side), kAnswerTime);
        const auto view = std::get<PupilView>(lesson.resume(entered.token));
        if (c.refused) {
            ASSERT_TRUE(std::holds_alternative<RefusalId>(outcome));
            EXPECT_EQ(refusalName(std::get<RefusalId>(outcome)), refusalName(*c.refused));
            EXPECT_EQ(view.judged, first); // the first answer stands, or none
            EXPECT_EQ(view.answered, first ? 2 : 1);
            continue;
        }
        const Judgement& judgement = std::get<Judgement>(outcome);
        EXPECT_EQ(judgement.shown.right, c.side == judgement.shown.realSide);
        EXPECT_EQ(judgement.shown.answered, 2);
        EXPECT_EQ(view.judged, judgement.shown);
    }
}

// The verdict as the quiz window gives it, in the pupil's number style, and the row as a class
// folder's rows are: no seed written, the stream's seed sealed for the teacher, and it deals the
// turn the pupil was shown.
TEST(NetworkLessonPick, ReportsAsTheWindowAndWritesTheRowOfAClassFolder) {
    const SealKeys keys = makeSealKeys();
    LessonSetup setup = setupAt(3);
    setup.seedKey = keys.publicKey;
    NetworkLesson lesson = lessonWith(setup);
    JoinRequest request = joinRequest(lesson, "Мария", "device-a");
    request.style = pupilNumberStyle(".");
    const auto entered = std::get<Joined>(lesson.join(request, "10.0.0.1", LessonTime{0}));
    const Judgement judgement = judged(lesson, pickOf(entered.token, 1, 0));
    const ResultRow& row = judgement.row;
    using Fields = std::tuple<std::string, int, int, std::string, std::string, std::string>;
    EXPECT_EQ(Fields(row.time, row.turn, row.level, row.data, row.pupil, row.host),
              Fields(kAnswerTime, 1, 3, "ecb", "Мария", kLessonHost));
    EXPECT_EQ(std::tie(row.staircase, row.chosenSide, row.realSide),
              std::tuple(0, 0, judgement.shown.realSide));
    EXPECT_FALSE(row.seed);
    const std::optional<RunSeed> sealed = openSeed(row.sealedSeed, keys);
    ASSERT_TRUE(sealed);
    EXPECT_EQ(sealed->origin, SeedOrigin::Own);
    EXPECT_EQ(sealed->run, row.run);
    SeededRandomSource replay(sealed->seed);
    const NumberStyle style = pupilNumberStyle(".");
    const Turn turn = NewTurn(replay, style, *DataSet::ecb(), 3);
    EXPECT_EQ(turn.lists, entered.view.turn.lists);
    EXPECT_EQ(turn.RealSide, row.realSide);
    EXPECT_EQ(turn.name, entered.view.turn.currency);
    EXPECT_EQ(judgement.shown.report, reportAfterPick(turn, row.realSide == 0, style));
    EXPECT_EQ(judgement.shown.spread, spreadText(turn, style));
}

// A change of the setup deals from each pupil's next turn: the turn on screen is judged as it
// was dealt.
TEST(NetworkLessonSetup, AppliesFromEachPupilsNextTurn) {
    NetworkLesson lesson = lessonWith(setupAt(0, DataSet::catalogue()));
    const Joined entered = joined(lesson, "Иван", "device-a");
    lesson.changeSetup(setupAt(4));
    const Judgement first = judged(lesson, pickOf(entered.token, 1, 0));
    EXPECT_EQ(std::tie(first.row.level, first.row.data), std::tuple(0, "catalogue"));
    EXPECT_EQ(std::get<PupilView>(lesson.next(entered.token)).turn.level, 4);
    EXPECT_EQ(judged(lesson, pickOf(entered.token, 2, 0)).row.data, "ecb");
    LessonSetup none = setupAt(0);
    none.data = nullptr;
    EXPECT_THROW(lesson.changeSetup(none), std::invalid_argument);
    EXPECT_THROW(lesson.changeSetup(setupAt(kLevelCount)), std::out_of_range);
}

// With a class seed every pupil is dealt the same turns from its start, each pupil's rows still
// a run of their own; without, each their own stream.
TEST(NetworkLessonSetup, AClassSeedDealsEveryPupilTheSameTurns) {
    LessonSetup setup = setupAt(1);
    NetworkLesson lesson = lessonWith(setup);
    const Joined ivan = joined(lesson, "Иван", "device-a");
    const Joined maria = joined(lesson, "Мария", "device-b");
    EXPECT_NE(ivan.view.turn.lists, maria.view.turn.lists);
    const Judgement ivanOwn = judged(lesson, pickOf(ivan.token, 1, 0));
    judged(lesson, pickOf(maria.token, 1, 0));
    setup.classSeed = 99;
    lesson.changeSetup(setup);
    const auto ivanNext = std::get<PupilView>(lesson.next(ivan.token));
    EXPECT_EQ(ivanNext.turn.lists, std::get<PupilView>(lesson.next(maria.token)).turn.lists);
    SeededRandomSource classStream(99);
    EXPECT_EQ(NewTurn(classStream, pupilNumberStyle(","), *DataSet::ecb(), 1).lists,
              ivanNext.turn.lists);
    const Judgement ivanClass = judged(lesson, pickOf(ivan.token, 2, 0));
    EXPECT_EQ(ivanClass.row.turn, 1); // the class stream's first
    EXPECT_NE(ivanClass.row.run, ivanOwn.row.run);
    EXPECT_NE(ivanClass.row.run, judged(lesson, pickOf(maria.token, 2, 0)).row.run);
}
