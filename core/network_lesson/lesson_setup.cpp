#include "core/network_lesson/lesson_setup.h"

#include "core/turns/level.h"

#include <stdexcept>
#include <string>

namespace quiz {

void checkSetup(const LessonSetup& setup) {
    if (!isLevelChoice(setup.level)) {
        throw std::out_of_range("no difficulty level " + std::to_string(setup.level));
    }
    if (!setup.data) {
        throw std::invalid_argument("a lesson needs data to deal from");
    }
}

} // namespace quiz
