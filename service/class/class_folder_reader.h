#pragma once

// Reads a class folder away from the window's thread and hands over what there is to show.

#include "service/class/class_folder.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace quiz {

// One reading of the folder, as the teacher's view shows it.
struct ClassView {
    ClassFolder::State state = ClassFolder::State::Read;
    std::vector<PupilSummary> pupils;
    ClassSummary summary;
    QStringList notCounted; // files and rows read but left out, with why
    QStringList skipped;    // files and lines not read, with why
};

// Lives on a thread of its own; read() may take as long as the disk does.
class ClassFolderReader : public QObject {
    Q_OBJECT

public:
    // `keys` open the seeds the pupils' runs sealed for this teacher.
    ClassFolderReader(const QString& folder, std::optional<SealKeys> keys);

    // Reads what is new and emits viewRead.
    void read();

signals:
    void viewRead(std::shared_ptr<const quiz::ClassView> view);

private:
    ClassFolder folder_;
};

} // namespace quiz
