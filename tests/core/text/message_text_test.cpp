#include "core/text/message_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quiz {
namespace {

TEST(MessageText, QuotesAValueOnOneLineCutInCharacters) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"abc", "'abc'"},
        {"", "''"},
        {"a\nb\rc\td\x7F", "'a?b?c?d?'"},
        {std::string("nul\0here", 8), "'nul?here'"},
        {std::string(24, 'x'), "'" + std::string(24, 'x') + "'"},
        {std::string(25, 'x'), "'" + std::string(24, 'x') + "…'"},
        // Cyrillic takes two bytes a character; the cut counts characters.
        {"абвгдежзийклмнопрстуфхцчшщ", "'абвгдежзийклмнопрстуфхцч…'"},
    };
    for (const auto& [text, quoted] : cases) {
        EXPECT_EQ(quotedForMessage(text), quoted);
    }
}

} // namespace
} // namespace quiz
