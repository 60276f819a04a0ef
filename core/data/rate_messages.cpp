#include "core/data/rate_messages.h"

namespace quiz {

RateFileError::RateFileError(std::string place, std::string pattern,
                             std::vector<std::string> arguments)
    : std::runtime_error(place + ": " + filledIn(pattern, arguments)), place_(std::move(place)),
      pattern_(std::move(pattern)), arguments_(std::move(arguments)) {}

std::string filledIn(std::string_view pattern, const std::vector<std::string>& arguments) {
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::size_t number = i + 1 < pattern.size() && pattern[i] == '%'
                                       ? static_cast<std::size_t>(pattern[i + 1] - '0')
                                       : 0;
        if (number >= 1 && number <= 9 && number <= arguments.size()) {
            text += arguments[number - 1];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace quiz
