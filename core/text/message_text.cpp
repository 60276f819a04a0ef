#include "core/text/message_text.h"

#include "core/text/utf8_text.h"

namespace quiz {

std::string scrubControls(std::string_view text) {
    std::string shown(text);
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') {
            c = '?';
        }
    }
    return shown;
}

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

} // namespace quiz
