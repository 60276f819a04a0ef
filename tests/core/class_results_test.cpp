#include "core/class_results.h"
#include "core/result_row.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace quiz;

namespace {

const std::string kHeader = std::string(csvHeader()) + "\r\n";
const std::string kOlderHeader =
    "time,seed,turn,currency,currency_name,real_side,chosen_side,right,spread\r\n";
const std::string kByteOrderMark = "\xEF\xBB\xBF";

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
                    .host = "PC07"});
}

using Files = std::vector<std::pair<std::string, std::string>>;

ClassResults read(const Files& files) {
    ClassResults results;
    for (const auto& [name, bytes] : files) {
        results.feed(name, bytes);
    }
    return results;
}

std::vector<std::string> skippedTexts(const ClassResults& results) {
    std::vector<std::string> texts;
    for (const Skipped& skipped : results.skipped()) {
        texts.push_back(skippedText(skipped));
    }
    return texts;
}

} // namespace

TEST(ClassResults, ReadsTodaysAndOlderFilesWithOrWithoutByteOrderMark) {
    const ClassResults results = read({
        {"a.csv", kByteOrderMark + kHeader + row(0, true, "Мария \"Мими\", 7б", "GBP", 3, "ecb")},
        {"Петров.CSV", kOlderHeader + "2026-12-08T09:15:00+02:00,7,1,USD,\"щатски долар, USD\","
                                      "0,0,1,0.1\r\n\r\n"},
    });
    const std::vector<PupilSummary> pupils = results.pupils();
    ASSERT_EQ(pupils.size(), 2U) << testing::PrintToString(skippedTexts(results));
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
        results.feed("a.csv", file.substr(0, cut));
        EXPECT_EQ(results.summary().total.answered, whole) << cut;
        EXPECT_TRUE(results.skipped().empty()) << cut;
        results.feed("a.csv", file.substr(cut));
        EXPECT_EQ(results.summary().total.answered, 3) << cut;
        EXPECT_EQ(results.summary().total.correct, 2) << cut;
        EXPECT_EQ(results.offset("a.csv"), file.size());
    }
    ClassResults byteByByte;
    for (const char byte : file) {
        byteByByte.feed("a.csv", std::string_view(&byte, 1));
    }
    EXPECT_EQ(byteByByte.summary().total.answered, 3);
}

TEST(ClassResults, ReadsAReplacedFileAgainAndForgetsAGoneOne) {
    ClassResults results = read({{"a.csv", kHeader + row(0, true) + row(1, true) + row(2, true)},
                                 {"b.csv", kHeader + row(3, false, "Иван")}});
    EXPECT_EQ(results.summary().total.answered, 4);
    results.restart("a.csv");
    EXPECT_EQ(results.offset("a.csv"), 0U);
    EXPECT_EQ(results.summary().total.answered, 1);
    results.feed("a.csv", kHeader + row(0, false));
    EXPECT_EQ(results.summary().total.answered, 2);
    EXPECT_EQ(results.summary().total.correct, 0);
    results.forget("b.csv");
    EXPECT_EQ(results.summary().total.answered, 1);
    EXPECT_EQ(results.fileNames(), std::vector<std::string>{"a.csv"});
}

TEST(ClassResults, SkipsBadLinesAndFilesWithTheirPlaceAndReadsTheRest) {
    struct Case {
        std::string badLine;
        std::string reason;
    };
    const std::string good = "2026-12-08T09:20:00+02:00,7,21,USD,долар,1,1,1,0.1,0,ecb,m,PC07";
    const Case cases[] = {
        {"2026-12-08T09:20:00+02:00,7,21,USD,долар,1,1,1,0.1,0,ecb,m",
         "редът има 12 полета, а заглавният ред – 13"},
        {"2026-12-08T09:20:00+02:00,7,21,USD,долар,1,1,2,0.1,0,ecb,m,PC07",
         "right е '2', а не 0 или 1"},
        {"2026-12-08T09:20:00+02:00,7,21,USD,долар,1,x,1,0.1,0,ecb,m,PC07",
         "chosen_side е 'x', а не 0 или 1"},
        {"2026-12-08T09:20:00+02:00,7,21,USD,долар,1,1,1,0.1,5,ecb,m,PC07",
         "level е '5', а не от 0 до 4"},
        {"2026-12-08T09:20:00+02:00,7,21,USD,долар,1,0,1,0.1,0,ecb,m,PC07",
         "right е 1, но избраната страна не е реалната"},
        {"2026-12-08T09:20:00+02:00,7,21,US\"D,долар,1,1,1,0.1,0,ecb,m,PC07",
         "кавичка в поле без кавички"},
        {"2026-12-08T09:20:00+02:00,7,21,USD,\"долар,1,1,1,0.1,0,ecb,m,PC07",
         "кавичка, отворена на този ред, не е затворена"},
        {"2026-12-08T09:20:00+02:00,7,21,USD,\"долар\"x,1,1,1,0.1,0,ecb,m,PC07",
         "текст след затваряща кавичка"},
    };
    for (const Case& c : cases) {
        for (const std::string& after : {row(30, true, "m"), good + "\r\n"}) {
            const ClassResults results = read({
                {"m.csv", kHeader + row(10, true, "m") + c.badLine + "\r\n" + after},
                {"x.csv", "date;value\r\n" + row(0, true)},
            });
            EXPECT_EQ(skippedTexts(results),
                      (std::vector<std::string>{
                          "m.csv:4: " + c.reason, // the first row takes lines 2 and 3
                          "x.csv:1: първият ред не е заглавен ред на резултати: 'date;value'"}));
            EXPECT_EQ(results.summary().total.answered, 2) << c.badLine;
        }
    }
}

