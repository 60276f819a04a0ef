#include "core/class/class_export.h"
#include "core/class/class_results.h"
#include "core/results/class_file_name.h"
#include "core/results/result_row.h"
#include "core/seal/seal_keys.h"
#include "core/seal/sealed_seed.h"
#include "core/turns/turn.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace quiz;

namespace {

const std::string kHeader = std::string(csvHeader()) + "\r\n";
const std::string kOlderHeader =
    "time,seed,turn,currency,currency_name,real_side,chosen_side,right,spread\r\n";
const std::string kPlainSeedHeader = "time,seed,turn,currency,currency_name,real_side,chosen_side,"
                                     "right,spread,level,data,pupil,host\r\n";
const std::string kByteOrderMark = "\xEF\xBB\xBF";
// The file a run of row()'s default pupil writes.
const std::string kMaria = classFileName("Мария, 7б", "PC07", 0);

// A row as the quiz writes it; `minute` past 09:00 at +02:00.
std::string row(int minute, bool right, const std::string& pupil = "Мария, 7б",
                std::string currency = "USD", int level = 0, std::string data = "catalogue") {
    const std::string time = "2026-12-08T09:" + std::string(minute < 10 ? "0" : "") +
                             std::to_string(minute) + ":00+02:00";
    return csvLine({.time = time,
                    .seed = 7,
                    .turn = minute + 1,
                    .currency = currency,
                    .currencyName = "британски паунд - GBP \r\nвтори ред",
                    .realSide = 1,
                    .chosenSide = right ? 1 : 0,
                    .spread = 0.1,
                    .decimals = 5,
                    .level = level,
                    .data = data,
                    .pupil = pupil,
                    .host = "PC07",
                    .run = 7});
}

using Files = std::vector<std::pair<std::string, std::string>>;

ClassResults read(const Files& files) {
    ClassResults results;
    for (const auto& [name, bytes] : files) {
        results.feed(name, bytes);
    }
    return results;
}

using Id = ClassReasonId;

} // namespace

namespace quiz {
// A skipped line or a file or row left out, as a failed expectation prints it.
void PrintTo(const Skipped& skipped, std::ostream* out);
} // namespace quiz

// A skipped line or a file or row left out, as a failed expectation prints it.
void quiz::PrintTo(const Skipped& skipped, std::ostream* out) {
    *out << skipped.file << ":" << skipped.line << ": #" << static_cast<int>(skipped.reason.id);
    for (const std::string& argument : skipped.reason.arguments) {
        *out << " [" << argument << "]";
    }
}

TEST(ClassResults, ReadsTodaysAndOlderFilesWithOrWithoutByteOrderMark) {
    const ClassResults results = read({
        {classFileName("Мария \"Мими\", 7б", "PC07", 0),
         kByteOrderMark + kHeader + row(0, true, "Мария \"Мими\", 7б", "GBP", 3, "ecb")},
        {"Петров.CSV", kOlderHeader + "2026-12-08T09:15:00+02:00,7,1,USD,\"щатски долар, USD\","
                                      "0,0,1,0.1\r\n\r\n"},
    });
    const std::vector<PupilSummary> pupils = results.pupils();
    ASSERT_EQ(pupils.size(), 2U) << testing::PrintToString(results.skipped());
    EXPECT_EQ(pupils[0].pupil, "Мария \"Мими\", 7б"); // quoted, after a field with CR LF
    EXPECT_EQ(pupils[0].levels, std::vector<int>{3});
    EXPECT_EQ(pupils[0].data, std::vector<std::string>{"ecb"});
    EXPECT_EQ(pupils[1].pupil, "Петров");
    EXPECT_EQ(pupils[1].levels, std::vector<int>{0});
    EXPECT_EQ(pupils[1].data, std::vector<std::string>{"catalogue"});
    EXPECT_EQ(pupils[1].right, 1);
    EXPECT_TRUE(results.skipped().empty());
}

TEST(ClassResults, CountsALastLineOnlyOnceItIsWhole) {
    const std::string rows[] = {row(0, true), row(1, false), row(2, true)};
    const std::string file = kByteOrderMark + kHeader + rows[0] + rows[1] + rows[2];
    for (std::size_t cut = 0; cut <= file.size(); ++cut) {
        int whole = 0; // rows whose line end is before the cut
        for (std::size_t end = kByteOrderMark.size() + kHeader.size(); const auto& r : rows) {
            end += r.size();
            whole += end <= cut ? 1 : 0;
        }
        ClassResults results;
        results.feed(kMaria, file.substr(0, cut));
        EXPECT_EQ(results.summary().total.answered, whole) << cut;
        EXPECT_TRUE(results.skipped().empty()) << cut;
        results.feed(kMaria, file.substr(cut));
        EXPECT_EQ(results.summary().total.answered, 3) << cut;
        EXPECT_EQ(results.summary().total.correct, 2) << cut;
        EXPECT_EQ(results.offset(kMaria), file.size());
    }
    ClassResults byteByByte;
    for (const char byte : file) {
        byteByByte.feed(kMaria, std::string_view(&byte, 1));
    }
    EXPECT_EQ(byteByByte.summary().total.answered, 3);
}

