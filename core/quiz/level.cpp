#include "core/quiz/level.h"

namespace quiz {

bool isLevel(int level) {
    return level >= 0 && level < kLevelCount;
}

} // namespace quiz
