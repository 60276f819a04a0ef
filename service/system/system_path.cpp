#include "service/system/system_path.h"

#include <QFile>

namespace quiz {

std::string systemPath(const QString& path) {
#ifdef Q_OS_WIN
    // QFile::encodeName gives the ANSI code page here, which cannot name every file.
    return path.toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

} // namespace quiz
