#pragma once

// The lesson's settings in the teacher's and the pupil's words.

#include "core/lesson/lesson_choices.h"
#include "core/lesson/lesson_settings.h"

#include <QString>

namespace quiz {

// Why a settings file was not used, as one Bulgarian sentence.
QString lessonProblemText(LessonProblem problem, const std::vector<std::string>& arguments);
// A data value of the settings ("catalogue", "ecb", a file's name) as the menus name it.
QString lessonDataName(const std::string& data);
// What the pupil's statistics window says of the settings in use: the level and the data as
// `levelText` and `dataText` name them, and the turns, each with where it came from; then who
// set the lesson and when, from `lesson` when there is one: the account that owns the file
// (`owner`, where the system tells) before what the file says of itself, and a word when that
// account is `self`, the one the program runs as.
QString lessonSummary(const LessonChoices& choices, const QString& levelText,
                      const QString& dataText, const LessonSettings* lesson,
                      const QString& owner = {}, const QString& self = {});

} // namespace quiz
