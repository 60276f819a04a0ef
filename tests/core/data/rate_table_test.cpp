#include "core/data/rate_table.h"

#include "core/data/data_set.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

using namespace quiz;

namespace {

// How a test file is written: one row per day from 2024-01-01, the value of row i "1.ii"
// (with the given decimal separator), so the first and last texts tell the order apart.
struct Layout {
    std::string header = ""; // the first line without its end; "" for none
    std::string separator = ",";
    std::string point = ".";
    std::string lineEnd = "\n";
    bool dotted = false;        // DD.MM.YYYY dates
    bool falling = false;       // newest row first
    bool quoted = false;        // values in quotes
    std::string extraCell = ""; // a second value column, the same in every row
};

std::string dateText(int dayOfYear, bool dotted) {
    // January and February 2024 hold every test file.
    const int month = dayOfYear < 31 ? 1 : 2;
    const int day = dayOfYear < 31 ? dayOfYear + 1 : dayOfYear - 30;
    char text[16];
    std::snprintf(text, sizeof text, dotted ? "%02d.%02d.2024" : "2024-%02d-%02d",
                  dotted ? day : month, dotted ? month : day);
    return text;
}

std::string file(const Layout& layout, int rows = 43) {
    std::string text = layout.header.empty() ? "" : layout.header + layout.lineEnd;
    for (int k = 0; k < rows; ++k) {
        const int i = layout.falling ? rows - 1 - k : k;
        const std::string digits = (i < 10 ? "0" : "") + std::to_string(i);
        const std::string value = "1" + layout.point + digits;
        text += dateText(i, layout.dotted) + layout.separator +
                (layout.quoted ? '"' + value + '"' : value);
        text +=
            (layout.extraCell.empty() ? "" : layout.separator + layout.extraCell) + layout.lineEnd;
    }
    return text;
}

// What a run is checked by: enough to tell a wrong column, order, length or text.
struct RunShape {
    std::string column;
    std::size_t size;
    std::string firstDate, lastDate, firstText, lastText;

    friend bool operator==(const RunShape&, const RunShape&) = default;
    friend std::ostream& operator<<(std::ostream& out, const RunShape& run) {
        return out << '[' << run.column << "] " << run.size << ' ' << run.firstDate << '='
                   << run.firstText << " .. " << run.lastDate << '=' << run.lastText;
    }
};

std::vector<RunShape> shapes(const RateTable& table) {
    std::vector<RunShape> result;
    for (const RateRun& run : table.runs) {
        EXPECT_EQ(run.dates.size(), run.texts.size());
        result.push_back({run.column, run.texts.size(), run.dates.front(), run.dates.back(),
                          std::string(run.texts.front()), std::string(run.texts.back())});
    }
    return result;
}

const RunShape kUsd{"USD", 43, "2024-01-01", "2024-02-12", "1.00", "1.42"};

struct FormatCase {
    const char* rule;
    std::string bytes;
    std::vector<RunShape> expected;

