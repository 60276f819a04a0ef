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
    // host started. False, with the reason in `problem`, when the row is not in the file now.
    bool append(const ResultRow& row, QString& problem);

private:
    ResultsFile* fileOf(const std::string& pupil, QString& problem);

    QString folder_;
    std::string host_;
    std::map<std::string, std::unique_ptr<ResultsFile>> files_; // by pupil
};

} // namespace quiz
