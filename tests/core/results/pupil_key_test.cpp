#include "core/results/pupil_key.h"

#include "core/text/case_folding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quiz;

namespace {

struct SameCase {
    std::string label;
    std::string one;
    std::string other;
    bool samePupil;
};

} // namespace

// Names as they reach the key: composed (the Qt edge composes them), trimmed and checked.
TEST(PupilKey, NamesDifferingOnlyInCaseAreOnePupil) {
    const std::vector<SameCase> cases{
        {"Cyrillic in small letters", "Вера", "вера", true},
        {"Cyrillic in capitals", "Вера Иванова", "ВЕРА ИВАНОВА", true},
        {"Ё and ё", "Ёлка", "ёЛКА", true},
        {"Й and й", "Йордан", "йордан", true},
        {"Ukrainian and Serbian letters", "Їжак Ђорђе", "їжак ђорђе", true},
        {"Latin with diacritics", "Zoë Ÿvonne Łukasz", "ZOË ÿvonne łUKASZ", true},
        {"Greek final sigma", "ΟΔΥΣΣΕΥΣ", "οδυσσευς", true},
        {"capital sharp s", "STRAUẞ", "strauß", true},
        {"beyond the first plane", "\U00010400", "\U00010428", true},
        {"Latin look-alikes of Cyrillic", "Вера", "Bepa", false},
        {"one look-alike letter", "Анна", "Aнна", false},
        {"Cyrillic and Latin i", "Иван", "Ivan", false},
        {"sharp s is not ss", "Strauß", "Strauss", false},
        {"dotless i is not i", "Işık", "Isik", false},
        {"e with diaeresis is not e", "Zoë", "Zoe", false},
        {"Е is not Ё", "Елка", "Ёлка", false},
        {"a blank more", "Анна Мария", "АннаМария", false},
        {"digits", "Ученик 07", "ученик 7", false},
    };
    for (const SameCase& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(pupilKey(c.one) == pupilKey(c.other), c.samePupil);
    }
}

TEST(PupilKey, FoldsCharacterByCharacter) {
    EXPECT_EQ(pupilKey("Мария Иванова"), "мария иванова");
    EXPECT_EQ(caseFolded(U'\u1E9E'), U'\u00DF');
    EXPECT_EQ(caseFolded(U'\u0130'), U'\u0130'); // no simple folding: İ stays
    EXPECT_EQ(caseFolded(U'\u00DF'), U'\u00DF');
    EXPECT_EQ(caseFolded(U'\u13F8'), U'\u13F0'); // Cherokee folds to its capitals
    // Bytes that are no UTF-8 stay as they are around folded letters.
    EXPECT_EQ(caseFolded(std::string_view("A\xFF\xD0")), "a\xFF\xD0");
}
