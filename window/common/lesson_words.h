#pragma once

// The lesson's settings in the teacher's and the pupil's words.

#include "core/results/lesson_settings.h"

#include <QString>

namespace quiz {

// Why a settings file was not used, as one Bulgarian sentence.
QString lessonProblemText(LessonProblem problem, const std::vector<std::string>& arguments);
// A data value of the settings ("catalogue", "ecb", a file's name) as the menus name it.
QString lessonDataName(const std::string& data);

} // namespace quiz
