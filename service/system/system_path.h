#pragma once

// A path in the form the core's file operations take, and the folder of this computer where
// answers waiting for their file are kept as well.

#include <QString>

#include <string>

namespace quiz {

// UTF-8 on Windows, where the core opens files through the wide API; elsewhere the file
// system's own bytes, as QFile would use them.
std::string systemPath(const QString& path);

// The folder `name` of spools in the user's own data folder, made if missing, as systemPath
// gives it; empty where it cannot be made. The quiz keeps its spools in "spool", the teacher's
// lesson host in one of its own, as it alone makes a missing results file for them.
std::string answerSpoolFolder(const QString& name);

} // namespace quiz
