#include "core/lesson/lesson_settings.h"

#include <gtest/gtest.h>

#include <string>

using namespace quiz;

namespace {

const LessonSettings kSettings{.level = "3",
                               .data = "курсове 7б.csv",
                               .seed = "2026",
                               .writtenBy = "Иванова (TEACHER-PC)",
                               .writtenAt = "2026-12-09T08:00:00Z",
                               .seedKey = "q83vEjRWeJq83vEjRWeJq83vEjRWeJq83vEjRWeJq80="};

LessonSettings only(std::string level, std::string data = "", std::string seed = "",
                    std::string writtenBy = "") {
    return {std::move(level), std::move(data), std::move(seed), std::move(writtenBy), ""};
}

struct BadFile {
    const char* name;
    std::string bytes;
    LessonProblem problem;
    std::vector<std::string> arguments;
};

} // namespace

TEST(LessonSettingsTest, WhatTheTeacherWritesEveryPupilReads) {
    const std::string text = lessonSettingsText(kSettings);
    const LessonRead read = readLessonSettings(text);
    ASSERT_TRUE(read.settings);
    EXPECT_EQ(*read.settings, kSettings);
    // As a Windows editor would save it, with a byte-order mark, and as a Unix one, LF only.
    EXPECT_EQ(readLessonSettings("\xEF\xBB\xBF" + text).settings, kSettings);
    std::string unix = text;
    std::erase(unix, '\r');
    EXPECT_EQ(readLessonSettings(unix).settings, kSettings);
}

TEST(LessonSettingsTest, ReadsWhatPeopleWriteByHand) {
    const struct {
        const char* name;
        std::string bytes;
        LessonSettings expected;
    } cases[] = {
        {"only the level", "level=auto\nend\n", only("auto")},
        {"comments and blank lines", "# урок\n\nlevel=2\n\n# край\nend", only("2")},
        {"an = inside a value", "written-by=a=b\nend\n", only("", "", "", "a=b")},
        {"the stored series", "data=catalogue\r\nend\r\n", only("", "catalogue")},
        {"nothing set", "end\n", only("")},
        {"text after the end", "seed=5\nend\nlevel=9\n", only("", "", "5")},
    };
    for (const auto& test : cases) {
        const LessonRead read = readLessonSettings(test.bytes);
        ASSERT_TRUE(read.settings) << test.name;
        EXPECT_EQ(*read.settings, test.expected) << test.name;
    }
}

TEST(LessonSettingsTest, RefusesAFileThatIsNotUsableAndSaysWhy) {
    const BadFile cases[] = {
        {"huge", std::string(5000, '#') + "\nend\n", LessonProblem::TooLarge, {"4096"}},
        {"half-written", "level=3\ndata=ec", LessonProblem::Unfinished, {}},
        {"cut inside a name", "level=3\nda", LessonProblem::Unfinished, {}},
        {"empty", "", LessonProblem::Unfinished, {}},
        {"not UTF-8", "level=3\n\xC0\xAF\nend\n", LessonProblem::NotUtf8, {}},
        {"no name", "level=3\nфайл\nend\n", LessonProblem::NotAnEntry, {"2", "'файл'"}},
        {"unknown name", "levle=3\nend\n", LessonProblem::UnknownName, {"1", "'levle'"}},
        {"said twice", "level=1\nlevel=4\nend\n", LessonProblem::RepeatedName, {"2", "'level'"}},
        {"a folder above", "data=../marks.csv\nend\n", LessonProblem::DataOutside,
         {"'../marks.csv'"}},
        {"an absolute path", "data=/etc/passwd\nend\n", LessonProblem::DataOutside,
         {"'/etc/passwd'"}},
        {"a Windows drive", "data=C:\\marks.csv\nend\n", LessonProblem::DataOutside,
         {"'C:\\marks.csv'"}},
        {"a share", "data=\\\\server\\x.csv\nend\n", LessonProblem::DataOutside,
         {"'\\\\server\\x.csv'"}},
        {"the folder itself", "data=..\nend\n", LessonProblem::DataOutside, {"'..'"}},
        {"a name Windows refuses", "data=a?b.csv\nend\n", LessonProblem::DataOutside,
         {"'a?b.csv'"}},
        {"a dot at the end", "data=x.csv.\nend\n", LessonProblem::DataOutside, {"'x.csv.'"}},
        {"level too high", "level=5\nend\n", LessonProblem::BadLevel, {"'5'"}},
        {"level with a blank", "level= 3\nend\n", LessonProblem::BadLevel, {"' 3'"}},
        {"level in words", "level=AUTO\nend\n", LessonProblem::BadLevel, {"'AUTO'"}},
        {"seed too large", "seed=4294967296\nend\n", LessonProblem::BadSeed, {"'4294967296'"}},
        {"negative seed", "seed=-1\nend\n", LessonProblem::BadSeed, {"'-1'"}},
        {"a key cut short", "seed-key=q83vEjRWeJq83vEjRWeJq83vEjRWeJq83vEjRWeJq8=\nend\n",
         LessonProblem::BadKey, {}},
        {"a key that is no base64", "seed-key=teacher\nend\n", LessonProblem::BadKey, {}},
    };
    for (const BadFile& test : cases) {
        const LessonRead read = readLessonSettings(test.bytes);
        EXPECT_FALSE(read.settings) << test.name;
        EXPECT_EQ(read.problem, test.problem) << test.name;
        EXPECT_EQ(read.arguments, test.arguments) << test.name;
    }
}

// A value can never add a line of its own: a name given with a line end stays one entry.
TEST(LessonSettingsTest, AValueWithALineEndStaysOneEntry) {
    LessonSettings sneaky = kSettings;
    sneaky.writtenBy = "Учител\r\nlevel=0";
    const LessonRead read = readLessonSettings(lessonSettingsText(sneaky));
    ASSERT_TRUE(read.settings);
    EXPECT_EQ(read.settings->level, "3");
    EXPECT_EQ(read.settings->writtenBy, "Учителlevel=0");
}