TEST(ClassResults, ReadsAReplacedFileAgainAndForgetsAGoneOne) {
    ClassResults results = read({{kMaria, kHeader + row(0, true) + row(1, true) + row(2, true)},
                                 {"Иван.csv", kHeader + row(3, false, "Иван")}});
    EXPECT_EQ(results.summary().total.answered, 4);
    results.restart(kMaria);
    EXPECT_EQ(results.offset(kMaria), 0U);
    EXPECT_EQ(results.summary().total.answered, 1);
    results.feed(kMaria, kHeader + row(0, false));
    EXPECT_EQ(results.summary().total.answered, 2);
    EXPECT_EQ(results.summary().total.correct, 0);
    results.forget("Иван.csv");
    EXPECT_EQ(results.summary().total.answered, 1);
    EXPECT_EQ(results.fileNames(), std::vector<std::string>{kMaria});
}

TEST(ClassResults, SkipsBadLinesAndFilesWithTheirPlaceAndReadsTheRest) {
    struct Case {
        std::string badLine;
        ClassReason reason;
    };
    const std::string run = ",0,0000000000000007,"; // no staircase, run 7
    const std::string good = "2026-12-08T09:20:00+02:00,7,21,USD,долар,1,1,1,0.1,0,ecb,m,PC07" + run;
    const Case cases[] = {
        {"2026-12-08T09:20:00+02:00,7,21,USD,долар,1,1,1,0.1,0,ecb,m" + run,
         {Id::FieldCount, {"15", "16"}}},
        {"2026-12-08T09:20:00+02:00,7,21,USD,долар,1,1,1,0.1,0,ecb,m,PC07,x,0000000000000007,",
         {Id::StaircaseNotWhole, {"'x'"}}},
        {"2026-12-08T09:20:00+02:00,7,21,USD,долар,1,1,1,0.1,0,ecb,m,PC07,-1,0000000000000007,",
         {Id::StaircaseNotWhole, {"'-1'"}}},
        {"2026-12-08T09:20:00+02:00,x,21,USD,долар,1,1,1,0.1,0,ecb,m,PC07" + run,
         {Id::SeedNotWhole, {"'x'"}}},
        {"2026-12-08T09:20:00+02:00,7,21,USD,долар,1,1,2,0.1,0,ecb,m,PC07" + run,
         {Id::NotABit, {"right", "'2'"}}},
        {"2026-12-08T09:20:00+02:00,7,21,USD,долар,1,x,1,0.1,0,ecb,m,PC07" + run,
         {Id::NotABit, {"chosen_side", "'x'"}}},
        {"2026-12-08T09:20:00+02:00,7,21,USD,долар,1,1,1,0.1,5,ecb,m,PC07" + run,
         {Id::LevelOutOfRange, {"'5'", "4"}}},
        {"2026-12-08T09:20:00+02:00,7,21,USD,долар,1,0,1,0.1,0,ecb,m,PC07" + run,
         {Id::RightButOtherSide}},
        {"2026-12-08T09:20:00+02:00,7,21,US\"D,долар,1,1,1,0.1,0,ecb,m,PC07" + run,
         {Id::QuoteInPlainField}},
        {"2026-12-08T09:20:00+02:00,7,21,USD,\"долар,1,1,1,0.1,0,ecb,m,PC07" + run,
         {Id::UnclosedQuote}},
        {"2026-12-08T09:20:00+02:00,7,21,USD,\"долар\"x,1,1,1,0.1,0,ecb,m,PC07" + run,
         {Id::TextAfterQuote}},
        {"2026-12-08T09:20:00+02:00,,21,USD,долар,1,1,1,0.1,0,ecb,m,PC07,0,00000000000007,",
         {Id::RunNotRead, {"'00000000000007'"}}},
        {"2026-12-08T09:20:00+02:00,,21,USD,долар,1,1,1,0.1,0,ecb,m,PC07,0,-000000000000007,",
         {Id::RunNotRead, {"'-000000000000007'"}}},
        {"2026-12-08T09:20:00+02:00,,21,USD,долар,1,1,1,0.1,0,ecb,m,PC07,0,0000000000000007,7 ",
         {Id::SealedNotRead}},
        {"2026-12-08T09:20:00+02:00,,21,USD,долар,1,1,1,0.1,0,ecb,m,PC07,0,0000000000000007," +
             std::string(kSealedSeedMostCharacters + 1, 'A'),
         {Id::SealedNotRead}},
    };
    for (const Case& c : cases) {
        for (const std::string& after : {row(30, true, "m"), good + "\r\n"}) {
            const ClassResults results = read({
                {"m.csv", kHeader + row(10, true, "m") + c.badLine + "\r\n" + after},
                {"x.csv", "date;value\r\n" + row(0, true)},
            });
            EXPECT_EQ(
                results.skipped(),
                (std::vector<Skipped>{{"m.csv", 4, c.reason}, // the first row takes lines 2 and 3
                                      {"x.csv", 1, {Id::NotAHeader, {"'date;value'"}}}}));
            EXPECT_EQ(results.summary().total.answered, 2) << c.badLine;
        }
    }
}

