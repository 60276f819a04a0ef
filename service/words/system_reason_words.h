#pragma once

// Why a file could not be written, worded in Bulgarian for the messages a teacher reads.

#include <string>
#include <string_view>

namespace quiz {

// The common reasons in Bulgarian; any other keeps the system's own text, given as `systemText`.
std::string bulgarianReason(int errorNumber, std::string_view systemText);

} // namespace quiz
