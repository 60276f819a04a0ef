#include "core/network_lesson/pupil_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quiz;

namespace {

struct NameCase {
    std::string label;
    std::string typed;
    std::string kept; // empty: refused
    RefusalId refused = RefusalId::NameEmpty;
};

} // namespace

TEST(PupilName, IsKeptInOneSpellingOrRefused) {
    const std::string forty(40, 'a');
    std::string fortyCyrillic;
    for (int i = 0; i < 40; ++i) {
        fortyCyrillic += "я";
    }
    const std::vector<NameCase> cases{
        {"a plain name", "Мария Иванова", "Мария Иванова"},
        {"blanks at the ends", "  Мария  ", "Мария"},
        {"blanks inside, as one", "Мария   Иванова", "Мария Иванова"},
        {"a no-break space as a blank", "Мария\u00A0Иванова", "Мария Иванова"},
        {"typographic spaces as blanks", "\u2009Мария\u2003Иванова\u202F", "Мария Иванова"},
        {"ideographic, mathematical and Ogham spaces as blanks", "\u3000Мария\u205F\u1680Иванова",
         "Мария Иванова"},
        {"letters of any script", "Zoë 王 Ёлка", "Zoë 王 Ёлка"},
        {"forty letters", forty, forty},
        {"forty Cyrillic letters, eighty bytes", fortyCyrillic, fortyCyrillic},
        {"nothing", "", "", RefusalId::NameEmpty},
        {"only blanks", " \u00A0 ", "", RefusalId::NameEmpty},
        {"forty-one letters", forty + "b", "", RefusalId::NameTooLong},
        {"forty-one once inner blanks count", std::string(20, 'a') + " " + std::string(20, 'a'), "",
         RefusalId::NameTooLong},
        {"a tab", "Мария\tИванова", "", RefusalId::NameHasControls},
        {"a line end", "Мария\r\nИванова", "", RefusalId::NameHasControls},
        {"a NUL", std::string("Мария\0x", 12), "", RefusalId::NameHasControls},
        {"DEL", "Мария\x7F", "", RefusalId::NameHasControls},
        {"a C1 control", "Мария\u0085", "", RefusalId::NameHasControls},
        {"a right-to-left override", "Мария\u202Eавонави", "", RefusalId::NameHasControls},
        {"a directional isolate", "\u2066Мария", "", RefusalId::NameHasControls},
        {"a line separator", "Мария\u2028Иван", "", RefusalId::NameHasControls},
        {"a zero-width no-break space", "\uFEFFМария", "", RefusalId::NameHasControls},
        {"bytes that are not UTF-8", "Мар\xFFия", "", RefusalId::NameHasControls},
        {"a cut sequence", "Мари\xD1", "", RefusalId::NameHasControls},
        {"a zero-width space inside", "Ве\u200Bра", "", RefusalId::NameHasControls},
        {"a zero-width joiner", "Вера\u200D", "", RefusalId::NameHasControls},
        {"a soft hyphen", "Ве\u00ADра", "", RefusalId::NameHasControls},
        {"a variation selector", "Мария\uFE0F", "", RefusalId::NameHasControls},
        {"a Hangul filler", "\u3164Мария", "", RefusalId::NameHasControls},
        {"a braille blank", "Мар\u2800ия", "", RefusalId::NameHasControls},
        {"a combining grapheme joiner", "Мари\u034Fя", "", RefusalId::NameHasControls},
        {"an invisible operator", "Мария\u2062", "", RefusalId::NameHasControls},
        {"a tag character", "Мария\U000E0041", "", RefusalId::NameHasControls},
        {"a formula", "=1+1;@SUM(A1)", "", RefusalId::NameLikeFormula},
        {"a formula after blanks", "  +7", "", RefusalId::NameLikeFormula},
        {"a minus first", "-Иван", "", RefusalId::NameLikeFormula},
        {"an at sign first", "@Иван", "", RefusalId::NameLikeFormula},
        {"a hyphen inside is a name", "Анна-Мария", "Анна-Мария"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.label);
        const auto name = pupilName(c.typed);
        if (c.kept.empty()) {
            ASSERT_TRUE(std::holds_alternative<RefusalId>(name));
            EXPECT_EQ(refusalName(std::get<RefusalId>(name)), refusalName(c.refused));
        } else {
            ASSERT_TRUE(std::holds_alternative<std::string>(name));
            EXPECT_EQ(std::get<std::string>(name), c.kept);
        }
    }
}
