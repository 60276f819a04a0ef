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

TEST(MessageText, FillsInTheValuesThePatternNumbers) {
    const std::vector<std::string> values = {"one", "two"};
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"%1 and %2", "one and two"},
        {"%2, then %1 again: %1", "two, then one again: one"},
        {"no value named", "no value named"},
        {"%3 and %0 stay, as does a last %", "%3 and %0 stay, as does a last %"},
        {"50%1", "50one"},
    };
    for (const auto& [pattern, text] : cases) {
        EXPECT_EQ(filledIn(pattern, values), text) << pattern;
    }
}

} // namespace
} // namespace quiz
