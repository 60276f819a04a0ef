#pragma once

// Reading CSV records (RFC 4180, with any line end) from a whole text or from bytes that arrive
// in pieces, with the faults of a record given back as values.

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// What can be wrong with a record's syntax; nothing throws.
enum class CsvError : std::uint8_t {
    None,
    UnclosedQuote,     // a quote opened in the record is never closed
    TextAfterQuote,    // a closing quote followed by neither separator nor line end
    QuoteInPlainField, // a quote inside a field that does not start with one
    TooManyFields,     // more fields than the dialect's maxFields
};

// How a file writes its records.
struct CsvDialect {
    char separator = ',';
    bool quotesInText = false;     // a quote inside an unquoted field is text, as spreadsheets
                                   // read it, rather than a fault
    bool blanksAfterQuote = false; // blanks may follow a closing quote
    // Bounds the memory a hostile line of separators can take.
    std::size_t maxFields = std::numeric_limits<std::size_t>::max();
};

struct CsvField {
    std::string_view text; // between the quotes for a quoted one, doubled quotes still doubled
    bool quoted = false;
    bool escaped = false; // holds doubled quotes, each standing for one
};

// A field's text with its doubled quotes undone, in `scratch` when it has any.
std::string_view csvFieldText(const CsvField& field, std::string& scratch);

// One record. Its fields view the scanner's text and stay valid until the scanner is fed again.
struct CsvRecord {
    std::vector<CsvField> fields; // reused from record to record; for a faulty record, those
                                  // before the fault
    std::size_t line = 0;         // where the record starts, counted from 1
    std::size_t begin = 0;        // where it starts and just after its line end, counted in
    std::size_t end = 0;          // bytes from the start of all input
    CsvError error = CsvError::None;
    std::size_t errorField = 0; // the field at fault, counted from 1
    // Just after the first line end inside its quotes, counted like `end`; 0 when it has none.
    // Also set for a record still waiting for its end.
    std::size_t quotedLineEnd = 0;
};

enum class CsvStatus : std::uint8_t {
    Record,  // a record was read (it may hold an error)
    Waiting, // the bytes at hand end inside a record, or none are pending (the record is then
             // left as it was): feed more, or finish
    End,     // finished and all read
};

// The separator a text's first non-blank line uses: a tab, else a semicolon, else a comma.
// A tab or semicolon line may still hold commas, as decimal commas or in names.
char detectCsvSeparator(std::string_view text);

// Reads records one by one. A faulty record is skipped up to the first line end inside its
// quotes when a quote carried it over lines (the quote is the likelier fault than every line
// after it), else up to the end of the line the fault is on; reading goes on from there.
class CsvScanner {
public:
    // Scans bytes fed to it, kept in a buffer of its own.
    explicit CsvScanner(CsvDialect dialect = {});
    // Scans a whole text in place; the text must outlive the scanner and its records.
    static CsvScanner over(std::string_view text, CsvDialect dialect = {});

    // Appends bytes; records read before are no longer valid.
    void feed(std::string_view bytes);
    // Appends bytes and scans them where they are, sparing a copy of what is read at once:
    // the caller reads the records it can, then calls keep() before the bytes go.
    void lend(std::string_view bytes);
    // Copies the lent bytes not yet read, so they outlive the caller's.
    void keep();
    // No more bytes will come: a last line without a line end is a record.
    void finish();

    CsvStatus next(CsvRecord& record);

    const CsvDialect& dialect() const { return dialect_; }
    // The line the next record starts on, counted from 1.
    std::size_t line() const { return line_; }
    // Bytes fed but not yet read as records.
    std::size_t pending() const { return text().size() - at_; }
    // Those bytes: the record that next() reads, or waits for, starts there. Valid until the
    // scanner is fed, lent bytes or keeps them.
    std::string_view pendingText() const { return text().substr(at_); }

    // For a reader that can tell by what a record holds that a quote in it was opened by
    // mistake: reads on from just after the first line end inside its quotes, as for a faulty
    // record. `record` is the one next() gave last, read or waiting, and has quotedLineEnd.
    void resumeAfterQuotedLineEnd(const CsvRecord& record);
    // Drops the bytes pending and the rest of their line as it comes, keeping none of it: for a
    // line longer than any the reader wants to hold.
    void dropLine();
    // How much of a whole text has been read, from 0 to 1.
    double share() const;

private:
    std::string_view text() const { return inPlace_ ? whole_ : std::string_view(buffer_); }
    CsvStatus fail(CsvRecord& record, CsvError error, std::size_t field, std::size_t at,
                   std::size_t quotedLineEnd);
    CsvStatus complete(CsvRecord& record, std::size_t at, std::size_t lines,
                       std::size_t quotedLineEnd);
    CsvStatus waiting(CsvRecord& record, std::size_t quotedLineEnd) const;
    // The bytes after the line being dropped; none while it goes on.
    std::string_view afterDroppedLine(std::string_view bytes);

    enum class Dropping : std::uint8_t { No, Line, LfOfCrLf };

    CsvDialect dialect_;
    std::array<bool, 256> stops_{}; // the bytes that end an unquoted field
    bool owned_ = true;             // takes bytes fed, else scans a whole text
    bool inPlace_ = false;          // scans whole_, else buffer_
    std::string buffer_;            // fed bytes not yet read
    std::string_view whole_;        // a whole text or lent bytes, scanned in place
    std::size_t base_ = 0;          // the offset of text()[0] in all input
    std::size_t at_ = 0;            // the next record's start in text()
    std::size_t line_ = 1;
    bool finished_ = false;
    Dropping dropping_ = Dropping::No;
};

} // namespace quiz