    friend std::ostream& operator<<(std::ostream& out, const FormatCase& c) {
        return out << c.rule;
    }
};

class RateFormats : public testing::TestWithParam<FormatCase> {};

// "Дата;Курс" in Windows-1251.
const std::string kCyrillic1251Header = "\xC4\xE0\xF2\xE0;\xCA\xF3\xF0\xF1";

const FormatCase kFormats[] = {
    {"comma, point, LF", file({.header = "Date,USD"}), {kUsd}},
    {"semicolon, decimal comma, CR LF, dotted dates",
     file({.header = "Дата;Курс",
           .separator = ";",
           .point = ",",
           .lineEnd = "\r\n",
           .dotted = true}),
     {{"Курс", 43, "2024-01-01", "2024-02-12", "1.00", "1.42"}}},
    {"tab", file({.header = "Date\tUSD", .separator = "\t"}), {kUsd}},
    {"tab, quoted",
     file({.header = "Date\tUSD\tGBP", .separator = "\t", .quoted = true, .extraCell = "7"}),
     {kUsd, {"GBP", 43, "2024-01-01", "2024-02-12", "7", "7"}}},
    {"byte-order mark", "\xEF\xBB\xBF" + file({.header = "Date,USD"}), {kUsd}},
    {"Windows-1251 header",
     file({.header = kCyrillic1251Header, .separator = ";"}),
     {{"Курс", 43, "2024-01-01", "2024-02-12", "1.00", "1.42"}}},
    {"lone CR", file({.header = "Date,USD", .lineEnd = "\r"}), {kUsd}},
    {"lone CR, then LF, for rows of N/A before the run",
     [] {
         std::string text = "Date,USD\r";
         for (int day = 0; day < 45; ++day) { // 2023-11-01 to 2023-12-15
             const int ofMonth = day < 30 ? day + 1 : day - 29;
             text += std::string(day < 30 ? "2023-11-" : "2023-12-") + (ofMonth < 10 ? "0" : "") +
                     std::to_string(ofMonth) + ",N/A\r";
         }
         return text + file({});
     }(),
     {kUsd}},
    {"newest first", file({.header = "Date,USD", .falling = true}), {kUsd}},
    {"no header, one column", file({}), {{"", 43, "2024-01-01", "2024-02-12", "1.00", "1.42"}}},
    {"no header, two columns",
     file({.separator = ";", .extraCell = "7"}),
     {{"2", 43, "2024-01-01", "2024-02-12", "1.00", "1.42"},
      {"3", 43, "2024-01-01", "2024-02-12", "7", "7"}}},
    {"quoted decimal comma in a comma file",
     file({.header = "\"Date\",\"U\"\"SD\"", .point = ",", .quoted = true}),
     {{"U\"SD", 43, "2024-01-01", "2024-02-12", "1.00", "1.42"}}},
    {"blank lines, blanks around cells, one-digit dates with г.",
     "\n Date , USD \n\n" +
         [] {
             std::string rows;
             for (int i = 0; i < 43; ++i) {
                 rows += std::to_string(i % 28 + 1) + "." + std::to_string(i / 28 + 1) +
                         ".2024 г. , " + std::to_string(i + 1) + " \n\n";
             }
             return rows;
         }(),
     {{"USD", 43, "2024-01-01", "2024-02-15", "1", "43"}}},
    {"a trailing empty field after the header's",
     file({.header = "Date,USD", .extraCell = " "}),
     {kUsd}},
    {"a header ending in a separator, rows not", file({.header = "Date,USD,"}), {kUsd}},
    // Near the refusals of misread numbers, and not refused.
    {"no header, commas, day-first dates, a decimal point",
     file({.dotted = true, .extraCell = "7"}),
     {{"2", 43, "2024-01-01", "2024-02-12", "1.00", "1.42"},
      {"3", 43, "2024-01-01", "2024-02-12", "7", "7"}}},
    {"no header, commas, whole numbers, dates year first",
     file({.point = "", .extraCell = "7"}),
     {{"2", 43, "2024-01-01", "2024-02-12", "100", "142"},
      {"3", 43, "2024-01-01", "2024-02-12", "7", "7"}}},
    {"a header, commas, day-first dates, whole numbers",
     file({.header = "Date,A,B", .point = "", .dotted = true, .extraCell = "7"}),
     {{"A", 43, "2024-01-01", "2024-02-12", "100", "142"},
      {"B", 43, "2024-01-01", "2024-02-12", "7", "7"}}},
    {"a hundredfold step from a value below one",
     "Date;A\n2023-12-31;0,7\n" + file({.separator = ";", .point = ""}),
     {{"A", 44, "2023-12-31", "2024-02-12", "0.7", "142"}}},
};

INSTANTIATE_TEST_SUITE_P(Rules, RateFormats, testing::ValuesIn(kFormats));

} // namespace

TEST_P(RateFormats, ReadsEachRunOldestFirst) {
    EXPECT_EQ(shapes(readRateTable(GetParam().bytes, "rates.csv")), GetParam().expected);
}

