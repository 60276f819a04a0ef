#pragma once

// The pupil's window's words for what happened to the results file, newest trouble first.

#include "core/results/results_notices.h"

#include <QString>
#include <QStringList>

namespace quiz {

// One Bulgarian paragraph per thing to tell: answers waiting for the folder (or caught up
// once it is back), answers given up, the file begun anew, the file moved. `path` is the
// results file; `classFolder` says whether it lies in a class folder rather than a --log file.
QStringList resultsWarnings(const ResultsNotices& notices, const QString& path, bool classFolder);

// The question asked before closing while answers still wait for the folder.
QString closingWithWaitingRows(std::size_t waiting, bool classFolder);

} // namespace quiz
