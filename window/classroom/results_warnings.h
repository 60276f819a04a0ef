#pragma once

// The pupil's window's words for what happened to the results file, newest trouble first.

#include "core/results/results_notices.h"

#include <QString>
#include <QStringList>

namespace quiz {

// One Bulgarian paragraph per thing to tell: answers waiting for the folder (or caught up
// once it is back), answers given up, the file begun anew, the file moved. `path` is the
// results file; `classFolder` says whether it lies in a class folder rather than a --log file.
// `spooledIn`, when given, is the folder on this computer that keeps every waiting answer too.
QStringList resultsWarnings(const ResultsNotices& notices, const QString& path, bool classFolder,
                            const QString& spooledIn = QString());

// What became of the answers earlier runs left waiting in `spoolFolder` on this computer:
// `delivered` of them reached their file (the latest `target`), `waiting` still wait.
QStringList leftSpoolWarnings(std::size_t delivered, std::size_t waiting, const QString& target,
                              const QString& spoolFolder);

// The question asked before closing while answers still wait for the folder; `spooled` when
// this computer keeps them all for the next run.
QString closingWithWaitingRows(std::size_t waiting, bool classFolder, bool spooled = false);

} // namespace quiz
