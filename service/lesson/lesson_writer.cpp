#include "service/lesson/lesson_writer.h"

#include "core/platform/file_ops.h"
#include "service/system/system_path.h"
#include "service/words/system_reason_words.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

namespace quiz {

QString writeWhole(const QString& path, const QByteArray& bytes) {
    // Every pupil's program reads what the teacher writes, whatever the teacher's umask or the
    // folder's default rights (on Windows the folder's rights decide).
    constexpr auto kReadableByAll = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QTemporaryFile file(QFileInfo(path).dir().filePath(QStringLiteral(".lesson-XXXXXX.tmp")));
    if (!file.open() || !file.setPermissions(kReadableByAll) || file.write(bytes) != bytes.size() ||
        !file.flush()) {
        return file.errorString();
    }
    file.close();
    if (!platform::replaceWith(systemPath(file.fileName()), systemPath(path))) {
        return QString::fromStdString(bulgarianReason(errno, std::strerror(errno)));
    }
    file.setAutoRemove(false); // its name is the settings' now
    return {};
}

} // namespace quiz