TEST(ClassResults, ReadsAnUnclosedQuoteAlikeInOnePieceOrByteByByte) {
    // The quote opened on line 2 closes on line 4 into 13 sound-looking fields; line 3 is a
    // whole row of its own, so the quote is the fault.
    const std::string file =
        kPlainSeedHeader + "2026-12-08T09:00:00+02:00,7,1,USD,\"долар,1,1,1,0.1,0,ecb,m,PC07\r\n" +
        "2026-12-08T09:01:00+02:00,7,2,USD,долар,1,0,0,0.1,0,ecb,m,PC07\r\n" +
        "x\",1,1,1,0.1,0,ecb,m,PC07\r\n";
    ClassResults byteByByte;
    for (const char byte : file) {
        byteByByte.feed("m.csv", std::string_view(&byte, 1));
    }
    ClassResults whole = read({{"m.csv", file}});
    for (const ClassResults* results : {&whole, &byteByByte}) {
        EXPECT_EQ(results->skipped(),
                  (std::vector<Skipped>{{"m.csv", 2, {Id::UnclosedQuote}},
                                        {"m.csv", 4, {Id::QuoteInPlainField}}}));
        EXPECT_EQ(results->summary().total.answered, 1);
    }
}

TEST(ClassResults, NeitherKeepsNorWaitsForALineLongerThanAnyRow) {
    ClassResults results;
    const std::string noise(200000, 'z');
    EXPECT_TRUE(results.feed("a.csv", kHeader + row(0, true, "a") + noise));
    results.feed("a.csv", noise + "\r\n" + row(1, true, "a"));
    std::string bad;
    for (int line = 0; line < 25; ++line) {
        bad += "1,2\r\n";
    }
    results.feed("b.csv", std::string(100000, '\xFF'));
    results.feed("c.csv", kHeader + bad);
    EXPECT_EQ(results.summary().total.answered, 2);
    const std::vector<Skipped> skipped = results.skipped();
    ASSERT_EQ(skipped.size(), 23U);
    EXPECT_EQ(skipped[0], (Skipped{"a.csv", 4, {Id::LineTooLong, {"65536"}}})); // 2 lines a row
    EXPECT_EQ(skipped[1],
              (Skipped{"b.csv", 1, {Id::NotAHeader, {"'" + std::string(24, '\xFF') + "…'"}}}));
    EXPECT_EQ(skipped.back(), (Skipped{"c.csv", 0, {Id::MoreSkipped, {"5"}}}));

    // A header that runs on into a quote still open is no header, however the quote ends.
    ClassResults openHeader;
    openHeader.feed("d.csv", std::string(csvHeader()) + ",\"" + std::string(600, 'x'));
    EXPECT_TRUE(openHeader.refused("d.csv"));
}

TEST(ClassResults, PutsAPupilsFilesInTimeOrderForTheBestStreak) {
    // In UTC the wrong answer comes first, though its local time reads later.
    const std::string wrongFirst =
        "2026-12-08T10:01:00+03:00,7,1,USD,долар,1,0,0,0.1,0,catalogue,m,PC07,0,0000000000000007,\r\n";
    const std::string later =
        "2026-12-08T10:04:00+03:00,7,2,USD,долар,1,1,1,0.1,2,catalogue,m,PC07,0,0000000000000007,\r\n";
    const Files files = {{"m_PC07_a.csv", kHeader + row(2, true, "m") + row(3, true, "m")},
                         {"m_PC07_b.csv", kHeader + wrongFirst + later},
                         {"m_PC07_copy.csv", kHeader + row(2, true, "m") + row(3, true, "m")},
                         {"Иван.csv", kHeader + row(0, true, "Иван", "GBP")}};
    const std::vector<PupilSummary> pupils = read(files).pupils();
    ASSERT_EQ(pupils.size(), 2U);
    EXPECT_EQ(pupils[0].pupil, "m");
    EXPECT_EQ(pupils[0].answered, 4); // the copy counts once
    EXPECT_EQ(pupils[0].right, 3);
    EXPECT_EQ(pupils[0].bestStreak, 3);
    EXPECT_EQ(pupils[0].levels, (std::vector<int>{0, 2}));

    const ClassSummary summary = read(files).summary();
    EXPECT_EQ(summary.total.answered, 5);
    EXPECT_EQ(summary.levels[2].answered, 1);
    ASSERT_EQ(summary.currencies.size(), 2U);
    EXPECT_EQ(summary.currencies[0].first, "GBP");
    EXPECT_EQ(summary.currencies[1].second.correct, 3);
    EXPECT_EQ(summary.pupils, 2);
}

