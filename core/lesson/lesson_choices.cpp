#include "core/lesson/lesson_choices.h"

#include "core/data/data_ids.h"

#include <utility>

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
        .data = choose(given.data, lesson ? &lesson->data : nullptr, kCatalogueData),
        .seed = choose(given.seed, lesson ? &lesson->seed : nullptr, ""),
    };
}

LessonChoices withMenuChoices(LessonChoices choices, MenuChoices menus) {
    for (const auto& [chosen, fromMenu] :
         {std::pair{&choices.level, menus.level}, std::pair{&choices.data, menus.data}}) {
        if (fromMenu && chosen->origin == SettingOrigin::CommandLine) {
            chosen->origin = SettingOrigin::Default;
        }
    }
    return choices;
}

} // namespace quiz
