#include "core/turns/level.h"

namespace quiz {

bool isLevel(int level) {
    return level >= 0 && level < kLevelCount;
}

bool isLevelChoice(int level) {
    return isLevel(level) || level == kAdaptiveLevel;
}

std::optional<int> levelFromText(std::string_view text) {
    if (text == "auto") {
        return kAdaptiveLevel;
    }
    if (text.size() != 1 || text[0] < '0' || text[0] > '9' || !isLevel(text[0] - '0')) {
        return std::nullopt;
    }
    return text[0] - '0';
}

} // namespace quiz