TEST(ClassResults, CountsThePupilsWhoBeatGuessing) {
    std::string sure = kHeader;
    for (int minute = 0; minute < 6; ++minute) {
        sure += row(minute, true, "m", "USD", 2);
    }
    const ClassResults results =
        read({{"m.csv", sure}, {"n.csv", kHeader + row(0, true, "n", "USD", 2)}});
    EXPECT_EQ(results.summary().pupilsBeatingGuessing, 1); // 6 of 6: 1.6 %; 1 of 1: 50 %
    EXPECT_TRUE(results.pupils()[0].beatsGuessing);
}

TEST(ExportCsv, WritesEachFormExactly) {
    const std::vector<PupilSummary> pupils = {
        {.pupil = "Мария, 7б",
         .host = "PC07",
         .answered = 16,
         .right = 13,
         .accuracy = 0.8125,
         .bestStreak = 5,
         .levels = {0, 3},
         .data = {"catalogue", "ecb"},
         .judgedAnswered = 12,
         .judgedRight = 10,
         .guessingChance = 697.0 / 65536,
         .beatsGuessing = true,
         .reached = ReachedLevel{.level = 13.0 / 6, .reversals = 6}},
        {.pupil = "=1+1",
         .host = "-PC",
         .answered = 1,
         .right = 0,
         .accuracy = 0.0,
         .bestStreak = 0,
         .levels = {1},
         .data = {"a;b.csv@0123"},
         .judgedAnswered = 1,
         .judgedRight = 0,
         .guessingChance = 1.0,
         .beatsGuessing = false,
         .reached = ReachedLevel{.level = 0.0, .reversals = 0}},
        {.pupil = "",
         .host = "",
         .answered = 2,
         .right = 2,
         .accuracy = 1.0,
         .bestStreak = 2,
         .levels = {0},
         .data = {"", "ecb"},
         .judgedAnswered = 0,
         .judgedRight = 0,
         .guessingChance = 1.0,
         .beatsGuessing = false,
         .reached = std::nullopt},
    };
    // The words the teacher's window gives.
    const ExportWords words{{"Ученик", "Компютър", "Отговори", "Верни", "Точност, %",
                             "Най-дълга серия", "Нива", "Данни", "Отговори над ниво 0",
                             "Верни над ниво 0", "Шанс при налучкване, %", "Над налучкването",
                             "Достигнато ниво", "Обръщания на трудността"},
                            "да",
                            "не"};
    EXPECT_EQ(exportCsv(pupils, ExportForm::Plain, words),
              "pupil,host,answered,right,accuracy_percent,best_streak,levels,data,"
              "answered_above_level_0,right_above_level_0,guessing_chance_percent,"
              "beats_guessing,reached_level,reached_level_reversals\r\n"
              "\"Мария, 7б\",PC07,16,13,81.3,5,0 + 3,catalogue + ecb,12,10,1.064,1,2.17,6\r\n"
              "=1+1,-PC,1,0,0.0,0,1,a;b.csv@0123,1,0,100.000,0,0,0\r\n"
              ",,2,2,100.0,2,0,\" + ecb\",0,0,,,,\r\n");
    EXPECT_EQ(exportCsv(pupils, ExportForm::BulgarianExcel, words),
              "\xEF\xBB\xBFУченик;Компютър;Отговори;Верни;Точност, %;Най-дълга серия;Нива;"
              "Данни;Отговори над ниво 0;Верни над ниво 0;Шанс при налучкване, %;"
              "Над налучкването;Достигнато ниво;Обръщания на трудността\r\n"
              "Мария, 7б;PC07;16;13;81,3;5;0 + 3;catalogue + ecb;12;10;1,064;да;2,17;6\r\n"
              "'=1+1;'-PC;1;0;0,0;0;1;\"a;b.csv@0123\";1;0;100,000;не;0;0\r\n"
              ";;2;2;100,0;2;0;\" + ecb\";0;0;;;;\r\n");
}

