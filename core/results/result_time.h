#pragma once

// The time column of a results row read back as seconds since 1970 in UTC.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quiz {

// "YYYY-MM-DDThh:mm:ss" with optional fraction and "Z", "±hh:mm" or "±hhmm", as UTC seconds;
// rows are put in time order by it, so that runs on computers in other offsets still line up.
std::optional<std::int64_t> utcSeconds(std::string_view time);

} // namespace quiz
