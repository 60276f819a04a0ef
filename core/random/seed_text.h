#pragma once

// A seed as typed: on the command line or in a lesson's settings.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quiz {

// Digits only, 0 to 4294967295: no sign, blanks or exponent, so a typing slip is never read as
// some other seed.
std::optional<std::uint32_t> seedFromText(std::string_view text);

} // namespace quiz
