#include "core/text/shell_word.h"

#include <gtest/gtest.h>

using namespace quiz;

TEST(ShellWord, QuotesWhatAShellWouldReadOtherwise) {
    struct Case {
        const char* text;
        const char* word;
    };
    const Case cases[] = {
        {"/home/ana/rates.csv", "/home/ana/rates.csv"},
        {"", "''"},
        {"/tmp/курсове 2024.csv", "'/tmp/курсове 2024.csv'"},
        {"/tmp/$HOME.csv", "'/tmp/$HOME.csv'"},
        {"/tmp/a`id`.csv", "'/tmp/a`id`.csv'"},
        {"/tmp/it's.csv", "'/tmp/it'\\''s.csv'"},
        {"/tmp/\"q\".csv", "'/tmp/\"q\".csv'"},
        {"/tmp/a\\b;c&d|e*f?g", "'/tmp/a\\b;c&d|e*f?g'"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shellWord(c.text), c.word) << c.text;
    }
}
