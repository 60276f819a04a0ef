#pragma once

// The data a --data argument or the menu names: the stored series, the built-in ECB extract,
// or a teacher's file, read once when chosen.

#include "core/data/data_set.h"
#include "service/system/translations.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <string_view>

class QThread;

namespace quiz {

// "catalogue", "ecb", or a file's path. A file is read whole at once, so later changes to it
// change nothing; it is never written. Gives null and one line naming the file, the line and
// the column, and what is wrong, in `error`, as `audience` reads it. `progress` hears how far
// reading a file has come, and may stop it (ReadingStopped).
std::shared_ptr<const DataSet> loadData(const QString& argument, QString& error, Audience audience,
                                        const Progress& progress = {});

// How the results name a file's data: its name and its content id.
QString dataFileId(const QString& path, std::string_view bytes);

// Reads the menu's choices of data off the window's thread, one at a time: a new choice stops
// the one being read, and only the latest is ever delivered.
class DataLoader : public QObject {
    Q_OBJECT

public:
    explicit DataLoader(Audience audience, QObject* parent = nullptr);
    ~DataLoader() override; // stops what is being read and waits for it

    void load(const QString& argument);
    void cancel(); // nothing more is delivered of the choice being read
    bool busy() const { return current_ != nullptr; }

signals:
    void progressed(int percent);
    void loaded(std::shared_ptr<const quiz::DataSet> data);
    void refused(const QString& reason);

private:
    struct Job;
    void finish(const std::shared_ptr<Job>& job);
    void report();

    Audience audience_;
    std::shared_ptr<Job> current_;
    QList<QThread*> threads_; // still running, stopped ones included
    QTimer ticker_;
    int shownPercent_ = -1;
};

} // namespace quiz
