#pragma once

// What stands at a path instead of a regular file, worded for the console and the windows.

#include "core/platform/file_kind.h"
#include "service/words/wording.h"

#include <string>

namespace quiz {

// "не е обикновен файл", for a sentence that names the path its own way.
std::string notRegularFile(Wording wording);

// With what stands there instead: "не е обикновен файл, а папка".
std::string notRegularFile(FileKind kind, Wording wording);

} // namespace quiz
