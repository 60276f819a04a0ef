#pragma once

// A path in the form the core's file operations take.

#include <QString>

#include <string>

namespace quiz {

// UTF-8 on Windows, where the core opens files through the wide API; elsewhere the file
// system's own bytes, as QFile would use them.
std::string systemPath(const QString& path);

} // namespace quiz
