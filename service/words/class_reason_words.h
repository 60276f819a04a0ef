#pragma once

// Why the class view skipped a line or left a file or a row out, worded in Bulgarian for the
// teacher.

#include "core/class/class_results.h"

#include <string>

namespace quiz {

// The reason as one Bulgarian sentence, its values filled in.
std::string classReasonText(const ClassReason& reason);

// "<file>:<line>: <reason>", or "<file>: <reason>" for line 0, always one line.
std::string skippedText(const Skipped& skipped);

} // namespace quiz
