#include "core/lesson/lesson_data_copy.h"

#include <gtest/gtest.h>

#include <map>

using quiz::FolderEntry;
using quiz::lessonCopyName;
using quiz::lessonDataCopy;

TEST(LessonDataCopy, KeepsAPlainCsvNameAndEndsAnyOtherInCsv) {
    const struct {
        const char* chosen;
        const char* copied;
    } cases[] = {
        {"курсове.csv", "курсове.csv"},
        {"RATES.CSV", "RATES.CSV"},
        {"rates.Csv", "rates.Csv"},
        {"rates.txt", "rates.txt.csv"},
        {"rates", "rates.csv"},
        {"rates.csv.bak", "rates.csv.bak.csv"},
        {".csv", ".csv.csv"}, // no name before the ending
        {"a:b.csv", "a_b.csv"},
        {"a\\b.csv", "a_b.csv"},
        {"tab\there.csv", "tab_here.csv"},
        {"lesson.ini", "lesson.ini.csv"}, // never the settings file itself
        {"EUR|USD? <2025>*.csv", "EUR_USD_ _2025__.csv"}, // names Windows cannot open
        {"rates.", "rates..csv"},
        {"", "курсове.csv"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lessonCopyName(c.chosen), c.copied) << c.chosen;
    }
    // A long name is cut between letters, leaving room for a number and the ending.
    std::string longName;
    for (int i = 0; i < 150; ++i) {
        longName += "я";
    }
    const std::string cut = lessonCopyName(longName + ".CSV");
    EXPECT_EQ(cut, longName.substr(0, 200) + ".CSV");
}

TEST(LessonDataCopy, TakesTheFirstNameThatIsFreeOrHoldsTheSameBytes) {
    using Folder = std::map<std::string, FolderEntry>;
    const struct {
        const char* chosen;
        Folder folder;
        const char* name;
        bool write;
    } cases[] = {
        {"rates.csv", {}, "rates.csv", true},
        {"rates.csv", {{"rates.csv", FolderEntry::SameBytes}}, "rates.csv", false},
        {"rates.csv", {{"rates.csv", FolderEntry::OtherBytes}}, "rates-2.csv", true},
        {"rates.CSV",
         {{"rates.CSV", FolderEntry::OtherBytes}, {"rates-2.CSV", FolderEntry::OtherBytes}},
         "rates-3.CSV",
         true},
        {"rates.csv",
         {{"rates.csv", FolderEntry::OtherBytes}, {"rates-2.csv", FolderEntry::SameBytes}},
         "rates-2.csv",
         false},
        {"rates.txt", {{"rates.txt.csv", FolderEntry::OtherBytes}}, "rates.txt-2.csv", true},
    };
    for (const auto& c : cases) {
        const auto copy = lessonDataCopy(c.chosen, [&](const std::string& name) {
            const auto found = c.folder.find(name);
            return found == c.folder.end() ? FolderEntry::Free : found->second;
        });
        ASSERT_TRUE(copy) << c.chosen;
        EXPECT_EQ(copy->name, c.name) << c.chosen;
        EXPECT_EQ(copy->write, c.write) << c.chosen;
    }
}

TEST(LessonDataCopy, GivesUpWhenEveryNameIsTaken) {
    int asked = 0;
    const auto copy = lessonDataCopy("rates.csv", [&](const std::string&) {
        ++asked;
        return FolderEntry::OtherBytes;
    });
    EXPECT_FALSE(copy);
    EXPECT_EQ(asked, quiz::kMostDataCopies);
}