// The ECB's header and newest line as published, then older days holding the line before
// it: the eleven N/A columns give no run, and each text stays as written.
TEST(RateFormatsEcb, ReadsTheEcbFileAsPublished) {
    std::string bytes =
        "Date,USD,JPY,BGN,CYP,CZK,DKK,EEK,GBP,HUF,LTL,LVL,MTL,PLN,ROL,RON,SEK,SIT,SKK,CHF,ISK,"
        "NOK,HRK,RUB,TRL,TRY,AUD,BRL,CAD,CNY,HKD,IDR,ILS,INR,KRW,MXN,MYR,NZD,PHP,SGD,THB,ZAR,\n"
        "2025-05-09,1.1252,163.36,1.9558,N/A,24.946,7.4604,N/A,0.8477,404.9,N/A,N/A,N/A,4.2393,"
        "N/A,5.1181,10.92,N/A,N/A,0.9353,146.9,11.6725,N/A,N/A,N/A,43.5999,1.7572,6.3647,1.5658,"
        "8.147,8.7519,18606.59,3.9928,96.0755,1575.72,21.9473,4.835,1.9095,62.413,1.46,37.132,"
        "20.4835,\n";
    const std::string olderDay =
        ",1.1297,163.45,1.9558,N/A,24.924,7.4603,N/A,0.8476,405.43,N/A,N/A,N/A,4.27,N/A,5.1188,"
        "10.903,N/A,N/A,0.9325,146.5,11.688,N/A,N/A,N/A,43.6443,1.7605,6.4915,1.5694,8.1764,"
        "8.7796,18641.58,4.0428,96.592,1580.13,22.1113,4.8362,1.9065,62.902,1.4645,37.071,20.504,"
        "\n";
    for (int i = 41; i >= 0; --i) {
        bytes += dateText(i, false) + olderDay;
    }
    const RateTable table = readRateTable(bytes, "eurofxref-hist.csv");
    ASSERT_EQ(table.runs.size(), 30U);
    EXPECT_EQ(shapes(table).front(),
              (RunShape{"USD", 43, "2024-01-01", "2025-05-09", "1.1297", "1.1252"}));
    EXPECT_EQ(shapes(table)[19],
              (RunShape{"IDR", 43, "2024-01-01", "2025-05-09", "18641.58", "18606.59"}));
    EXPECT_EQ(table.runs.back().column, "ZAR");
}

// Missing values split a run; runs shorter than 43 are dropped, never joined or filled.
TEST(RateGaps, SplitRunsAndDropShortOnes) {
    std::string bytes = "Date;A;B\n";
    for (int i = 0; i < 58; ++i) {
        const char* a = i == 44 ? "N/A" : "1";
        const char* b = i == 20 ? "" : i == 40 ? "n/a" : "2";
        bytes += dateText(i, false) + ";" + a + ";" + b + "\n";
    }
    EXPECT_EQ(shapes(readRateTable(bytes, "rates.csv")),
              (std::vector<RunShape>{{"A", 44, "2024-01-01", "2024-02-13", "1", "1"}}));
}

// A run of values saved at a double's full precision is read at the decimals a list shows,
// each value rounded where it had more, and the run says to how many; shorter values and runs
// that need no rounding stay as written.
TEST(RateRounding, ReadsLongValuesAtTheDecimalsAListShows) {
    struct Case {
        const char* what;
        std::vector<std::string> values; // the first values of a 43-row run; "1.5" fills it
        std::vector<std::string> read;
        int roundedTo;
    };
    const std::vector<Case> cases = {
        {"sixteen digits", {"0.9108986183789483", "0.877099"}, {"0.910899", "0.877099"}, 6},
        {"fifteen digits with fourteen decimals",
         {"0.87709900000000", "0.79098744114224"},
         {"0.877099", "0.790987"},
         6},
        {"a decimal comma", {"0,9108986183789483"}, {"0.910899"}, 6},
        {"a whole part of five digits",
         {"12345.678901234", "9876.54321"},
         {"12345.67890", "9876.54321"},
         5},
        {"a whole part of seven digits", {"1234567.8915", "1.5"}, {"1234567.892", "1.5"}, 3},
        {"six decimals as written", {"0.910899", "1.5"}, {"0.910899", "1.5"}, 0},
        {"ECB quotes", {"18606.59", "1.1252"}, {"18606.59", "1.1252"}, 0},
    };
    for (const Case& c : cases) {
        std::string bytes = "Date;USD\n";
        for (std::size_t i = 0; i < 43; ++i) {
            bytes += dateText(static_cast<int>(i), false) + ";" +
                     (i < c.values.size() ? c.values[i] : "1.5") + "\n";
        }
        const RateTable table = readRateTable(bytes, "rates.csv");
        ASSERT_EQ(table.runs.size(), 1U) << c.what;
        for (std::size_t i = 0; i < c.read.size(); ++i) {
            EXPECT_EQ(table.runs[0].texts[i], c.read[i])
                << c.what << ", value " << i;
        }
        EXPECT_EQ(table.runs[0].roundedTo, c.roundedTo) << c.what;
    }
}

