#pragma once

// The hosted lesson's rows in the class folder: each pupil's file of their own, written row by
// row, rows that wait for the folder kept on this computer too, and the folder's files read back
// when the host starts again.

#include "core/network_lesson/pupil_turns.h"
#include "core/results/answer_spool.h"
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
    // `host` is the name every row of this host carries. Rows that wait for a pupil's file are
    // kept in `spoolFolder` as well (none when empty), so that a host ended meanwhile loses none.
    PupilFiles(QString folder, std::string host, std::string spoolFolder = {});

    // The pupils the folder's results files hold rows of this host for, with their standing,
    // once the rows an earlier host left waiting in the spool folder are delivered.
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
    // The pupil's file, made on their first row; null, with the problem in `filing`, while it
    // cannot be.
    ResultsFile* fileOf(const std::string& pupil, Filing& filing);
    // The pupil's rows that waited for their file to be made, then `line`.
    void writeInOrder(const std::string& pupil, std::string line, Filing& filing);
    // Keeps the spool of the pupil's file as its waiting rows: `line` added while it waits, all
    // cleared once none does.
    void spool(const std::string& pupil, const ResultsFile& file, std::string_view line,
               const WriteOutcome& outcome);
    // Adds `line` to the spool of the pupil's file at `target`, made on the first.
    void addToSpool(const std::string& pupil, const std::string& target, std::string_view line);

    QString folder_;
    std::string host_;
    std::map<std::string, std::unique_ptr<ResultsFile>> files_; // by pupil
    // Rows of pupils whose file could not be made yet (the folder unreachable), in order.
    std::map<std::string, std::vector<std::string>> unfiled_;
    // Where each pupil's file will be, chosen as it first could not be made: their spool names it.
    std::map<std::string, std::string> unmade_;
    std::string spoolFolder_;
    std::map<std::string, std::unique_ptr<AnswerSpool>> spools_; // by pupil, while rows wait
};

} // namespace quiz
