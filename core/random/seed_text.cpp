#include "core/random/seed_text.h"

#include <limits>

namespace quiz {

std::optional<std::uint32_t> seedFromText(std::string_view text) {
    constexpr std::size_t kMostDigits = 10;
    if (text.empty() || text.size() > kMostDigits) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace quiz
