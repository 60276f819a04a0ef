#include "window/teacher/class_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <string_view>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace quiz {

namespace {

// Read in slices, so that a huge stray file never takes all the memory at once.
constexpr qint64 kSlice = 4 * 1024 * 1024;

constexpr const char* kNotAFile = "не е обикновен файл";
constexpr const char* kNotReadable = "няма разрешение за четене";

// Whether the file still holds, just before `offset`, the bytes last read from it there: if
// not, it was cut or rewritten. A change before those bytes is not seen here.
bool continuesFrom(QFile& file, std::uint64_t offset, std::string_view lastBytes) {
    const auto from = static_cast<qint64>(offset - lastBytes.size());
    if (static_cast<std::uint64_t>(file.size()) < offset || !file.seek(from)) {
        return false;
    }
    const QByteArray bytes = file.read(static_cast<qint64>(lastBytes.size()));
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())) == lastBytes;
}

// Which file an open name stands for, so that a save by rename (a new file under the old name)
// is known even when its end reads the same. Where the system gives no such identity, the
// bytes before the offset are all that is checked.
ClassFolder::FileIdentity identityOf(const QFile& file) {
#ifdef Q_OS_UNIX
    struct stat status {};
    if (fstat(file.handle(), &status) == 0) {
        return {static_cast<quint64>(status.st_dev), static_cast<quint64>(status.st_ino)};
    }
#else
    Q_UNUSED(file);
#endif
    return {};
}

} // namespace

ClassFolder::ClassFolder(QString path) : path_(std::move(path)) {}

bool ClassFolder::refresh() {
    const QDir folder(path_);
    if (!folder.exists()) {
        return false;
    }
    unreadable_.clear();
    // System entries too (pipes, devices, sockets), and unreadable files, so that each is
    // named with its reason rather than left out without a word.
    const QStringList names =
        folder.entryList({QStringLiteral("*.csv")}, QDir::Files | QDir::System | QDir::Hidden);
    // A set, so that a folder of a thousand files is not searched a million times.
    const QSet<QString> present(names.cbegin(), names.cend());
    for (const std::string& known : results_.fileNames()) {
        if (const QString name = QString::fromStdString(known); !present.contains(name)) {
            results_.forget(known);
            identities_.remove(name);
        }
    }
    for (const QString& name : names) {
        readNewBytes(name);
    }
    return true;
}

void ClassFolder::readNewBytes(const QString& name) {
    const std::string key = name.toStdString();
    const QFileInfo info(QDir(path_).filePath(name));
    // Opening a pipe would wait for a writer, and a device may never end.
    if (!info.isFile()) {
        unreadable_ << name + QStringLiteral(": ") + QString::fromUtf8(kNotAFile);
        return;
    }
    if (!info.isReadable()) {
        unreadable_ << name + QStringLiteral(": ") + QString::fromUtf8(kNotReadable);
        return;
    }
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) {
        unreadable_ << name + QStringLiteral(": ") + file.errorString();
        return;
    }
    const FileIdentity identity = identityOf(file);
    if (identities_.value(name, identity) != identity ||
        !continuesFrom(file, results_.offset(key), results_.lastBytes(key))) {
        results_.restart(key);
    }
    identities_.insert(name, identity);
    if (!file.seek(static_cast<qint64>(results_.offset(key)))) {
        unreadable_ << name + QStringLiteral(": ") + file.errorString();
        return;
    }
    while (!file.atEnd()) {
        const QByteArray slice = file.read(kSlice);
        if (slice.isEmpty()) {
            break;
        }
        results_.feed(key, {slice.constData(), static_cast<std::size_t>(slice.size())});
    }
}

} // namespace quiz
