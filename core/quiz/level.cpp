#include "core/quiz/level.h"

namespace quiz {

bool isLevel(int level) {
    return level >= 0 && level < kLevelCount;
}

bool isLevelChoice(int level) {
    return isLevel(level) || level == kAdaptiveLevel;
}

} // namespace quiz
