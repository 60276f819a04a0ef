#include "core/results/class_file_name.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace quiz;

namespace {

struct PieceCase {
    std::string typed;
    std::string safe;
};

const PieceCase kPieces[] = {
    {"Иванова Мария", "Иванова Мария"},
    {"../../etc/passwd", "_.._etc_passwd"},
    {"..\\..\\Windows\\win.ini", "_.._Windows_win.ini"},
    {"..", "_"},
    {"", "_"},
    {" . . ", "_"},
    {"  Мария.  ", "Мария"},
    {"a<b>c:d\"e|f?g*h", "a_b_c_d_e_f_g_h"},
    {std::string("a\0b\tc\x7F", 6), "a_b_c_"},
    {"\xC2\x85x", "_x"},                 // C1 control
    {"abc\u202Efdp.exe", "abc_fdp.exe"}, // right-to-left override
    {"a\xFF"
     "b\xC0\xAF"
     "c",
     "a_b__c"},                // a stray byte, an overlong "/"
    {"\xED\xA0\x80z", "___z"}, // a surrogate
    {"Ив\xD0", "Ив_"},         // cut in the middle of a character
    {"CON", "_CON"},
    {"con.txt", "_con.txt"},
    {"Com1", "_Com1"},
    {"LPT9.csv.bak", "_LPT9.csv.bak"},
    {"NUL .x", "_NUL .x"},
    {"com\u00B9", "_com\u00B9"},
    {"COM10", "COM10"},
    {"CONSOLE", "CONSOLE"},
    {"Aux_1", "Aux_1"},
    {std::string(59, 'a') + "я", std::string(59, 'a')},
    {std::string(40, 'x') + std::string(20, '.') + "y", std::string(40, 'x')},
    {"CON" + std::string(57, ' ') + "xy", "_CON"}, // the cut leaves a reserved name
};

class SafeNamePiece : public testing::TestWithParam<PieceCase> {};

} // namespace

TEST_P(SafeNamePiece, KeepsTheNameInItsFolderAndOpenableOnWindows) {
    const std::string safe = safeNamePiece(GetParam().typed);
    EXPECT_EQ(safe, GetParam().safe);
    EXPECT_LE(safe.size(), kNamePieceBytes);
    const std::string name = classFileName(GetParam().typed, GetParam().typed, 0);
    const std::u8string utf8(name.begin(), name.end()); // the same bytes on every system
    EXPECT_TRUE(std::filesystem::path(utf8).filename().u8string() == utf8) << name;
    EXPECT_EQ(name.find_first_of("/\\"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Typed, SafeNamePiece, testing::ValuesIn(kPieces));

TEST(ClassFileName, JoinsTheNamesAndTheTimeInUtc) {
    struct Case {
        std::string pupil;
        std::string host;
        std::int64_t seconds;
        std::string name;
    };
    const Case cases[] = {
        {"Иванова Мария", "PC07", 1796721300, "Иванова Мария_PC07_2026-12-08T09-15-00Z.csv"},
        {"../x", "a/b", 0, "_x_a_b_1970-01-01T00-00-00Z.csv"},
        {"", "", -1, "____1969-12-31T23-59-59Z.csv"},
        {"p", "h", -86400, "p_h_1969-12-31T00-00-00Z.csv"},
        {"p", "h", 951782400, "p_h_2000-02-29T00-00-00Z.csv"},
        {"p", "h", 253402300799, "p_h_9999-12-31T23-59-59Z.csv"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(classFileName(c.pupil, c.host, c.seconds), c.name);
    }
}
