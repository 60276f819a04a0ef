#pragma once

// Follows a class folder on disk: each results file read once, a little more at each refresh,
// and the teachers' files of rates the runs were dealt from.

#include "core/class/class_results.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace quiz {

class ClassFolder {
public:
    using FileIdentity = std::pair<quint64, quint64>; // device and inode; zeros where unknown

    enum class State {
        Read,    // listed and read
        Missing, // cannot be listed: an unplugged share or a renamed folder
        Emptied, // no files left where there were some: most likely an unmounted share
    };

    // No pupil's file grows past this in a lesson (a row a second for ten hours is about
    // 11 MB); a larger file is left unread.
    static constexpr qint64 kLargestPupilFile = 8 * 1024 * 1024;
    // What is read of a file before its first line is known: more than any header.
    static constexpr qint64 kFirstRead = 4096;

    // Seeds sealed with `keys`' public key are opened to replay their runs.
    explicit ClassFolder(QString path, std::optional<SealKeys> keys = {});

    // Reads what is new in the folder: new files, new bytes, files shrunk or replaced. A file
    // that turns unreadable or is deleted keeps what was read from it, and is named with the
    // reason. When the folder cannot be listed or has emptied, everything read stays and the
    // next refresh tries again.
    State refresh();

    const QString& path() const { return path_; }
    const ClassResults& results() const { return results_; }
    // Files not read at the last refresh, or no longer there, each with its reason.
    const QStringList& unreadable() const { return unreadable_; }
    // The teacher's files of rates the pupils' rows name that cannot be used, one line each as
    // the quiz refuses them: runs of those data are not checked by their seeds.
    const QStringList& dataRefused() const { return dataRefused_; }

private:
    void readNewBytes(const QString& name);
    std::shared_ptr<const DataSet> findData(std::string_view id);
    std::shared_ptr<const DataSet> dataIn(const QString& name, std::string_view id, bool named);

    QString path_;
    ClassResults results_;
    QHash<QString, FileIdentity> identities_; // of the files last read
    QStringList unreadable_;
    QStringList dataRefused_;
    QSet<QString> refused_; // files that are no pupil's: a teacher's data may be among them
    std::map<std::string, std::shared_ptr<const DataSet>, std::less<>> data_; // found by id
};

} // namespace quiz
