#pragma once

// The data a --data argument or the menu names: the stored series, the built-in ECB extract,
// or a teacher's file, read once when chosen.

#include "core/data_set.h"

#include <QString>

class QTranslator;

#include <memory>

namespace quiz {

// "catalogue", "ecb", or a file's path. A file is read whole at once, so later changes to it
// change nothing; it is never written. Gives null and one line naming the file, the line and
// the column, and what is wrong, in `error`: in `language` when given, else in the user's.
std::shared_ptr<const DataSet> loadData(const QString& argument, QString& error,
                                        const QTranslator* language = nullptr);

// How the results name a file's data: its name and the first 12 hex digits of its SHA-256.
QString dataFileId(const QString& path, const QByteArray& bytes);

} // namespace quiz