namespace {

// A row of pupil `pupil` on `host`, at 09:00 plus `second`, of seed 7 unless given.
std::string answered(int turn, int second, const std::string& pupil, const std::string& host,
                     int level = 2, std::uint32_t seed = 7) {
    return csvLine({.time = "2026-12-08T09:" + std::string(second < 600 ? "0" : "") +
                            std::to_string(second / 60) + ":" + (second % 60 < 10 ? "0" : "") +
                            std::to_string(second % 60) + "+02:00",
                    .seed = seed,
                    .turn = turn,
                    .currency = "USD",
                    .currencyName = "щатски долар",
                    .realSide = 1,
                    .chosenSide = 1,
                    .spread = 0.1,
                    .decimals = 5,
                    .level = level,
                    .data = "ecb",
                    .pupil = pupil,
                    .host = host,
                    .run = seed});
}

std::string run(const std::string& pupil, const std::string& host, std::vector<int> turns,
                int shift = 0) {
    std::string bytes = kHeader;
    for (std::size_t i = 0; i < turns.size(); ++i) {
        bytes += answered(turns[i], static_cast<int>(i) * 10 + shift, pupil, host);
    }
    return bytes;
}

// The file with turn `turn`'s pick changed to the other side, and so wrong.
std::string toldOtherwise(std::string bytes, int turn) {
    const std::string row = answered(turn, (turn - 1) * 10, "ivan", "PC03");
    std::string changed = row;
    const std::size_t at = changed.find(",1,1,1,");
    changed.replace(at, 7, ",1,0,0,");
    return bytes.replace(bytes.find(row), row.size(), changed);
}

// One row for each of `count` seeds.
std::string manyRuns(const std::string& pupil, const std::string& host, int count) {
    std::string bytes = kHeader;
    for (int seed = 1; seed <= count; ++seed) {
        bytes += answered(1, 0, pupil, host, 2, static_cast<std::uint32_t>(seed));
    }
    return bytes;
}

} // namespace

TEST(ClassResults, CountsEachAnswerOnceAndLeavesOutFilesThatCannotBeTrusted) {
    struct Case {
        const char* what;
        Files files;
        int answered;
        std::vector<Skipped> notCounted;
    };
    const std::string ivan = run("ivan", "PC03", {1, 2, 3});
    const Case cases[] = {
        {"a copy with every time a second later",
         {{"ivan_PC03_1.csv", ivan}, {"ivan_PC03_2.csv", run("ivan", "PC03", {1, 2, 3}, 1)}},
         3,
         {}},
        {"rows of another pupil",
         {{"ivan_PC03_1.csv", ivan}, {"ivan_PC03_2.csv", run("maria", "PC03", {4, 5})}},
         3,
         {{"ivan_PC03_2.csv", 0, {Id::OtherPupil, {"2", "'maria'", "'PC03'"}}}}},
        {"rows of another computer",
         {{"ivan_PC03_2.csv", run("ivan", "PC04", {4})}},
         0,
         {{"ivan_PC03_2.csv", 0, {Id::OtherPupil, {"2", "'ivan'", "'PC04'"}}}}},
        {"times going back",
         {{"ivan_PC03_1.csv",
           kHeader + answered(1, 30, "ivan", "PC03") + answered(2, 20, "ivan", "PC03")}},
         0,
         {{"ivan_PC03_1.csv", 0, {Id::TimeGoesBack, {"3"}}}}},
        {"a turn again",
         {{"ivan_PC03_1.csv", run("ivan", "PC03", {1, 2, 2})}},
         0,
         {{"ivan_PC03_1.csv", 0, {Id::TurnRepeated, {"4", "2", "7"}}}}},
        {"the same turns by another pupil",
         {{"ivan_PC03_1.csv", ivan}, {"maria_PC03_1.csv", run("maria", "PC03", {1, 2, 3})}},
         6,
         {}},
        {"a copy that tells turn 2 otherwise, at the same time: its wrong answer counts",
         {{"ivan_PC03_1.csv", ivan}, {"ivan_PC03_2.csv", toldOtherwise(ivan, 2)}},
         3,
         {{"ivan_PC03_1.csv", 3, {Id::RepeatedTurns, {"1", "ivan_PC03_2.csv"}}}}},
        {"more runs than a file holds",
         {{"ivan_PC03_1.csv", manyRuns("ivan", "PC03", 257)}},
         0,
         {{"ivan_PC03_1.csv", 0, {Id::TooManyRuns, {"258", "256"}}}}},
        {"a name that makes no file name whole",
         {{"ivan_PC03.csv", run("ivan", "PC03", {1})}, {"ivan.csv", run("ivan", "PC03", {2})}},
         2,
         {}},
    };
    for (const Case& c : cases) {
        const ClassResults results = read(c.files);
        EXPECT_EQ(results.summary().total.answered, c.answered) << c.what;
        EXPECT_EQ(results.notCounted(), c.notCounted) << c.what;
    }
}

TEST(ClassResults, TellsPupilsOfOneLoginApartByComputer) {
    const ClassResults results = read({{"student_PC01_1.csv", run("student", "PC01", {1, 2})},
                                       {"student_PC02_1.csv", run("student", "PC02", {1})},
                                       {"student_PC07_1.csv", run("student", "PC07", {1, 2, 3})}});
    const std::vector<PupilSummary> pupils = results.pupils();
    ASSERT_EQ(pupils.size(), 3U);
    EXPECT_EQ(pupils[2].pupil, "student");
    EXPECT_EQ(pupils[2].host, "PC07");
    EXPECT_EQ(pupils[2].answered, 3);
    EXPECT_EQ(results.summary().pupils, 3);
}

