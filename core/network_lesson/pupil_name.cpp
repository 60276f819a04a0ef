#include "core/network_lesson/pupil_name.h"

#include "core/text/utf8_text.h"

#include <array>
#include <utility>

namespace quiz {

namespace {

constexpr char32_t kNoBreakSpace = 0xA0;

// The code point of the well-formed sequence of `length` bytes at `at`.
char32_t codePoint(std::string_view text, std::size_t at, std::size_t length) {
    constexpr std::array<unsigned, 5> kLeadMask{0, 0x7F, 0x1F, 0x0F, 0x07};
    constexpr unsigned kContinuationBits = 6;
    constexpr unsigned kContinuationMask = 0x3F;
    char32_t point = static_cast<unsigned char>(text[at]) & kLeadMask[length];
    for (std::size_t i = 1; i < length; ++i) {
        point = (point << kContinuationBits) |
                (static_cast<unsigned char>(text[at + i]) & kContinuationMask);
    }
    return point;
}

// C0, DEL and C1 controls, the marks that turn text's direction, line and paragraph
// separators, and the zero-width no-break space.
bool isHidden(char32_t point) {
    constexpr std::array<std::pair<char32_t, char32_t>, 7> kRanges{{
        {0x00, 0x1F},
        {0x7F, 0x9F},
        {0x061C, 0x061C},
        {0x200E, 0x200F},
        {0x2028, 0x202E},
        {0x2066, 0x2069},
        {0xFEFF, 0xFEFF},
    }};
    for (const auto& [first, last] : kRanges) {
        if (point >= first && point <= last) {
            return true;
        }
    }
    return false;
}

} // namespace

std::variant<std::string, RefusalId> pupilName(std::string_view typed) {
    std::string name;
    std::size_t characters = 0;
    bool blankPending = false;
    for (std::size_t at = 0; at < typed.size();) {
        const std::size_t length = utf8SequenceLength(typed, at);
        if (length == 0) {
            return RefusalId::NameHasControls;
        }
        const char32_t point = codePoint(typed, at, length);
        if (point == U' ' || point == kNoBreakSpace) {
            blankPending = !name.empty();
        } else if (isHidden(point)) {
            return RefusalId::NameHasControls;
        } else {
            if (blankPending) {
                name.push_back(' ');
                ++characters;
                blankPending = false;
            }
            name.append(typed.substr(at, length));
            ++characters;
        }
        at += length;
    }
    if (name.empty()) {
        return RefusalId::NameEmpty;
    }
    if (characters > kNameMostCharacters) {
        return RefusalId::NameTooLong;
    }
    return name;
}

} // namespace quiz
