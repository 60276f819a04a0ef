#include "core/text/message_text.h"

#include "core/text/utf8_text.h"

namespace quiz {

std::string shortenedForMessage(std::string_view text) {
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size(); ++end) {
        if (!isContinuationByte(text[end]) && characters++ == kShownCharacters) {
            break;
        }
    }
    return scrubControls(text.substr(0, end)) + (end < text.size() ? "…" : "");
}

std::string quotedForMessage(std::string_view text) {
    return "'" + shortenedForMessage(text) + "'";
}

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
