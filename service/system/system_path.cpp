#include "service/system/system_path.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace quiz {

std::string systemPath(const QString& path) {
#ifdef Q_OS_WIN
    // QFile::encodeName gives the ANSI code page here, which cannot name every file.
    return path.toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

std::string answerSpoolFolder(const QString& name) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    const QString folder = QDir(data).filePath(name);
    if (data.isEmpty() || !QDir().mkpath(folder)) {
        return {};
    }
    return systemPath(folder);
}

} // namespace quiz
