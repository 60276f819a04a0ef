#include "core/class/class_workbook.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quiz {
namespace {

const ExportWords kWords{{"Ученик", "Компютър", "Отговори", "Верни", "Точност, %",
                          "Най-дълга серия", "Нива", "Данни", "Отговори над ниво 0",
                          "Верни над ниво 0", "Шанс при налучкване, %", "Над налучкването",
                          "Достигнато ниво"},
                         "да",
                         "не"};

// A pupil judged above level 0, and one whose name and computer look like a number and a
// formula, with answers at level 0 only.
std::vector<PupilSummary> twoPupils() {
    PupilSummary judged;
    judged.pupil = "Мария Иванова";
    judged.host = "pc-07";
    judged.answered = 12;
    judged.right = 10;
    judged.accuracy = 10.0 / 12;
    judged.bestStreak = 6;
    judged.levels = {0, 3};
    judged.data = {"ecb"};
    judged.judgedAnswered = 8;
    judged.judgedRight = 7;
    judged.guessingChance = 0.03515625;
    judged.beatsGuessing = true;
    PupilSummary numbered;
    numbered.pupil = "007";
    numbered.host = "=cmd";
    numbered.answered = 3;
    numbered.right = 1;
    numbered.accuracy = 1.0 / 3;
    numbered.levels = {2};
    numbered.data = {"catalogue"};
    return {judged, numbered};
}

// A cell as a test reads it: a number's value, a text in quotes, nothing as "".
std::string shown(const WorkbookCell& cell) {
    if (cell.number) {
        std::ostringstream text;
        text << cell.value;
        return text.str();
    }
    return cell.text.empty() ? "" : '"' + cell.text + '"';
}

TEST(ClassWorkbook, WritesNumbersAsNumbersAndNamesAsText) {
    const auto cells = workbookCells(twoPupils(), kWords);
    ASSERT_EQ(cells.size(), 3U);
    EXPECT_EQ(shown(cells[0][0]), "\"Ученик\"");
    EXPECT_EQ(shown(cells[0][12]), "\"Достигнато ниво\"");
    struct Case {
        const char* what;
        std::size_t row, column;
        std::string cell;
    };
    const Case cases[] = {
        {"a name", 1, 0, "\"Мария Иванова\""},
        {"answers", 1, 2, "12"},
        {"accuracy in percent", 1, 4, "83.3"},
        {"levels played", 1, 6, "\"0 + 3\""},
        {"one level played, still a list", 2, 6, "\"2\""},
        {"the guessing chance", 1, 10, "3.516"},
        {"the verdict in words", 1, 11, "\"да\""},
        {"no verdict at level 0", 2, 11, ""},
        {"no reached level", 1, 12, ""},
        {"a name of digits", 2, 0, "\"007\""},
        {"a formula's look, as text", 2, 1, "\"=cmd\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shown(cells[c.row][c.column]), c.cell) << c.what;
    }
}

TEST(ClassWorkbook, MakesEachColumnAsWideAsItsLongestText) {
    const auto cells = workbookCells(twoPupils(), kWords);
    EXPECT_EQ(columnWidth(cells, 0), 15);  // "Мария Иванова", 13 letters, not 25 bytes
    EXPECT_EQ(columnWidth(cells, 10), 24); // its header
    EXPECT_EQ(columnWidth(cells, 3), 7);   // "Верни"
    std::vector<std::vector<WorkbookCell>> long_name{{{.text = std::string(200, 'x')}}};
    EXPECT_EQ(columnWidth(long_name, 0), 60);
    EXPECT_EQ(columnWidth({{{.text = "1"}}}, 0), 6);
}

TEST(ClassWorkbook, ChoosesTheCsvOnlyForACsvName) {
    struct Case {
        std::string typed;
        bool csv;
        std::string name;
    };
    const Case cases[] = {
        {"/home/u/клас.xlsx", false, "/home/u/клас.xlsx"},
        {"/home/u/клас.csv", true, "/home/u/клас.csv"},
        {"/home/u/клас.CSV", true, "/home/u/клас.CSV"},
        {"/home/u/клас", false, "/home/u/клас.xlsx"},
        {"/home/u.d/клас", false, "/home/u.d/клас.xlsx"}, // a dot in a folder's name
        {"C:\\Users\\u.d\\клас", false, "C:\\Users\\u.d\\клас.xlsx"},
        {"/home/u/.csv", false, "/home/u/.csv.xlsx"}, // a hidden file's name, no extension
    };
    for (const Case& c : cases) {
        const ExcelTarget target = excelTarget(c.typed);
        EXPECT_EQ(target.csv, c.csv) << c.typed;
        EXPECT_EQ(target.name, c.name) << c.typed;
    }
}

#ifndef _WIN32
std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool hasProgram(const char* name) {
    return std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0;
}

// Written under a decimal-comma locale, as the teacher's view runs in Bulgaria, the workbook
// opens in LibreOffice with the same rows, numbers as numbers (unquoted: the conversion quotes
// every text cell).
TEST(ClassWorkbookInLibreOffice, OpensWithTheSameRowsWhateverTheLocale) {
    if (!hasProgram("soffice")) {
        GTEST_SKIP() << "no soffice (Debian libreoffice-calc-nogui)";
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("class-workbook-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "out");
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    const std::string error = writeClassWorkbook(twoPupils(), kWords, (folder / "class.xlsx").string(),
                                                 folder.string());
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_EQ(error, "");
    EXPECT_TRUE(comma) << "no comma locale: the numbers were written in the C locale only";

    const std::string command =
        "cd '" + folder.string() + "' && LC_ALL=C.UTF-8 soffice -env:UserInstallation=file://" +
        folder.string() + "/profile --headless --convert-to "
        "'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true,true,false' --outdir out class.xlsx "
        ">out/soffice.log 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << fileText(folder / "out/soffice.log");
    EXPECT_EQ(fileText(folder / "out/class.csv"),
              "\"Ученик\",\"Компютър\",\"Отговори\",\"Верни\",\"Точност, %\",\"Най-дълга серия\","
              "\"Нива\",\"Данни\",\"Отговори над ниво 0\",\"Верни над ниво 0\",\"Шанс при "
              "налучкване, %\",\"Над налучкването\",\"Достигнато ниво\"\n"
              "\"Мария Иванова\",\"pc-07\",12,10,83.3,6,\"0 + 3\",\"ecb\",8,7,3.516,\"да\",\n"
              "\"007\",\"=cmd\",3,1,33.3,0,\"2\",\"catalogue\",0,0,,,\n");

    // The header row stays in view and is bold; the columns are set to their widths.
    if (hasProgram("unzip")) {
        const std::string sheet = "cd '" + folder.string() +
                                  "' && unzip -p class.xlsx xl/worksheets/sheet1.xml xl/styles.xml "
                                  ">out/parts.xml";
        ASSERT_EQ(std::system(sheet.c_str()), 0);
        const std::string parts = fileText(folder / "out/parts.xml");
        EXPECT_NE(parts.find("<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" "
                             "state=\"frozen\"/>"),
                  std::string::npos);
        EXPECT_NE(parts.find("<c r=\"A1\" s=\"1\" t=\"s\">"), std::string::npos);
        EXPECT_NE(parts.find("<b/>"), std::string::npos);
        EXPECT_NE(parts.find("<col min=\"1\" max=\"1\" width=\"15.7109375\" customWidth=\"1\"/>"),
                  std::string::npos);
    }
    std::filesystem::remove_all(folder);
}
#endif

} // namespace
} // namespace quiz
