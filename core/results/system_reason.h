#pragma once

// Why a file could not be written, in Bulgarian, for the messages a teacher reads.

#include <string>
#include <string_view>

namespace quiz {

// The common reasons (no space, no permission, no such folder, read-only, the reader gone)
// in Bulgarian; any other keeps the system's own text, given as `systemText`.
std::string bulgarianReason(int errorNumber, std::string_view systemText);

} // namespace quiz