// Each run of a file is shown at its own decimals: a rate near 1 keeps six beside one in the
// tens of thousands.
TEST(RateRounding, RoundsEachRunToItsOwnDecimals) {
    std::string bytes = "Date,USD,IDR\n";
    for (int i = 0; i < 43; ++i) {
        bytes += dateText(i, false) + ",0.9108986183789483,18606.591234567\n";
    }
    const RateTable table = readRateTable(bytes, "rates.csv");
    ASSERT_EQ(table.runs.size(), 2U);
    EXPECT_EQ(table.runs[0].texts[0], "0.910899");
    EXPECT_EQ(table.runs[0].roundedTo, 6);
    EXPECT_EQ(table.runs[1].texts[0], "18606.59123");
    EXPECT_EQ(table.runs[1].roundedTo, 5);
}

// Runs of one column are rounded each by its own values: a gap ends the run of large ones.
TEST(RateRounding, RoundsTheRunsOfOneColumnEachToItsOwnDecimals) {
    std::string bytes = "Date,IDR\n";
    for (int i = 0; i < 44; ++i) { // a year before the next run
        std::string date = dateText(i, false);
        date.replace(0, 4, "2023");
        bytes += date + (i < 43 ? ",18606.591234567\n" : ",N/A\n");
    }
    for (int i = 0; i < 43; ++i) {
        bytes += dateText(i, false) + ",0.9108986183789483\n";
    }
    const RateTable table = readRateTable(bytes, "rates.csv");
    ASSERT_EQ(table.runs.size(), 2U);
    EXPECT_EQ(table.runs[0].texts[0], "18606.59123");
    EXPECT_EQ(table.runs[1].texts[0], "0.910899");
    EXPECT_EQ(table.runs[1].roundedTo, 6);
}

// A value in a run of large ones that rounds to nothing at the run's decimals names its place.
TEST(RateRounding, RefusesAValueThatRoundsToNothingInItsRun) {
    std::string bytes = "Date;A\n";
    for (int i = 0; i < 43; ++i) {
        bytes += dateText(i, false) + (i == 5 ? ";0.000004\n" : ";12345.678901\n");
    }
    try {
        readRateTable(bytes, "rates.csv");
        FAIL() << "read";
    } catch (const RateFileError& error) {
        EXPECT_STREQ(error.what(), "rates.csv:7:2: RoundsToZero('0.000004', 5)");
    }
}

namespace {

struct BadCase {
    const char* what;
    std::string bytes;
    const char* message;

    friend std::ostream& operator<<(std::ostream& out, const BadCase& c) { return out << c.what; }
};

class BadRateFiles : public testing::TestWithParam<BadCase> {};

const std::string kTwoRows = "Date;USD\n2024-01-01;1,5\n";

// UTF-8 text of characters below U+FFFF in UTF-16, without a byte-order mark.
std::string utf16(std::string_view utf8, bool bigEndFirst) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        unsigned code = length == 1 ? lead : lead & (length == 2 ? 0x1F : 0x0F);
        for (std::size_t k = 1; k < length; ++k) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        const char high = static_cast<char>(code >> 8);
        const char low = static_cast<char>(code & 0xFF);
        out += bigEndFirst ? std::string{high, low} : std::string{low, high};
        i += length;
    }
    return out;
}

