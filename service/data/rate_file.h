#pragma once

// A teacher's file of rates read from disk, or the one line that says why it cannot be used:
// the same for --data, the data menu, the lesson panel and the teacher's view.

#include "core/data/rate_table.h"
#include "service/system/translations.h"

#include <QString>
#include <QtGlobal>

#include <optional>
#include <string>

namespace quiz {

// Far beyond any file of daily rates (the ECB's whole history is under 2 MB).
inline constexpr qint64 kLargestRateFile = 64 * 1024 * 1024;

struct RateFile {
    std::string bytes; // the whole file, when read
    QString refusal;   // one line naming the file and what is wrong; empty when read
};

// The file at `path`, named as given in the refusal. Only a regular file is read, checked on
// the open file, so that a pipe swapped in for it can neither block nor feed the reader; and
// no more than one byte past kLargestRateFile.
RateFile readRateFile(const QString& path, Audience audience);

// The file's rows, read as a file of rates, or none with the one line saying why in `refusal`;
// `progress` as readRateTable takes it.
std::optional<RateTable> readRates(const RateFile& file, const QString& path, Audience audience,
                                   QString& refusal, const Progress& progress = {});

// What is wrong with a file's rows or windows, in the same wording: "<place>: <reason>".
QString rateFileRefusal(const RateFileError& refused, Audience audience);

// A file that could not be read for `reason`, in the same wording: for a failure met past the
// reader, such as memory running out.
QString unreadableRateFile(const QString& path, const QString& reason, Audience audience);

} // namespace quiz
