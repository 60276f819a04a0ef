#include "core/network_lesson/lesson_restore.h"

#include "core/results/result_row.h"
#include "tests/core/network_lesson/lesson_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

using namespace quiz;

namespace {

// One row as the host writes it: who, when, right or not, at which level and staircase.
struct Written {
    std::string pupil = "Иван";
    int minute = 0;
    bool right = true;
    int level = 1;
    int staircase = 1;
    std::uint64_t run = 0xA1;
    std::string host = std::string(kLessonHost);
};

std::string fileOf(const std::vector<Written>& rows) {
    std::string file = std::string(csvHeader()) + "\r\n";
    int turn = 0;
    for (const Written& w : rows) {
        char time[32];
        std::snprintf(time, sizeof time, "2026-12-08T09:%02d:00+02:00", w.minute);
        file += csvLine({.time = time,
                         .turn = ++turn,
                         .currency = "USD",
                         .currencyName = "щатски долар - USD",
                         .realSide = 0,
                         .chosenSide = w.right ? 0 : 1,
                         .spread = 0.04,
                         .level = w.level,
                         .data = "ecb",
                         .pupil = w.pupil,
                         .host = w.host,
                         .staircase = w.staircase,
                         .run = w.run});
    }
    return file;
}

struct Expected {
    std::string pupil;
    int answered;
    int right;
    std::optional<int> level; // of the staircase read back; none for none
};

struct RestoreCase {
    std::string label;
    std::vector<std::string> files;
    std::vector<Expected> pupils;
};

std::vector<Written> climbing(int rights, std::string pupil = "Иван") {
    std::vector<Written> rows;
    for (int i = 0; i < rights; ++i) {
        rows.push_back({.pupil = pupil, .minute = i, .level = 1 + i / 3});
    }
    return rows;
}

} // namespace

TEST(LessonRestore, ReadsEachPupilsStandingFromTheirRows) {
    const std::string twoPupils =
        fileOf({{.pupil = "Иван", .minute = 1}, {.pupil = "Мария", .minute = 2, .right = false}});
    std::string badRows = fileOf(climbing(2));
    badRows += "2026-12-08T09:30:00+02:00,,3,USD,x,0,1,1,0.04,1,ecb,Иван,TEACHER-PC,1,"
               "00000000000000a1,\r\n"; // says right, yet picked the other list
    badRows += "not,a,row\r\n";
    const std::vector<RestoreCase> cases{
        {"two pupils in one file", {twoPupils}, {{"Иван", 1, 1, 1}, {"Мария", 1, 0, 0}}},
        {"a staircase three rights up", {fileOf(climbing(3))}, {{"Иван", 3, 3, 2}}},
        {"a staircase two rights on", {fileOf(climbing(5))}, {{"Иван", 5, 5, 2}}},
        {"a wrong answer one down",
         {fileOf({{.minute = 1, .level = 3}, {.minute = 2, .right = false, .level = 3}})},
         {{"Иван", 2, 1, 2}}},
        {"a fixed level last: no staircase",
         {fileOf({{.minute = 1}, {.minute = 2, .level = 4, .staircase = 0}})},
         {{"Иван", 2, 2, std::nullopt}}},
        {"a new staircase in the run starts afresh",
         {fileOf({{.minute = 1}, {.minute = 2}, {.minute = 3, .staircase = 2}})},
         {{"Иван", 3, 3, 1}}},
        {"a staircase carried over a restart, in two files",
         {fileOf(climbing(2)), fileOf({{.minute = 9, .run = 0xB2}})},
         {{"Иван", 3, 3, 2}}},
        {"files read out of time order",
         {fileOf({{.minute = 9, .right = false, .level = 2, .run = 0xB2}}), fileOf(climbing(3))},
         {{"Иван", 4, 3, 1}}},
        {"a copied file counted once",
         {fileOf(climbing(3)), fileOf(climbing(3))},
         {{"Иван", 3, 3, 2}}},
        {"another host's rows are not the lesson's",
         {fileOf({{.host = "PC07"}}), fileOf({{.pupil = "Мария"}})},
         {{"Мария", 1, 1, 1}}},
        {"names in another case, as the first row spells it",
         {fileOf({{.pupil = "вера", .minute = 5, .run = 0xB2}}),
          fileOf({{.pupil = "Вера", .minute = 1}, {.pupil = "Вера", .minute = 2}})},
         {{"Вера", 3, 3, 2}}},
        {"Latin look-alikes are another pupil",
         {fileOf({{.pupil = "Вера"}, {.pupil = "Bepa", .minute = 1}})},
         {{"Bepa", 1, 1, 1}, {"Вера", 1, 1, 1}}},
        {"a name no join keeps", {fileOf({{.pupil = " Иван"}, {.pupil = "Ив\tан"}})}, {}},
        {"rows that do not read are left out", {badRows}, {{"Иван", 2, 2, 1}}},
        {"an older version's file",
         {"time,seed,turn,currency,currency_name,real_side,"
          "chosen_side,right,spread\r\n"},
         {}},
        {"no file at all", {""}, {}},
    };
    for (const RestoreCase& c : cases) {
        SCOPED_TRACE(c.label);
        LessonRestore restore{std::string(kLessonHost)};
        for (const std::string& file : c.files) {
            restore.readFile(file);
        }
        const std::vector<RestoredPupil> pupils = restore.pupils();
        ASSERT_EQ(pupils.size(), c.pupils.size());
        for (std::size_t i = 0; i < pupils.size(); ++i) {
            const Expected& e = c.pupils[i];
            EXPECT_EQ(pupils[i].name, e.pupil);
            EXPECT_EQ(pupils[i].standing.answered, e.answered);
            EXPECT_EQ(pupils[i].standing.rightCount, e.right);
            const auto& staircase = pupils[i].standing.staircase;
            EXPECT_EQ(staircase ? std::optional<int>(staircase->level()) : std::nullopt, e.level);
        }
    }
}

// A pupil read back belongs to the first device that joins with their name, and goes on from
// their count and staircase in a new stream; one who joined already keeps their own.
TEST(LessonRestore, APupilReadBackIsClaimedByTheFirstDevice) {
    LessonRestore restore{std::string(kLessonHost)};
    restore.readFile(fileOf(climbing(4)));
    restore.readFile(fileOf(climbing(2, "Мария")));
    NetworkLesson lesson = lessonWith(setupAt(kAdaptiveLevel));
    const Joined maria = joined(lesson, "Мария", "device-m");
    lesson.restore(restore.pupils());
    EXPECT_EQ(lesson.pupilCount(), 2U);
    EXPECT_EQ(std::get<PupilView>(lesson.resume(maria.token)).answered, 0);
    const Joined ivan = joined(lesson, "Иван", "tablet-3");
    EXPECT_EQ(std::tie(ivan.view.answered, ivan.view.turn.number, ivan.view.turn.level),
              std::tuple(4, 5, 2));
    const auto other =
        lesson.join(joinRequest(lesson, "Иван", "tablet-9"), "10.0.0.2", LessonTime{0});
    EXPECT_EQ(std::get<RefusalId>(other), RefusalId::NameTaken);
    const Judgement fifth = judged(lesson, pickOf(ivan.token, 5, 0));
    EXPECT_EQ(std::tie(fifth.shown.answered, fifth.row.turn, fifth.row.staircase),
              std::tuple(5, 1, 1));
}
