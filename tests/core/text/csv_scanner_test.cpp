#include "core/text/csv_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quiz {
namespace {

// A record as the table writes it: its fields' texts, the line it starts on, its fault.
struct Read {
    std::vector<std::string> fields;
    std::size_t line = 1;
    CsvError error = CsvError::None;
    std::size_t errorField = 0;
    std::size_t quotedLineEnd = 0;

    bool operator==(const Read&) const = default;
};

void PrintTo(const Read& read, std::ostream* out) {
    *out << "line " << read.line << " error " << static_cast<int>(read.error) << "@"
         << read.errorField << " quoted line end " << read.quotedLineEnd << " {";
    for (const std::string& field : read.fields) {
        *out << "[" << field << "]";
    }
    *out << "}";
}

CsvDialect dialect(char separator, bool quotesInText = false, bool blanksAfterQuote = false,
                   std::size_t maxFields = 100) {
    return {separator, quotesInText, blanksAfterQuote, maxFields};
}

struct Case {
    const char* rule;
    std::string text;
    std::vector<Read> records;
    CsvDialect dialect = {};
};

const CsvError kUnclosed = CsvError::UnclosedQuote;
const CsvError kAfterQuote = CsvError::TextAfterQuote;
const CsvError kBareQuote = CsvError::QuoteInPlainField;

// Cases in the terms of RFC 4180, section 2, and the ways this program widens it.
const std::vector<Case> kCases = {
    {"2.1 records end with CR LF",
     "aaa,bbb\r\nzzz,yyy\r\n",
     {{{"aaa", "bbb"}, 1}, {{"zzz", "yyy"}, 2}}},
    {"2.1 LF and a lone CR end records too",
     "a\nb\rc\r\nd",
     {{{"a"}, 1}, {{"b"}, 2}, {{"c"}, 3}, {{"d"}, 4}}},
    {"2.2 the last record may lack a line end",
     "aaa,bbb\r\nzzz,yyy",
     {{{"aaa", "bbb"}, 1}, {{"zzz", "yyy"}, 2}}},
    {"2.3 a header is a record like the others",
     "field_name,field_name\r\naaa,bbb\r\n",
     {{{"field_name", "field_name"}, 1}, {{"aaa", "bbb"}, 2}}},
    {"2.4 spaces are part of a field", " a , b ", {{{" a ", " b "}, 1}}},
    {"2.4 empty fields, and an empty line as one empty field",
     ",,\r\n\r\nx",
     {{{"", "", ""}, 1}, {{""}, 2}, {{"x"}, 3}}},
    {"2.5 fields may be quoted", "\"aaa\",\"bbb\",ccc", {{{"aaa", "bbb", "ccc"}, 1}}},
    {"2.6 quotes hold line breaks and separators",
     "\"a\r\nb\",\"c,d\"\r\ne\n",
     {{{"a\r\nb", "c,d"}, 1, CsvError::None, 0, 4}, {{"e"}, 3}}},
    {"2.6 a lone CR inside quotes counts as a line",
     "\"a\rb\"\nc",
     {{{"a\rb"}, 1, CsvError::None, 0, 3}, {{"c"}, 3}}},
    {"2.7 a doubled quote stands for one", "\"a\"\"b\",\"\"\"\"", {{{"a\"b", "\""}, 1}}},
    {"2.7 an empty quoted field", "\"\",x", {{{"", "x"}, 1}}},
    {"the separator is given", "a;b,c\tz", {{{"a", "b,c\tz"}, 1}}, dialect(';')},
    {"a tab separates", "a\tb;c", {{{"a", "b;c"}, 1}}, dialect('\t')},
    {"an unclosed quote skips the first line it opened",
     "\"a\nb\nc",
     {{{}, 1, kUnclosed, 1, 3}, {{"b"}, 2}, {{"c"}, 3}}},
    {"a quote over lines that closes on text skips its first line",
     "\"a\r\nb\"c\nd",
     {{{}, 1, kAfterQuote, 1, 4}, {{}, 2, kBareQuote, 1}, {{"d"}, 3}}},
    {"an unclosed quote on the last line", "x\n\"abc", {{{"x"}, 1}, {{}, 2, kUnclosed, 1}}},
    {"text after a closing quote skips its line",
     "a,\"b\"c,d\ne",
     {{{"a"}, 1, kAfterQuote, 2}, {{"e"}, 2}}},
    {"a quote inside a plain field is a fault",
     "a\"b,c\r\nd",
     {{{}, 1, kBareQuote, 1}, {{"d"}, 2}}},
    {"or text, where the dialect says so", "a\"b,c", {{{"a\"b", "c"}, 1}}, dialect(',', true)},
    {"blanks after a closing quote, where the dialect allows them",
     "\"a\"  ,b",
     {{{"a", "b"}, 1}},
     dialect(',', false, true)},
    {"but text after one where it does not", "\"a\" ,b\nc", {{{}, 1, kAfterQuote, 1}, {{"c"}, 2}}},
    {"too many fields skips the line",
     "a,b,c\nd,e",
     {{{"a", "b"}, 1, CsvError::TooManyFields, 3}, {{"d", "e"}, 2}},
     dialect(',', false, false, 2)},
    {"an empty text has no record", "", {}},
};

Read readOf(const CsvRecord& record, std::string& scratch) {
    Read read{{}, record.line, record.error, record.errorField, record.quotedLineEnd};
    for (const CsvField& field : record.fields) {
        read.fields.emplace_back(csvFieldText(field, scratch));
    }
    return read;
}

std::vector<Read> readAll(CsvScanner& scanner) {
    std::vector<Read> reads;
    CsvRecord record;
    std::string scratch;
    while (scanner.next(record) == CsvStatus::Record) {
        reads.push_back(readOf(record, scratch));
    }
    return reads;
}

TEST(CsvScanner, ReadsEachCaseWholeFedAndLentByteByByte) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.rule);
        CsvScanner whole = CsvScanner::over(c.text, c.dialect);
        EXPECT_EQ(readAll(whole), c.records);

        // Fed a byte at a time, no record comes before its line has ended.
        CsvScanner pieces(c.dialect);
        std::vector<Read> reads;
        for (const char byte : c.text) {
            pieces.feed(std::string(1, byte));
            for (Read& read : readAll(pieces)) {
                reads.push_back(std::move(read));
            }
        }
        pieces.finish();
        for (Read& read : readAll(pieces)) {
            reads.push_back(std::move(read));
        }
        EXPECT_EQ(reads, c.records);

        // Lent a byte at a time from one buffer, overwritten once the scanner has kept it.
        CsvScanner lent(c.dialect);
        std::string buffer;
        reads.clear();
        for (const char byte : c.text) {
            buffer.assign(1, byte);
            lent.lend(buffer);
            for (Read& read : readAll(lent)) {
                reads.push_back(std::move(read));
            }
            lent.keep();
            buffer.assign(1, '#');
        }
        lent.finish();
        for (Read& read : readAll(lent)) {
            reads.push_back(std::move(read));
        }
        EXPECT_EQ(reads, c.records);
    }
}

