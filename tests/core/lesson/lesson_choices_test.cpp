#include "core/lesson/lesson_choices.h"

#include <gtest/gtest.h>

namespace {

using quiz::ChosenSetting;
using quiz::GivenOptions;
using quiz::LessonChoices;
using quiz::LessonSettings;
using quiz::lessonChoices;
using quiz::MenuChoices;
using quiz::withMenuChoices;
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

struct MenuCase {
    const char* name;
    LessonChoices applied;
    MenuChoices menus;
    SettingOrigin level;
    SettingOrigin data;
};

// A level or data chosen from the menu is the computer's own, not the command line's; what the
// lesson sets stays the teacher's.
TEST(LessonChoicesTest, AMenusChoiceIsThisComputersOwn) {
    const ChosenSetting seed{"", kDefault};
    const MenuCase cases[] = {
        {"--level auto, then a level from the menu",
         {{"auto", kLine}, {"catalogue", kDefault}, seed},
         {.level = true, .data = false},
         kDefault,
         kDefault},
        {"--data ecb, then data from the menu",
         {{"0", kDefault}, {"ecb", kLine}, seed},
         {.level = false, .data = true},
         kDefault,
         kDefault},
        {"--level and --data, the menus left be",
         {{"2", kLine}, {"ecb", kLine}, seed},
         {.level = false, .data = false},
         kLine,
         kLine},
        {"the lesson's level after a menu's choice",
         {{"3", kLesson}, {"ecb", kLesson}, seed},
         {.level = true, .data = true},
         kLesson,
         kLesson},
    };
    for (const MenuCase& test : cases) {
        const LessonChoices shown = withMenuChoices(test.applied, test.menus);
        EXPECT_EQ(shown.level.origin, test.level) << test.name;
        EXPECT_EQ(shown.data.origin, test.data) << test.name;
        EXPECT_EQ(shown.level.value, test.applied.level.value) << test.name;
        EXPECT_EQ(shown.seed, test.applied.seed) << test.name;
    }
}

} // namespace
