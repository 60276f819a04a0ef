#pragma once

// A pupil's name as typed to join a lesson: trimmed, checked and kept in one spelling.

#include "core/network_lesson/refusal.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace quiz {

inline constexpr std::size_t kNameMostCharacters = 40;

// The name without blanks at its ends and with each run of blanks inside as one space; or why
// it is none: empty, longer than kNameMostCharacters characters, or holding a control
// character, a bidirectional mark or a line separator (which would break or disguise it in the
// teacher's view), or bytes that are not UTF-8.
std::variant<std::string, RefusalId> pupilName(std::string_view typed);

} // namespace quiz