TEST(ClassResults, JudgesAPupilOnlyAboveLevelZero) {
    // 31 of 31 at level 0 and 15 of 30 at level 3: the level-0 answers would carry the verdict.
    std::string bytes = kHeader;
    for (int turn = 1; turn <= 61; ++turn) {
        const bool levelZero = turn <= 31;
        std::string line = answered(turn, turn, "m", "PC07", levelZero ? 0 : 3);
        if (!levelZero && turn % 2 == 0) {
            line.replace(line.find(",1,1,1,0.1"), 10, ",1,0,0,0.1");
        }
        bytes += line;
    }
    const ClassResults results =
        read({{"m_PC07_1.csv", bytes}, {"n_PC07_1.csv", kHeader + answered(1, 1, "n", "PC07", 0)}});
    const std::vector<PupilSummary> pupils = results.pupils();
    ASSERT_EQ(pupils.size(), 2U);
    EXPECT_EQ(pupils[0].answered, 61);
    EXPECT_EQ(pupils[0].right, 46);
    EXPECT_EQ(pupils[0].judgedAnswered, 30);
    EXPECT_EQ(pupils[0].judgedRight, 15);
    EXPECT_FALSE(pupils[0].beatsGuessing);
    EXPECT_EQ(pupils[1].judgedAnswered, 0); // level 0 only: no verdict
    EXPECT_FALSE(pupils[1].beatsGuessing);
    EXPECT_EQ(results.summary().pupilsJudged, 1);
    EXPECT_EQ(results.summary().pupilsBeatingGuessing, 0);
}

TEST(ClassResults, LeavesOutARowItsSeedCouldNotHaveDealt) {
    SeededRandomSource random(99);
    std::string bytes = kHeader;
    std::string forged;
    for (int turn = 1; turn <= 4; ++turn) {
        const Turn dealt = NewTurn(random, {}, *DataSet::ecb(), 2);
        const int side = turn == 3 ? 1 - dealt.RealSide : dealt.RealSide;
        bytes += csvLine({.time = "2026-12-08T09:0" + std::to_string(turn) + ":00Z",
                          .seed = 99,
                          .turn = turn,
                          .currency = dealt.code,
                          .currencyName = dealt.name,
                          .realSide = side,
                          .chosenSide = side,
                          .spread = 0.1,
                          .decimals = 5,
                          .level = 2,
                          .data = "ecb",
                          .pupil = "m",
                          .host = "PC07"});
    }
    ClassResults results = read({{"m_PC07_1.csv", bytes}});
    EXPECT_EQ(results.summary().total.answered, 4); // not checked unless asked
    results.checkReplays([](std::string_view id) {
        return id == "ecb" ? DataSet::ecb() : std::shared_ptr<const DataSet>();
    });
    EXPECT_EQ(results.summary().total.answered, 3);
    EXPECT_EQ(results.summary().total.correct, 3);
    EXPECT_EQ(results.notCounted(),
              (std::vector<Skipped>{{"m_PC07_1.csv", 4, {Id::NotDealt, {"3", "99"}}}}));
    // A new row continues the replay where it stood.
    results.feed("m_PC07_1.csv",
                 "2026-12-08T09:09:00Z,99,6,USD,долар,1,1,1,0.1,2,ecb,m,PC07,0,0000000000000000,\r\n");
    EXPECT_EQ(results.summary().total.answered, 4);
    EXPECT_EQ(results.notCounted().size(), 2U);
}

TEST(ClassResults, CountsEachPupilsAnswersInBlocksInTheirOwnOrder) {
    static_assert(kAnswersPerBlock == 10);
    std::string m = kHeader;
    for (int minute = 0; minute < 12; ++minute) {
        m += row(minute, minute % 2 == 0 && minute < 10, "m"); // 5 of the first 10, then wrong
    }
    // n starts later in the lesson: their first answers still count in the first block.
    std::string n = kHeader;
    for (int minute = 40; minute < 43; ++minute) {
        n += row(minute, true, "n");
    }
    const ClassSummary summary = read({{"m.csv", m}, {"n.csv", n}}).summary();
    ASSERT_EQ(summary.blocks.size(), 2U);
    EXPECT_EQ(summary.blocks[0].answered, 13);
    EXPECT_EQ(summary.blocks[0].correct, 8);
    EXPECT_EQ(summary.blocks[1].answered, 2);
    EXPECT_EQ(summary.blocks[1].correct, 0);
}

