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

// What filing a row, or trying the waiting ones again, came to.
struct Filing {
    QString problem;      // why a row is not in its file now; empty when every row is
    std::size_t lost = 0; // rows the folder refused for good (a full disk, a file too large)
};

class PupilFiles {
public:
    // `host` is the name every row of this host carries.
    PupilFiles(QString folder, std::string host);

    // The pupils the folder's results files hold rows of this host for, with their standing.
    std::vector<RestoredPupil> readBack() const;
    // Appends the row to its pupil's file, a new one in the folder on their first row since the
    // host started. A row not in the file now waits, in memory, for the folder to be back,
    // unless the folder refused it for good.
    Filing append(const ResultRow& row);
    // Tries the waiting rows again.
    Filing retry();
    std::size_t waiting() const;

    // A last try for the rows that wait; the ones it cannot write are lost with the host.
    ~PupilFiles();
    PupilFiles(const PupilFiles&) = delete;
    PupilFiles& operator=(const PupilFiles&) = delete;

private:
    ResultsFile* fileOf(const std::string& pupil, QString& problem);
    // The pupil's rows that waited for their file to be made, then `line`.
    void writeInOrder(const std::string& pupil, std::string line, Filing& filing);

    QString folder_;
    std::string host_;
    std::map<std::string, std::unique_ptr<ResultsFile>> files_; // by pupil
    // Rows of pupils whose file could not be made yet (the folder unreachable), in order.
    std::map<std::string, std::vector<std::string>> unfiled_;
};

} // namespace quiz
