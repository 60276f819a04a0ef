#include "core/data/rate_messages.h"

namespace quiz {

RateFileError::RateFileError(std::string place, std::string pattern,
                             std::vector<std::string> arguments)
    : std::runtime_error(place + ": " + filledIn(pattern, arguments)), place_(std::move(place)),
      pattern_(std::move(pattern)), arguments_(std::move(arguments)) {}

} // namespace quiz
