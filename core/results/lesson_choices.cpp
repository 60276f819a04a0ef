#include "core/results/lesson_choices.h"

namespace quiz {

namespace {

ChosenSetting choose(const std::string& given, const std::string* lesson,
                     const char* fallback) {
    if (!given.empty()) {
        return {given, SettingOrigin::CommandLine};
    }
    if (lesson && !lesson->empty()) {
        return {*lesson, SettingOrigin::Lesson};
    }
    return {fallback, SettingOrigin::Default};
}

} // namespace

LessonChoices lessonChoices(const GivenOptions& given, const LessonSettings* lesson) {
    return {
        .level = choose(given.level, lesson ? &lesson->level : nullptr, "0"),
        .data = choose(given.data, lesson ? &lesson->data : nullptr, "catalogue"),
        .seed = choose(given.seed, lesson ? &lesson->seed : nullptr, ""),
    };
}

} // namespace quiz