namespace {

// One run's rows as a class folder's file holds them: `picks` right or wrong from turn 1 on,
// a minute apart from `minute` past nine, on PC03. The seed is in plain only where given.
std::string classRun(std::uint64_t run, const std::vector<bool>& picks, int minute,
                     std::optional<std::uint32_t> seed, const std::string& sealed = {},
                     const std::string& host = "PC03") {
    std::string bytes = kHeader;
    for (std::size_t i = 0; i < picks.size(); ++i) {
        const int at = minute + static_cast<int>(i);
        bytes += csvLine({.time = "2026-12-08T" + std::string(at < 60 ? "09:" : "10:") +
                                  (at % 60 < 10 ? "0" : "") + std::to_string(at % 60) + ":00Z",
                          .seed = seed,
                          .turn = static_cast<int>(i) + 1,
                          .currency = "USD",
                          .currencyName = "щатски долар",
                          .realSide = 1,
                          .chosenSide = picks[i] ? 1 : 0,
                          .spread = 0.1,
                          .decimals = 5,
                          .level = 2,
                          .data = "ecb",
                          .pupil = "ivan",
                          .host = host,
                          .run = run,
                          .sealedSeed = sealed});
    }
    return bytes;
}

// The same file as an older version wrote it: thirteen columns, the seed in plain.
std::string olderFile(std::string bytes) {
    std::string older;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start);
        std::string line = bytes.substr(start, end - start);
        for (int field = 0; field < 3; ++field) { // staircase, run and sealed seed
            line.erase(line.rfind(','));
        }
        older += line + "\r\n";
        start = end + 2;
    }
    return older;
}

const std::vector<bool> kEightOfTen{true, false, true, true, true, false, true, true, true, true};
const std::vector<bool> kAllTen(10, true);

} // namespace

// A pupil who plays a turn again, in a second copy of the quiz or after a restart on a seed
// they know, gets the first answer counted and nothing else; the run is named.
TEST(ClassResults, CountsEachTurnAsItWasFirstAnswered) {
    struct Case {
        const char* what;
        Files files;
        int answered;
        int right;
        std::vector<Skipped> notCounted;
    };
    const Case cases[] = {
        {"a second copy on the same seed answers every turn rightly, later",
         {{"ivan_PC03_1.csv", classRun(1, kEightOfTen, 0, 7)},
          {"ivan_PC03_2.csv", classRun(2, kAllTen, 20, 7)}},
         10,
         8,
         {{"ivan_PC03_2.csv", 2, {Id::RepeatedTurns, {"10", "ivan_PC03_1.csv"}}}}},
        {"whichever file's name comes first, the earlier answer counts",
         {{"ivan_PC03_1.csv", classRun(1, kAllTen, 20, 7)},
          {"ivan_PC03_2.csv", classRun(2, kEightOfTen, 0, 7)}},
         10,
         8,
         {{"ivan_PC03_1.csv", 2, {Id::RepeatedTurns, {"10", "ivan_PC03_2.csv"}}}}},
        {"two copies answer each turn within the same second: the wrong answers count",
         {{"ivan_PC03_1.csv", classRun(1, kAllTen, 0, 7)},
          {"ivan_PC03_2.csv", classRun(2, kEightOfTen, 0, 7)}},
         10,
         8,
         {{"ivan_PC03_1.csv", 3, {Id::RepeatedTurns, {"2", "ivan_PC03_2.csv"}}},
          {"ivan_PC03_2.csv", 2, {Id::RepeatedTurns, {"8", "ivan_PC03_1.csv"}}}}},
        // Their run is their seed: the same pick again reads as a copy.
        {"the same files as an older version wrote them",
         {{"ivan_PC03_1.csv", olderFile(classRun(7, kEightOfTen, 0, 7))},
          {"ivan_PC03_2.csv", olderFile(classRun(7, kAllTen, 20, 7))}},
         10,
         8,
         {{"ivan_PC03_2.csv", 3, {Id::RepeatedTurns, {"2", "ivan_PC03_1.csv"}}}}},
        {"a restart answers the same picks again: counted once, still a repeat",
         {{"ivan_PC03_1.csv", classRun(1, kEightOfTen, 0, 7)},
          {"ivan_PC03_2.csv", classRun(2, kEightOfTen, 20, 7)}},
         10,
         8,
         {{"ivan_PC03_2.csv", 2, {Id::RepeatedTurns, {"10", "ivan_PC03_1.csv"}}}}},
        {"a restart goes further: only its new turns count",
         {{"ivan_PC03_1.csv", classRun(1, {false, false, true}, 0, 7)},
          {"ivan_PC03_2.csv", classRun(2, {true, true, true, true, false}, 20, 7)}},
         5,
         2,
         {{"ivan_PC03_2.csv", 2, {Id::RepeatedTurns, {"3", "ivan_PC03_1.csv"}}}}},
        {"an exact copy of the file, a minute later",
         {{"ivan_PC03_1.csv", classRun(1, kEightOfTen, 0, 7)},
          {"ivan_PC03_2.csv", classRun(1, kEightOfTen, 1, 7)}},
         10,
         8,
         {}},
        {"a copy of the run that tells turns otherwise, later",
         {{"ivan_PC03_1.csv", classRun(1, kEightOfTen, 0, 7)},
          {"ivan_PC03_2.csv", classRun(1, kAllTen, 30, 7)}},
         10,
         8,
         {{"ivan_PC03_2.csv", 3, {Id::RepeatedTurns, {"2", "ivan_PC03_1.csv"}}}}},
        {"the same seed on another computer is another pupil's",
         {{"ivan_PC03_1.csv", classRun(1, kEightOfTen, 0, 7)},
          {"ivan_PC04_1.csv", classRun(2, kAllTen, 20, 7, {}, "PC04")}},
         20,
         18,
         {}},
        {"runs without a seed to read are told apart by their run",
         {{"ivan_PC03_1.csv", classRun(1, kEightOfTen, 0, std::nullopt)},
          {"ivan_PC03_2.csv", classRun(2, kAllTen, 20, std::nullopt)}},
         20,
         18,
         {}},
    };
    for (const Case& c : cases) {
        const ClassResults results = read(c.files);
        EXPECT_EQ(results.summary().total.answered, c.answered) << c.what;
        EXPECT_EQ(results.summary().total.correct, c.right) << c.what;
        EXPECT_EQ(results.notCounted(), c.notCounted) << c.what;
    }
}

