#include "core/text/utf8_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quiz {
namespace {

TEST(Utf8Text, TellsWellFormedFromIllFormed) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"", true},
        {"plain ASCII, longer than eight bytes", true},
        {"лв. и €, 𝄞", true},
        {"\xC0\xAF", false},         // overlong "/"
        {"\xED\xA0\x80", false},     // a surrogate
        {"\xF4\x90\x80\x80", false}, // past U+10FFFF
        {"abcdefgh\xD0", false},     // cut after a run of ASCII
        {"\xE2\x82", false},         // cut
        {"\x80", false},             // a continuation first
        {"\xC8\xE2\xE0\xED", false}, // Windows-1251 "Иван"
    };
    for (const auto& [text, valid] : cases) {
        EXPECT_EQ(isValidUtf8(text), valid) << text;
    }
}

TEST(Utf8Text, DropsOnlyALeadingByteOrderMark) {
    EXPECT_EQ(withoutByteOrderMark("\xEF\xBB\xBF"
                                   "a"),
              "a");
    EXPECT_EQ(withoutByteOrderMark("a\xEF\xBB\xBF"), "a\xEF\xBB\xBF");
    EXPECT_EQ(withoutByteOrderMark("\xEF\xBB"), "\xEF\xBB");
}

} // namespace
} // namespace quiz