const BadCase kBadFiles[] = {
    {"letters", kTwoRows + "2024-01-02; abc \n", "rates.csv:3:2: NotANumber('abc')"},
    {"a sign", kTwoRows + "2024-01-02;-1\n", "rates.csv:3:2: NotPositive('-1')"},
    {"a sign and a decimal comma", kTwoRows + "2024-01-02; -0,5\n",
     "rates.csv:3:2: NotPositive('-0,5')"},
    {"a dash", kTwoRows + "2024-01-02;-\n", "rates.csv:3:2: NotANumber('-')"},
    {"a sign before letters", kTwoRows + "2024-01-02;-x1\n", "rates.csv:3:2: NotANumber('-x1')"},
    {"an exponent", kTwoRows + "2024-01-02;1e5\n", "rates.csv:3:2: NotANumber('1e5')"},
    {"two separators", kTwoRows + "2024-01-02;1.2,5\n", "rates.csv:3:2: NotANumber('1.2,5')"},
    {"no digit after the point", kTwoRows + "2024-01-02;5.\n", "rates.csv:3:2: NotANumber('5.')"},
    {"zero", kTwoRows + "2024-01-02;0,000\n", "rates.csv:3:2: NotPositive('0,000')"},
    {"sixteen digits", kTwoRows + "2024-01-02;1234567890.123456\n",
     "rates.csv:3:2: TooManyDigits('1234567890.123456')"},
    {"sixteen digits, rounded", kTwoRows + "2024-01-02;1234567890.1234567\n",
     "rates.csv:3:2: TooManyDigits('1234567890.1234567')"},
    {"below a millionth", kTwoRows + "2024-01-02;0,00000012\n",
     "rates.csv:3:2: RoundsToZero('0,00000012', 6)"},
    {"day 32", kTwoRows + "32.01.2024;1\n", "rates.csv:3:1: NotADate('32.01.2024')"},
    {"30 February", kTwoRows + "2024-02-30;1\n", "rates.csv:3:1: NotADate('2024-02-30')"},
    {"a bad first date", "2023-02-29,1\n", "rates.csv:1:1: NotADate('2023-02-29')"},
    {"a repeated date", kTwoRows + "\n01.01.2024;1\n",
     "rates.csv:4:1: RepeatedDate('01.01.2024', 2)"},
    {"a row out of order", kTwoRows + "2024-01-03;1\n2024-01-02;1\n",
     "rates.csv:4:1: OutOfRisingOrder('2024-01-02')"},
    {"a field too many", kTwoRows + "2024-01-02;1;2\n", "rates.csv:3:3: WiderThanHeader(2)"},
    {"a field too few", "Date,A,B\n2024-01-01,1\n", "rates.csv:2:3: NarrowerThanHeader(2, 3)"},
    {"no date", kTwoRows + " ;1\n", "rates.csv:3:1: NoDate"},
    {"an unclosed quote", kTwoRows + "2024-01-02;\"1\n", "rates.csv:3:2: UnclosedQuote"},
    {"text after a quote", kTwoRows + "2024-01-02;\"1\"2\n", "rates.csv:3:2: TextAfterQuote"},
    {"one column", "Date\n2024-01-01\n", "rates.csv:1:2: NoValueColumn"},
    {"nothing", "", "rates.csv: Empty"},
    {"UTF-16", std::string{'\xFF', '\xFE', 'D', '\0', 'a', '\0'}, "rates.csv: Utf16"},
    {"UTF-16 without its mark", std::string{'D', '\0', 'a', '\0'}, "rates.csv: Utf16"},
    {"UTF-16, big end first, without its mark", std::string{'\0', '2', '\0', '0'},
     "rates.csv: Utf16"},
    {"blank lines", "\xEF\xBB\xBF \r\n\n", "rates.csv: Empty"},
    {"a header alone", "Date,USD,\n", "rates.csv: NoRows"},
    {"no run long enough", file({.header = "Date;USD", .separator = ";"}, 12),
     "rates.csv: LongestNamed(43, 12, USD, 2024-01-01)"},
    {"no run long enough, newest first",
     file({.header = "Date;USD", .separator = ";", .falling = true}, 12),
     "rates.csv: LongestNamed(43, 12, USD, 2024-01-01)"},
    {"no run long enough in a column the header leaves unnamed",
     "Date,\n2024-01-01,1.5\n2024-01-02,1.6\n", "rates.csv: LongestUnnamed(43, 2, 2024-01-01)"},
    {"no run long enough in the second of two columns without a header",
     "2024-01-01,,1.5\n2024-01-02,,1.6\n", "rates.csv: LongestNumbered(43, 2, 3, 2024-01-01)"},
    {"no value at all", "Date,USD\n2024-01-01,\n2024-01-02,N/A\n", "rates.csv: NoValue(43)"},
    {"UTF-16, big end first, without its mark, a Cyrillic header",
     utf16("Дата,USD\n2024-01-02,1.5\n", true), "rates.csv: Utf16"},
    {"UTF-16, little end first, without its mark, a Cyrillic header",
     utf16("Дата;Курс\r\n02.01.2024;1,5\r\n", false), "rates.csv: Utf16"},
    {"thousands with a comma after a whole number", "Date;JPY\n2024-01-01;999\n2024-01-02;1,008\n",
     "rates.csv:3:2: ThousandsJump('1,008', '999', 2)"},
    {"a whole number after thousands with a comma, quoted, over a gap",
     "Date,JPY\n2024-01-01,\"1,500\"\n2024-01-02,N/A\n2024-01-03,1499\n",
     "rates.csv:4:2: ThousandsJump('1499', '1,500', 2)"},
    {"a thousandth, below one", "Date;A\n2024-01-01;0,0012\n2024-01-02;1,3\n",
     "rates.csv:3:2: ThousandsJump('1,3', '0,0012', 2)"},
    {"decimal commas cutting every value in a comma file",
     [] {
         std::string text;
         for (int i = 0; i < 43; ++i) {
             text += dateText(i, true) + ",1," + std::to_string(1252 + i) + "\n";
         }
         return text;
     }(),
     "rates.csv: SplitDecimals"},
    {"decimal commas cutting a value into a zero", file({.point = ",", .dotted = true}),
     "rates.csv:1:3: SplitDecimals"},
    {"decimal commas cutting values into a thousandfold step",
     "02.01.2024,1,1252\n03.01.2024,1,1\n", "rates.csv:2:3: SplitDecimals"},
    {"decimal commas, then a value without one", "02.01.2024,1,5\n03.01.2024,2\n",
     "rates.csv:2:3: SplitDecimals"},
    {"a NUL byte", kTwoRows + std::string("2024-01-02;1\0002\n", 15),
     "rates.csv:3:2: NotANumber('1?2')"},
};

