#pragma once

// Text from a file as a one-line message may show it.

#include "core/text/control_characters.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// Values quoted in a message are cut to this many characters, so a hostile file cannot make
// a message of megabytes.
inline constexpr std::size_t kShownCharacters = 24;

// A value as a message shows it: on one line, cut to kShownCharacters characters with "…"
// when longer.
std::string shortenedForMessage(std::string_view text);

// A value as a message quotes it: 'value', on one line, cut to kShownCharacters characters
// with "…" when longer.
std::string quotedForMessage(std::string_view text);

// `pattern` with %1 to %9 replaced by the arguments they number.
std::string filledIn(std::string_view pattern, const std::vector<std::string>& arguments);

} // namespace quiz
