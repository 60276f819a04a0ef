#include "core/results/lesson_choices.h"

#include <gtest/gtest.h>

namespace {

using quiz::ChosenSetting;
using quiz::GivenOptions;
using quiz::LessonChoices;
using quiz::LessonSettings;
using quiz::lessonChoices;
using quiz::SettingOrigin;

constexpr auto kLine = SettingOrigin::CommandLine;
constexpr auto kLesson = SettingOrigin::Lesson;
constexpr auto kDefault = SettingOrigin::Default;

struct ChoiceCase {
    const char* name;
    GivenOptions given;
    bool withLesson;
    LessonChoices expected;
};

TEST(LessonChoicesTest, TheCommandLineWinsThenTheLessonThenTheDefault) {
    const LessonSettings lesson{"auto", "курсове.csv", "77", "", ""};
    const LessonSettings partial{"3", "", "", "", ""};
    const ChoiceCase cases[] = {
        {"nothing anywhere", {"", "", ""}, false, {{"0", kDefault}, {"catalogue", kDefault}, {"", kDefault}}},
        {"the lesson's",
         {"", "", ""},
         true,
         {{"auto", kLesson}, {"курсове.csv", kLesson}, {"77", kLesson}}},
        {"each option given wins",
         {"2", "ecb", "5"},
         true,
         {{"2", kLine}, {"ecb", kLine}, {"5", kLine}}},
        {"one option given",
         {"0", "", ""},
         true,
         {{"0", kLine}, {"курсове.csv", kLesson}, {"77", kLesson}}},
        {"options without a lesson",
         {"", "ecb", ""},
         false,
         {{"0", kDefault}, {"ecb", kLine}, {"", kDefault}}},
    };
    for (const ChoiceCase& test : cases) {
        EXPECT_EQ(lessonChoices(test.given, test.withLesson ? &lesson : nullptr), test.expected)
            << test.name;
    }
    // What the lesson leaves empty is each computer's own.
    EXPECT_EQ(lessonChoices({"", "", ""}, &partial),
              (LessonChoices{{"3", kLesson}, {"catalogue", kDefault}, {"", kDefault}}));
}

} // namespace
