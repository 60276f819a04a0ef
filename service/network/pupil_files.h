#pragma once

// The hosted lesson's rows in the class folder: each pupil's file of their own, written row by
// row, and the folder's files read back when the host starts again.

#include "core/network_lesson/pupil_turns.h"
#include "core/results/result_row.h"
#include "core/results/results_file.h"

#include <QString>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quiz {

class PupilFiles {
public:
    // `host` is the name every row of this host carries.
    PupilFiles(QString folder, std::string host);

    // The pupils the folder's results files hold rows of this host for, with their standing.
    std::vector<RestoredPupil> readBack() const;
    // Appends the row to its pupil's file, a new one in the folder on their first row since the
    // host started. False, with the reason in `problem`, when the row is not in the file now:
    // it waits, in memory, for the folder to be back.
    bool append(const ResultRow& row, QString& problem);
    // Tries the waiting rows again; how many still wait.
    std::size_t retry();
    std::size_t waiting() const;

    // A last try for the rows that wait; the ones it cannot write are lost with the host.
    ~PupilFiles();
    PupilFiles(const PupilFiles&) = delete;
    PupilFiles& operator=(const PupilFiles&) = delete;

private:
    ResultsFile* fileOf(const std::string& pupil, QString& problem);
    // The pupil's rows that waited for their file to be made, then `line`; false when some wait.
    bool writeInOrder(const std::string& pupil, std::string line, QString& problem);

    QString folder_;
    std::string host_;
    std::map<std::string, std::unique_ptr<ResultsFile>> files_; // by pupil
    // Rows of pupils whose file could not be made yet (the folder unreachable), in order.
    std::map<std::string, std::vector<std::string>> unfiled_;
};

} // namespace quiz
