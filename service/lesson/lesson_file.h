#pragma once

// The lesson's settings file in a class folder, as the teacher's view and the pupil's program
// read it.

#include "core/platform/regular_file.h"

#include <QString>

namespace quiz {

QString lessonSettingsPath(const QString& folder);

// Only a regular file, checked on the open file, so that a pipe swapped in for it cannot block
// the reader; one byte more than settings may hold, so a larger file is told apart.
platform::RegularFile readLessonSettingsFile(const QString& folder);

} // namespace quiz
