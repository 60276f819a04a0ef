#include "core/text/control_characters.h"

#include <gtest/gtest.h>

using namespace quiz;

TEST(ControlCharacters, SaysWhichCharactersAreControlsAndWhichTurnDirection) {
    const struct {
        char32_t c;
        bool control;
        bool direction;
    } cases[] = {
        {0x00, true, false},    {0x0A, true, false},    {0x1F, true, false},
        {U' ', false, false},   {U'~', false, false},   {0x7F, true, false},
        {0x80, true, false},    {0x9F, true, false},    {0xA0, false, false},
        {U'я', false, false},   {0x061B, false, false}, {0x061C, false, true},
        {0x200D, false, false}, {0x200E, false, true},  {0x200F, false, true},
        {0x2029, false, false}, {0x202A, false, true},  {0x202E, false, true},
        {0x202F, false, false}, {0x2065, false, false}, {0x2066, false, true},
        {0x2069, false, true},  {0x206A, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isControl(c.c), c.control) << std::hex << static_cast<unsigned>(c.c);
        EXPECT_EQ(isDirectionMark(c.c), c.direction) << std::hex << static_cast<unsigned>(c.c);
    }
}

// Only ASCII controls become '?': a C1 control's bytes, and any other non-ASCII, stay whole.
TEST(ControlCharacters, ScrubsTheAsciiControlsByteByByte) {
    const struct {
        std::string_view text;
        std::string shown;
    } cases[] = {
        {"a\nb\tc", "a?b?c"},
        {std::string_view("x\0y", 3), "x?y"},
        {"del\x7F", "del?"},
        {"\xC2\x85 ново", "\xC2\x85 ново"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scrubControls(c.text), c.shown) << c.shown;
    }
}
