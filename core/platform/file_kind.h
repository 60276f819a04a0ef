#pragma once

// What stands at a path instead of a regular file, as an id the edge words.

#include <cstdint>

namespace quiz {

enum class FileKind : std::uint8_t { Regular, Folder, Pipe, Socket, Device, Other };

} // namespace quiz
