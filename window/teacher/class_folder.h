#pragma once

// Follows a class folder on disk: each results file read once, a little more at each refresh.

#include "core/class_results.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <utility>

namespace quiz {

class ClassFolder {
public:
    using FileIdentity = std::pair<quint64, quint64>; // device and inode; zeros where unknown

    explicit ClassFolder(QString path);

    // Reads what is new in the folder: new files, new bytes, files gone, shrunk or replaced. A
    // file that turns unreadable keeps what was read from it, and is named as skipped.
    // Returns false, keeping what was read, when the folder cannot be listed (an unplugged
    // share); it is tried again at the next refresh.
    bool refresh();

    const QString& path() const { return path_; }
    const ClassResults& results() const { return results_; }
    // Files that could not be opened at the last refresh, each with its reason.
    const QStringList& unreadable() const { return unreadable_; }

private:
    void readNewBytes(const QString& name);

    QString path_;
    ClassResults results_;
    QHash<QString, FileIdentity> identities_; // of the files last read
    QStringList unreadable_;
};

} // namespace quiz