TEST(CsvScanner, AnIncompleteLastLineWaits) {
    CsvScanner scanner;
    CsvRecord record;
    scanner.feed("a,b\r\nc,\"d");
    ASSERT_EQ(scanner.next(record), CsvStatus::Record);
    EXPECT_EQ(record.end, 5U);
    EXPECT_EQ(scanner.next(record), CsvStatus::Waiting);
    EXPECT_EQ(scanner.pending(), 4U);
    scanner.feed("\"\r");
    EXPECT_EQ(scanner.next(record), CsvStatus::Waiting); // CR LF may be cut in two
    scanner.feed("\n");
    ASSERT_EQ(scanner.next(record), CsvStatus::Record);
    EXPECT_EQ(record.fields[1].text, "d");
    EXPECT_EQ(record.begin, 5U);
    EXPECT_EQ(record.end, 12U);
    EXPECT_EQ(scanner.next(record), CsvStatus::Waiting);
    scanner.finish();
    EXPECT_EQ(scanner.next(record), CsvStatus::End);
}

// A reader that holds no record over a line end inside quotes, nor more than three bytes of one
// still waiting for its end: it reads on after the quote's first line, or drops the line.
std::vector<Read> readCautiously(const std::vector<std::string>& pieces) {
    CsvScanner scanner;
    std::vector<Read> reads;
    CsvRecord record;
    std::string scratch;
    const auto readAvailable = [&] {
        while (scanner.pending() > 0) {
            const CsvStatus status = scanner.next(record);
            if (status != CsvStatus::End && record.quotedLineEnd != 0 &&
                record.error == CsvError::None) {
                reads.push_back({{"(quote)"}, record.line});
                scanner.resumeAfterQuotedLineEnd(record);
            } else if (status == CsvStatus::Record) {
                reads.push_back(readOf(record, scratch));
            } else {
                if (status == CsvStatus::Waiting && scanner.pending() > 3) {
                    reads.push_back({{"(long)"}, record.line});
                    scanner.dropLine();
                }
                return;
            }
        }
    };
    for (const std::string& piece : pieces) {
        scanner.feed(piece);
        readAvailable();
    }
    scanner.finish();
    readAvailable();
    return reads;
}

TEST(CsvScanner, ReadsOnWhereTheReaderTakesAQuoteOrALineForAFault) {
    const struct {
        const char* rule;
        std::vector<std::string> pieces;
        std::vector<Read> records;
    } cases[] = {
        {"a quote still open", {"a,\"b\nc,d\ne"}, {{{"(quote)"}, 1}, {{"c", "d"}, 2}, {{"e"}, 3}}},
        {"a quote closed",
         {"r\n\"x\r\ny\",z\r\nw"},
         {{{"r"}, 1}, {{"(quote)"}, 2}, {{}, 3, kBareQuote, 1}, {{"w"}, 4}}},
        {"a CR LF cut in two inside the quote",
         {"r\n\"x\r", "\ny\",z\r\nw"},
         {{{"r"}, 1}, {{"(quote)"}, 2}, {{}, 3, kBareQuote, 1}, {{"w"}, 4}}},
        {"a line dropped up to its CR LF, cut in two",
         {"abcd", "ef\r", "\nx\r\n"},
         {{{"(long)"}, 1}, {{"x"}, 2}}},
        {"up to a lone CR", {"abcd", "e\ry\n"}, {{{"(long)"}, 1}, {{"y"}, 2}}},
        {"up to an LF some pieces later",
         {"ok\nabcd", "ef", "g\nz"},
         {{{"ok"}, 1}, {{"(long)"}, 2}, {{"z"}, 3}}},
        {"with nothing after it", {"abcd", "\r"}, {{{"(long)"}, 1}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readCautiously(c.pieces), c.records) << c.rule;
    }
}

TEST(CsvScanner, DetectsTheFirstLinesSeparator) {
    const std::vector<std::pair<std::string, char>> cases = {
        {"a,b\n", ','},       {"a;b,c\n", ';'},         {"a\tb;c\n", '\t'},
        {"\"x;y\",z\n", ','}, {"\n  \na;b\nc\td", ';'}, {"a,b\nc;d\n", ','},
    };
    for (const auto& [text, separator] : cases) {
        EXPECT_EQ(detectCsvSeparator(text), separator) << text;
    }
}

} // namespace
} // namespace quiz