TEST(ClassResults, ReadsAnUnclosedQuoteAlikeInOnePieceOrByteByByte) {
    // The quote opened on line 2 closes on line 4 into 13 sound-looking fields; line 3 is a
    // whole row of its own, so the quote is the fault.
    const std::string file =
        kHeader + "2026-12-08T09:00:00+02:00,7,1,USD,\"долар,1,1,1,0.1,0,ecb,m,PC07\r\n" +
        "2026-12-08T09:01:00+02:00,7,2,USD,долар,1,0,0,0.1,0,ecb,m,PC07\r\n" +
        "x\",1,1,1,0.1,0,ecb,m,PC07\r\n";
    ClassResults byteByByte;
    for (const char byte : file) {
        byteByByte.feed("m.csv", std::string_view(&byte, 1));
    }
    ClassResults whole = read({{"m.csv", file}});
    for (const ClassResults* results : {&whole, &byteByByte}) {
        EXPECT_EQ(
            skippedTexts(*results),
            (std::vector<std::string>{"m.csv:2: кавичка, отворена на този ред, не е затворена",
                                      "m.csv:4: кавичка в поле без кавички"}));
        EXPECT_EQ(results->summary().total.answered, 1);
    }
}

TEST(ClassResults, NeitherKeepsNorWaitsForALineLongerThanAnyRow) {
    ClassResults results;
    const std::string noise(200000, 'z');
    EXPECT_TRUE(results.feed("a.csv", kHeader + row(0, true) + noise));
    results.feed("a.csv", noise + "\r\n" + row(1, true));
    std::string bad;
    for (int line = 0; line < 25; ++line) {
        bad += "1,2\r\n";
    }
    results.feed("b.csv", std::string(100000, '\xFF'));
    results.feed("c.csv", kHeader + bad);
    EXPECT_EQ(results.summary().total.answered, 2);
    const std::vector<std::string> texts = skippedTexts(results);
    ASSERT_EQ(texts.size(), 23U);
    EXPECT_EQ(texts[0], "a.csv:4: редът е по-дълъг от 65536 байта"); // 2 lines for the row
    EXPECT_TRUE(texts[1].starts_with("b.csv:1: първият ред не е заглавен ред на резултати: '"))
        << texts[1];
    EXPECT_EQ(texts.back(), "c.csv: още 5 пропуснати реда");
}

TEST(ClassResults, PutsAPupilsFilesInTimeOrderForTheBestStreak) {
    // In UTC the wrong answer comes first, though its local time reads later.
    const std::string wrongFirst =
        "2026-12-08T10:01:00+03:00,7,1,USD,долар,1,0,0,0.1,0,catalogue,m,PC08\r\n";
    const std::string later =
        "2026-12-08T10:04:00+03:00,7,2,USD,долар,1,1,1,0.1,2,catalogue,m,PC08\r\n";
    const Files files = {{"a.csv", kHeader + row(2, true, "m") + row(3, true, "m")},
                         {"b.csv", kHeader + wrongFirst + later},
                         {"copy of a.csv", kHeader + row(2, true, "m") + row(3, true, "m")},
                         {"c.csv", kHeader + row(0, true, "Иван", "GBP")}};
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
        sure += row(minute, true, "m");
    }
    const ClassResults results = read({{"m.csv", sure}, {"n.csv", kHeader + row(0, true, "n")}});
    EXPECT_EQ(results.summary().pupilsBeatingGuessing, 1); // 6 of 6: 1.6 %; 1 of 1: 50 %
    EXPECT_TRUE(results.pupils()[0].beatsGuessing);
}

TEST(ExportCsv, WritesEachFormExactly) {
    const std::vector<PupilSummary> pupils = {
        {"Мария, 7б", 16, 13, 0.8125, 5, {0, 3}, {"catalogue", "ecb"}, 697.0 / 65536, true},
        {"=1+1", 1, 0, 0.0, 0, {1}, {"a;b.csv@0123"}, 1.0, false},
        {"", 0, 0, 0.0, 0, {}, {"", "ecb"}, 1.0, false},
    };
    EXPECT_EQ(exportCsv(pupils, ExportForm::Plain),
              "pupil,answered,right,accuracy_percent,best_streak,levels,data,"
              "guessing_chance_percent,beats_guessing\r\n"
              "\"Мария, 7б\",16,13,81.3,5,0 + 3,catalogue + ecb,1.064,1\r\n"
              "=1+1,1,0,0.0,0,1,a;b.csv@0123,100.000,0\r\n"
              ",0,0,0.0,0,,\" + ecb\",100.000,0\r\n");
    EXPECT_EQ(exportCsv(pupils, ExportForm::BulgarianExcel),
              "\xEF\xBB\xBFУченик;Отговори;Верни;Точност, %;Най-дълга серия;Нива;Данни;"
              "Шанс при налучкване, %;Над налучкването\r\n"
              "Мария, 7б;16;13;81,3;5;0 + 3;catalogue + ecb;1,064;да\r\n"
              "'=1+1;1;0;0,0;0;1;\"a;b.csv@0123\";100,000;не\r\n"
              ";0;0;0,0;0;;\" + ecb\";100,000;не\r\n");
}
