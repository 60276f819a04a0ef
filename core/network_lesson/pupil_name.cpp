#include "core/network_lesson/pupil_name.h"

#include "core/text/control_characters.h"
#include "core/text/utf8_text.h"

namespace quiz {

namespace {

// Beside controls and direction marks: line and paragraph separators, the soft hyphen, the
// zero-width spaces and joiners, the invisible operators, variation selectors and tags, and the
// fillers that show as nothing, any of which would make a name look the same as a classmate's.
bool isHidden(char32_t point) {
    return isControl(point) || isDirectionMark(point) || point == 0x2028 || point == 0x2029 ||
           point == 0xFEFF || point == 0x00AD || (point >= 0x200B && point <= 0x200D) ||
           (point >= 0x2060 && point <= 0x2064) || point == 0x034F || point == 0x180E ||
           (point >= 0xFE00 && point <= 0xFE0F) || (point >= 0xE0000 && point <= 0xE0FFF) ||
           point == 0x115F || point == 0x1160 || point == 0x3164 || point == 0xFFA0 ||
           point == 0x2800;
}

// A spreadsheet runs a cell that starts so as a formula, and the teacher opens the class's files
// in one.
bool startsLikeFormula(std::string_view name) {
    return !name.empty() && std::string_view("=+-@").find(name.front()) != std::string_view::npos;
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
        const char32_t point = utf8CharacterAt(typed, at).codePoint;
        if (isBlank(point)) { // one that looks like a blank would make a classmate's name another
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
    if (startsLikeFormula(name)) {
        return RefusalId::NameLikeFormula;
    }
    if (characters > kNameMostCharacters) {
        return RefusalId::NameTooLong;
    }
    return name;
}

} // namespace quiz
