#pragma once

// Which level, data and seed a pupil's run plays with: its command line's, else the lesson's,
// else the quiz's own defaults, each with where it came from.

#include "core/lesson/lesson_settings.h"

#include <string>

namespace quiz {

enum class SettingOrigin { Default, CommandLine, Lesson };

struct ChosenSetting {
    std::string value; // as the command line writes it; an empty seed is the run's own
    SettingOrigin origin = SettingOrigin::Default;

    bool operator==(const ChosenSetting&) const = default;
};

struct LessonChoices {
    ChosenSetting level;
    ChosenSetting data;
    ChosenSetting seed;

    bool operator==(const LessonChoices&) const = default;
};

// The options typed on the command line, as typed; empty for one not given.
struct GivenOptions {
    std::string level;
    std::string data;
    std::string seed;
};

// An option given wins; then a value the lesson sets; then the default ("0", "catalogue", and
// a seed of the run's own). `lesson` is null without usable settings.
LessonChoices lessonChoices(const GivenOptions& given, const LessonSettings* lesson);

// Whether the pupil chose a level or data from the menus since the run began.
struct MenuChoices {
    bool level = false;
    bool data = false;
};

// The choices with where they come from now: a level or data chosen from the menus is this
// computer's own, whatever the command line started the run with; what the lesson sets stays
// the teacher's, since it locks the menus and sets its value again before each turn.
LessonChoices withMenuChoices(LessonChoices choices, MenuChoices menus);

} // namespace quiz
