#include "service/lesson/lesson_file.h"

#include "core/lesson/lesson_settings.h"
#include "service/system/system_path.h"

#include <QDir>

namespace quiz {

QString lessonSettingsPath(const QString& folder) {
    return QDir(folder).filePath(QString::fromUtf8(
        kLessonSettingsFile.data(), static_cast<qsizetype>(kLessonSettingsFile.size())));
}

platform::RegularFile readLessonSettingsFile(const QString& folder) {
    return platform::readRegularFile(systemPath(lessonSettingsPath(folder)),
                                     kLessonSettingsMostBytes + 1);
}

} // namespace quiz
