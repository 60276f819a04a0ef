#pragma once

// Reads a small file that others may swap: only a regular file is read, checked on the open
// file, so a pipe put in its place after any check can neither block nor feed the reader.

#include "core/platform/file_kind.h"

#include <cstddef>
#include <string>

namespace quiz::platform {

struct RegularFile {
    enum class Outcome { Read, Missing, NotRegular, Failed };

    Outcome outcome = Outcome::Failed;
    std::string bytes;     // at most the bytes asked for
    int errorNumber = 0;   // for Failed
    FileKind kind = FileKind::Regular; // for NotRegular: what stands there instead
    // For Read: the account that owns the file, as ownerOf names it; empty where the system
    // cannot tell. Unlike anything the file says of itself, the file cannot forge it.
    std::string owner;
};

// At most `most` bytes of `path`, a path as the file operations take it.
RegularFile readRegularFile(const std::string& path, std::size_t most);

} // namespace quiz::platform
