#include "core/results/pupil_key.h"

#include "core/text/case_folding.h"

namespace quiz {

std::string pupilKey(std::string_view name) {
    return caseFolded(name);
}

} // namespace quiz