INSTANTIATE_TEST_SUITE_P(Files, BadRateFiles, testing::ValuesIn(kBadFiles));

} // namespace

TEST_P(BadRateFiles, AreRefusedWithTheirPlace) {
    try {
        readRateTable(GetParam().bytes, "rates.csv");
        ADD_FAILURE() << "accepted";
    } catch (const RateFileError& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

// Huge or hostile input still gets one short line.
TEST(BadRateFiles, HostileInputGetsOneShortLine) {
    const std::string inputs[] = {
        "Date" + std::string(1'000'000, ','),
        "Date,USD\n2024-01-01," + std::string(10'000'000, '7') + "\n",
        "Date,USD\n2024-01-01,\"" + std::string(100, '\n'),
        "Date,\xFF\xFE" + std::string(1000, '\x80') + "\n",
    };
    for (const std::string& bytes : inputs) {
        try {
            readRateTable(bytes, "rates.csv");
            ADD_FAILURE() << "accepted";
        } catch (const RateFileError& error) {
            const std::string message = error.what();
            EXPECT_LT(message.size(), 200U) << message;
            EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        }
    }
}

// The runs view the table's own copy of the file, shared by its copies: the caller's bytes
// may change or go.
TEST(RateTable, OutlivesTheBytesItWasReadFrom) {
    std::optional<RateTable> copy;
    std::string bytes = file({.separator = ";", .point = ",", .falling = true});
    {
        const RateTable table = readRateTable(bytes, "rates.csv");
        copy = table;
    }
    bytes.assign(bytes.size(), '9');
    ASSERT_EQ(copy->runs.size(), 1U);
    EXPECT_EQ(shapes(*copy),
              (std::vector<RunShape>{{"", 43, "2024-01-01", "2024-02-12", "1.00", "1.42"}}));
}

// A large file tells how far reading has come, rising to the end, and stops when asked.
TEST(RateTable, ReportsProgressAndStopsWhenAsked) {
    std::string bytes = "Date,USD\n";
    for (int day = 0; day < 40'000; ++day) {
        const int year = 1900 + day / (12 * 28);
        const int month = day / 28 % 12 + 1;
        const int ofMonth = day % 28 + 1;
        char row[40];
        std::snprintf(row, sizeof row, "%04d-%02d-%02d,1.%d\n", year, month, ofMonth, day % 7 + 1);
        bytes += row;
    }
    std::vector<double> shares;
    const RateTable table = readRateTable(bytes, "rates.csv", [&shares](double done) {
        shares.push_back(done);
        return true;
    });
    ASSERT_EQ(shares.size(), 2U);
    EXPECT_GT(shares.front(), 0.3);
    EXPECT_LT(shares.front(), shares.back());
    EXPECT_LT(shares.back(), 1.0);
    EXPECT_THROW(readRateTable(bytes, "rates.csv", [](double) { return false; }), ReadingStopped);
    EXPECT_THROW(
        DataSet::fromTable(table, DataKind::File, "id", "rates.csv", [](double) { return false; }),
        ReadingStopped);
}
