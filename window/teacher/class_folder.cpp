#include "window/teacher/class_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace quiz {

namespace {

// Read in slices, so that a huge stray file never takes all the memory at once.
constexpr qint64 kSlice = 4 * 1024 * 1024;

} // namespace

ClassFolder::ClassFolder(QString path) : path_(std::move(path)) {}

bool ClassFolder::refresh() {
    const QDir folder(path_);
    if (!folder.exists()) {
        return false;
    }
    unreadable_.clear();
    const QStringList names =
        folder.entryList({QStringLiteral("*.csv")}, QDir::Files | QDir::Readable | QDir::Hidden);
    // A set, so that a folder of a thousand files is not searched a million times.
    const QSet<QString> present(names.cbegin(), names.cend());
    for (const std::string& known : results_.fileNames()) {
        if (!present.contains(QString::fromStdString(known))) {
            results_.forget(known);
        }
    }
    for (const QString& name : names) {
        readNewBytes(name);
    }
    return true;
}

void ClassFolder::readNewBytes(const QString& name) {
    const std::string key = name.toStdString();
    QFile file(QDir(path_).filePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        unreadable_ << name + QStringLiteral(": ") + file.errorString();
        return;
    }
    // A file shorter than what was read was cut or replaced: read it again from the start.
    if (static_cast<std::uint64_t>(file.size()) < results_.offset(key)) {
        results_.restart(key);
    }
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
