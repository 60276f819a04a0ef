#include "core/text/control_characters.h"

namespace quiz {

bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool isDirectionMark(char32_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

bool isBlank(char32_t c) {
    return c == U' ' || c == 0x00A0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

std::string scrubControls(std::string_view text) {
    std::string shown(text);
    for (char& c : shown) {
        // Bytes from 0x80 belong to longer sequences, C1 controls among them, left whole.
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 && isControl(byte)) {
            c = '?';
        }
    }
    return shown;
}

} // namespace quiz