namespace {

// A run of `seed` on PC07 as the quiz deals it at level 2 of the ECB data, one answer a minute
// from `minute` past nine, the seed only sealed; `forged` tells its turn's real side wrongly.
std::string sealedRun(std::uint32_t seed, std::uint64_t run, const std::string& sealed,
                      int turns, int minute, int forged = 0) {
    SeededRandomSource random(seed);
    std::string bytes = kHeader;
    for (int turn = 1; turn <= turns; ++turn) {
        const Turn dealt = NewTurn(random, {}, *DataSet::ecb(), 2);
        const int side = turn == forged ? 1 - dealt.RealSide : dealt.RealSide;
        bytes += csvLine({.time = "2026-12-08T09:" + std::to_string(10 + minute + turn) + ":00Z",
                          .turn = turn,
                          .currency = dealt.code,
                          .currencyName = dealt.name,
                          .realSide = side,
                          .chosenSide = side,
                          .spread = 0.1,
                          .decimals = 5,
                          .level = 2,
                          .data = "ecb",
                          .pupil = "m",
                          .host = "PC07",
                          .run = run,
                          .sealedSeed = sealed});
    }
    return bytes;
}

std::shared_ptr<const DataSet> ecbOnly(std::string_view id) {
    return id == "ecb" ? DataSet::ecb() : nullptr;
}

} // namespace

TEST(ClassResults, OpensSeedsSealedForTheTeacherAndSaysWhichRunsItCannotCheck) {
    const SealKeys teacher = makeSealKeys();
    const SealKeys other = makeSealKeys();
    const auto sealed = [](std::uint32_t seed, std::uint64_t run, const SealKeys& keys,
                           SeedOrigin origin = SeedOrigin::Own) {
        return sealSeed({.seed = seed, .origin = origin, .run = run}, keys.publicKey);
    };
    const Files files = {
        {"m_PC07_1.csv", sealedRun(99, 1, sealed(99, 1, teacher), 4, 0, 3)},
        {"m_PC07_2.csv", sealedRun(98, 2, "", 2, 10)},
        {"m_PC07_3.csv", sealedRun(97, 3, sealed(97, 3, other), 2, 20)},
        // Sealed for run 4, written on run 5's rows.
        {"m_PC07_4.csv", sealedRun(96, 5, sealed(96, 4, teacher), 2, 30)},
        {"m_PC07_5.csv", sealedRun(95, 6, sealed(95, 6, teacher, SeedOrigin::CommandLine), 2, 40)},
        // A restart on the class's seed: the same turns again under a new run.
        {"m_PC07_6.csv", sealedRun(99, 7, sealed(99, 7, teacher, SeedOrigin::Lesson), 4, 45)},
    };
    ClassResults results = read(files);
    results.checkReplays(ecbOnly);
    // Without the key no seed is known: every run is its own, and none is checked.
    EXPECT_EQ(results.summary().total.answered, 16);
    EXPECT_EQ(results.notCounted().size(), 6U) << testing::PrintToString(results.notCounted());

    results.openSeeds(teacher);
    EXPECT_EQ(results.summary().total.answered, 4 - 1 + 2 + 2 + 2 + 2);
    EXPECT_EQ(results.notCounted(),
              (std::vector<Skipped>{
                  {"m_PC07_1.csv", 4, {Id::NotDealt, {"3", "99"}}},
                  {"m_PC07_2.csv", 2, {Id::Unsealed}},
                  {"m_PC07_3.csv", 2, {Id::SealedElsewhere}},
                  {"m_PC07_4.csv", 2, {Id::SealedElsewhere}},
                  {"m_PC07_5.csv", 2, {Id::SeedChosen, {"95"}}},
                  {"m_PC07_6.csv", 2, {Id::RepeatedTurns, {"4", "m_PC07_1.csv"}}},
              }));
}
