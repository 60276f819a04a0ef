#include "core/data/rate_table.h"

#include "core/data/catalogue.h"
#include "core/data/rate_file_reasons.h"
#include "core/data/rate_rounding.h"
#include "core/text/message_text.h"
#include "core/text/utf8_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace quiz {

namespace {

// ---- Messages

class Messages {
public:
    explicit Messages(std::string_view name) : name_(scrubControls(name)) {}

    [[noreturn]] void fail(const char* pattern, std::vector<std::string> arguments = {}) const {
        throw RateFileError(name_, pattern, std::move(arguments));
    }
    [[noreturn]] void fail(std::size_t line, std::size_t field, const char* pattern,
                           std::vector<std::string> arguments = {}) const {
        throw RateFileError(name_ + ":" + std::to_string(line) + ":" + std::to_string(field),
                            pattern, std::move(arguments));
    }

private:
    std::string name_;
};

// ---- Text encoding

// Windows-1251 bytes 0x80..0xBF; 0xC0..0xFF are А..я in order. 0x98 is unassigned.
constexpr std::array<char16_t, 64> kWindows1251High{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

void appendUtf8(std::string& out, char16_t code) {
    if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (code & 0x3F));
}

std::string fromWindows1251(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            appendUtf8(out, byte >= 0xC0 ? char16_t(0x0410 + (byte - 0xC0))
                                         : kWindows1251High[byte - 0x80]);
        }
    }
    return out;
}

// How far into a file NUL bytes are counted to recognise UTF-16 without its byte-order mark.
constexpr std::size_t kUtf16Probe = 4096;

// Whether NULs fill one byte of many pairs and never the other, as in UTF-16 of ASCII digits
// and separators, whichever end comes first; a Cyrillic header's characters have no NUL, so
// the first pair alone does not tell. Other binary files hold NULs at both bytes.
bool hasUtf16Nuls(std::string_view bytes) {
    const std::size_t pairs = std::min(bytes.size(), kUtf16Probe) / 2;
    std::array<std::size_t, 2> nuls{};
    for (std::size_t i = 0; i < 2 * pairs; ++i) {
        nuls[i % 2] += bytes[i] == '\0' ? 1 : 0;
    }
    constexpr std::size_t kShare = 4; // at least one pair in four
    return (nuls[0] == 0) != (nuls[1] == 0) && kShare * (nuls[0] + nuls[1]) >= pairs;
}

// Whether the text is UTF-16, with or without its byte-order mark: a text file of ours never
// starts with a NUL byte beside another character, as UTF-16's ASCII characters do.
bool isUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
           (bytes.size() >= 2 && (bytes[0] == '\0') != (bytes[1] == '\0')) || hasUtf16Nuls(bytes);
}

// The file as UTF-8 without a byte-order mark: the bytes themselves when they are UTF-8
// already, else their conversion from Windows-1251, kept in `converted`. A spreadsheet's
// "Unicode text" is UTF-16, which would pass for Windows-1251 and fail on every cell.
std::string_view asUtf8(std::string_view bytes, std::string& converted, const Messages& messages) {
    if (isUtf16(bytes)) {
        messages.fail(reason::kUtf16);
    }
    bytes = withoutByteOrderMark(bytes);
    if (isValidUtf8(bytes)) {
        return bytes;
    }
    converted = fromWindows1251(bytes);
    return converted;
}

// ---- Characters

// How many lines the text has, each ended by LF, CR LF or CR as records count them; found at
// memchr's speed rather than by a loop over every byte.
std::size_t lineCount(std::string_view text) {
    std::size_t ends = 0;
    for (std::size_t at = text.find('\n'); at != std::string_view::npos;
         at = text.find('\n', at + 1)) {
        ++ends;
    }
    for (std::size_t at = text.find('\r'); at != std::string_view::npos;
         at = text.find('\r', at + 1)) {
        ends += text.substr(at + 1, 1) == "\n" ? 0 : 1;
    }
    return ends + 1;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Kinds of character, one bit each, so that a single pass over a field both finds its end
// (kEnd) and tells whether it can be a value.
enum : std::uint8_t {
    kZero = 1,
    kNonZero = 2,
    kPoint = 4,
    kComma = 8,
    kBlank = 16,
    kOther = 32,
    kEnd = 64,
};

using CharKinds = std::array<std::uint8_t, 256>;

constexpr CharKinds kCharKinds = [] {
    CharKinds kinds{};
    kinds.fill(kOther);
    kinds['0'] = kZero;
    for (char c = '1'; c <= '9'; ++c) {
        kinds[static_cast<unsigned char>(c)] = kNonZero;
    }
    kinds['.'] = kPoint;
    kinds[','] = kComma;
    kinds[' '] = kinds['\t'] = kBlank;
    return kinds;
}();

// What a text is made of: every kind of character in it, and how many decimal separators.
struct Makeup {
    std::uint8_t kinds = 0;
    std::size_t separators = 0;

    void add(std::uint8_t kind) {
        kinds |= kind;
        separators += (kind & (kPoint | kComma)) != 0 ? 1 : 0;
    }
};

Makeup makeup(std::string_view text) {
    Makeup makeup;
    for (const char c : text) {
        makeup.add(kCharKinds[static_cast<unsigned char>(c)]);
    }
    return makeup;
}

// ---- Records (RFC 4180, with any line end)

// The first non-blank line decides: a tab, else a semicolon, else a comma. A tab or semicolon
// line may still hold commas, as decimal commas or in names; the reverse does not happen.
char detectSeparator(std::string_view text) {
    bool quoted = false;
    bool content = false;
    bool semicolon = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == '\t') {
            return '\t';
        } else if (isLineEnd(c) && content) {
            break;
        }
        semicolon = semicolon || c == ';';
        content = content || (c != ' ' && !isLineEnd(c));
    }
    return semicolon ? ';' : ',';
}

struct Field {
    std::string_view text; // between the quotes for a quoted field
    Makeup makeup;         // of `text`
    bool escaped = false;  // holds doubled quotes, each standing for one
};

// The text of a field, its doubled quotes undone into `scratch` when it has any.
std::string_view fieldText(const Field& field, std::string& scratch) {
    if (!field.escaped) {
        return field.text;
    }
    scratch.clear();
    for (std::size_t i = 0; i < field.text.size(); ++i) {
        scratch += field.text[i];
        i += field.text[i] == '"' ? 1 : 0;
    }
    return scratch;
}

// Reads a text record by record, handing each field to the caller as it comes: no field is
// stored, and the loop over a record's fields is the caller's own, inlined.
class RecordReader {
public:
    RecordReader(std::string_view text, const Messages& messages)
        : text_(text), separator_(detectSeparator(text)), kinds_(kCharKinds), messages_(messages) {
        kinds_[static_cast<unsigned char>(separator_)] = kinds_['\n'] = kinds_['\r'] = kEnd;
    }

    // Reads the next record, calling visit(field, number, last) for each field in turn
    // (numbered from 1, `last` true for the record's last) until one returns false; after
    // that, the reader must rewind before it reads again. False at the end of the text.
    template <typename Visit> bool readRecord(Visit&& visit) {
        if (at_ == text_.size()) {
            return false;
        }
        start_ = at_;
        line_ = nextLine_;
        for (std::size_t number = 1;; ++number) {
            const bool quoted = at_ < text_.size() && text_[at_] == '"';
            const Field field = quoted ? readQuoted(number) : readPlain();
            const bool last = at_ == text_.size() || text_[at_] != separator_;
            if (at_ == text_.size()) {
                // The text ends without a line end.
            } else if (!last) {
                ++at_;
            } else {
                const bool crLf = text_.substr(at_, 2) == "\r\n";
                at_ += crLf ? 2 : 1;
                ++nextLine_;
            }
            if (!visit(field, number, last) || last) {
                return true;
            }
        }
    }

    // The line the last record started on, counted from 1.
    std::size_t line() const { return line_; }
    char separator() const { return separator_; }

    // How much of the text has been read, from 0 to 1.
    double share() const {
        return text_.empty() ? 1.0 : static_cast<double>(at_) / static_cast<double>(text_.size());
    }

    // Goes back to the start of the last record, to read it again.
    void rewind() {
        at_ = start_;
        nextLine_ = line_;
    }

private:
    // Every unquoted field comes here: one pass, over copies that the stores into `field`
    // cannot alias.
    Field readPlain() {
        const std::string_view text = text_;
        const CharKinds& kinds = kinds_;
        Field field;
        std::size_t at = at_;
        for (; at < text.size(); ++at) {
            const std::uint8_t kind = kinds[static_cast<unsigned char>(text[at])];
            if (kind == kEnd) {
                break;
            }
            field.makeup.add(kind);
        }
        field.text = text.substr(at_, at - at_);
        at_ = at;
        return field;
    }

    // Spreadsheets quote a cell holding a separator, a quote or a line break. Blanks may
    // follow the closing quote, nothing else.
    Field readQuoted(std::size_t number) {
        Field field;
        const std::size_t start = ++at_;
        for (;;) {
            const std::size_t quote = text_.find('"', at_);
            if (quote == std::string_view::npos) {
                messages_.fail(line_, number, reason::kUnclosedQuote);
            }
            countLineEnds(text_.substr(at_, quote - at_));
            at_ = quote + 1;
            if (at_ == text_.size() || text_[at_] != '"') {
                break;
            }
            field.escaped = true;
            ++at_;
        }
        field.text = text_.substr(start, at_ - 1 - start);
        field.makeup = makeup(field.text);
        while (at_ < text_.size() && text_[at_] != separator_ && isBlank(text_[at_])) {
            ++at_;
        }
        if (at_ < text_.size() && text_[at_] != separator_ && !isLineEnd(text_[at_])) {
            messages_.fail(line_, number, reason::kTextAfterQuote);
        }
        return field;
    }

    void countLineEnds(std::string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n' || (text[i] == '\r' && text.substr(i + 1, 1) != "\n")) {
                ++nextLine_;
            }
        }
    }

    std::string_view text_;
    char separator_;
    CharKinds kinds_; // kCharKinds, with this file's separator and the line ends as kEnd
    const Messages& messages_;
    std::size_t at_ = 0;
    std::size_t start_ = 0;
    std::size_t line_ = 1;
    std::size_t nextLine_ = 1;
};

// ---- Cells

struct Date {
    std::array<char, 10> iso{}; // YYYY-MM-DD, so the text order is the date order

    auto operator<=>(const Date&) const = default;
    std::string text() const { return {iso.data(), iso.size()}; }
};

// Reads `min` to `max` digits from the front of `text` into `value`.
bool takeNumber(std::string_view& text, std::size_t min, std::size_t max, int& value) {
    std::size_t count = 0;
    value = 0;
    while (count < max && count < text.size() && isDigit(text[count])) {
        value = value * 10 + (text[count++] - '0');
    }
    text.remove_prefix(count);
    return count >= min;
}

bool takeChar(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

int daysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

void writeDigits(char* out, int value, int count) {
    for (int i = count - 1; i >= 0; --i, value /= 10) {
        out[i] = static_cast<char>('0' + value % 10);
    }
}

std::optional<Date> makeDate(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) {
        return std::nullopt;
    }
    Date date;
    writeDigits(date.iso.data(), year, 4);
    date.iso[4] = date.iso[7] = '-';
    writeDigits(date.iso.data() + 5, month, 2);
    writeDigits(date.iso.data() + 8, day, 2);
    return date;
}

std::optional<Date> parseIsoDate(std::string_view text) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (takeNumber(text, 4, 4, year) && takeChar(text, '-') && takeNumber(text, 2, 2, month) &&
        takeChar(text, '-') && takeNumber(text, 2, 2, day) && text.empty()) {
        return makeDate(year, month, day);
    }
    return std::nullopt;
}

// DD.MM.YYYY, also with one-digit day or month and the "г." that Bulgarian spreadsheets add.
std::optional<Date> parseDottedDate(std::string_view text) {
    constexpr std::string_view kYearMark = "г.";
    if (text.ends_with(kYearMark)) {
        text = trimmed(text.substr(0, text.size() - kYearMark.size()));
    }
    int year = 0;
    int month = 0;
    int day = 0;
    if (takeNumber(text, 1, 2, day) && takeChar(text, '.') && takeNumber(text, 1, 2, month) &&
        takeChar(text, '.') && takeNumber(text, 4, 4, year) && text.empty()) {
        return makeDate(year, month, day);
    }
    return std::nullopt;
}

std::optional<Date> parseDate(std::string_view text) {
    const std::optional<Date> iso = parseIsoDate(text);
    return iso ? iso : parseDottedDate(text);
}

constexpr std::size_t kMaxDigits = kMaxRateDigits;

bool isMissing(std::string_view cell) {
    return cell.empty() || cell == "N/A" || cell == "n/a";
}

// Digits with at most one separator, "." or ",", between two of them.
bool isNumberShaped(std::string_view cell, const Makeup& makeup) {
    return (makeup.kinds & (kBlank | kOther)) == 0 && makeup.separators <= 1 &&
           isDigit(cell.front()) && isDigit(cell.back());
}

// What is wrong with a trimmed cell that is not missing, or null when nothing is: a value is
// shaped as a number, not too long, and not only zeros.
const char* valueProblem(std::string_view cell, const Makeup& makeup) {
    if (!isNumberShaped(cell, makeup)) {
        return reason::kNotANumber;
    }
    if (cell.size() - makeup.separators > kMaxDigits) {
        return reason::kTooManyDigits;
    }
    return (makeup.kinds & kNonZero) != 0 ? nullptr : reason::kNotPositive;
}

// What is wrong with a cell that is no number: with a minus sign before one, it is a number
// that is not positive, as zero is not.
const char* notANumberProblem(std::string_view cell) {
    const std::string_view magnitude = cell.substr(1);
    return cell.size() > 1 && cell.front() == '-' && isNumberShaped(magnitude, makeup(magnitude))
               ? reason::kNotPositive
               : reason::kNotANumber;
}

// ---- Misread numbers

// Thousands written with a comma ("1,008" beside "999") and read as decimals make a column
// jump by a factor near a thousand, which no day's rate does.
constexpr double kThousandfold = 1000;
constexpr double kJumpSlack = 2; // factors from 500 to 2000 count as near

constexpr std::array<double, kMaxDigits + 1> kPowersOfTen = [] {
    std::array<double, kMaxDigits + 1> powers{};
    double power = 1;
    for (double& each : powers) {
        each = power;
        power *= 10;
    }
    return powers;
}();

// A checked value, near enough to compare with another: its digits as a whole number over
// the power of ten of those after the separator.
double approximate(std::string_view value) {
    std::int64_t digits = 0;
    std::size_t decimals = 0;
    bool afterSeparator = false;
    for (const char c : value) {
        if (isDigit(c)) {
            digits = digits * 10 + (c - '0');
            decimals += afterSeparator ? 1 : 0;
        } else {
            afterSeparator = true;
        }
    }
    return static_cast<double>(digits) / kPowersOfTen[decimals];
}

bool isThousandfold(std::string_view a, std::string_view b) {
    const double x = approximate(a);
    const double y = approximate(b);
    const double factor = x > y ? x / y : y / x;
    return factor >= kThousandfold / kJumpSlack && factor <= kThousandfold * kJumpSlack;
}

// The power of ten of a checked value's first digit that is not 0: 2 for "123.4", -2 for
// "0.01". Values whose powers differ by less than 2 are less than 100 times apart, so most
// values are compared by this alone, which costs less than reading them.
int leadingPower(std::string_view value, const Makeup& makeup) {
    if (value.front() != '0') { // the digits before the separator tell, or the length
        if (makeup.separators == 0) {
            return static_cast<int>(value.size()) - 1;
        }
        std::size_t point = 1;
        while (isDigit(value[point])) {
            ++point;
        }
        return static_cast<int>(point) - 1;
    }
    std::size_t point = 0;
    while (point < value.size() && isDigit(value[point])) {
        ++point;
    }
    std::size_t first = 0;
    while (first < value.size() && (value[first] == '0' || !isDigit(value[first]))) {
        ++first;
    }
    return static_cast<int>(point) - static_cast<int>(first) - (first < point ? 1 : 0);
}

// The last value read in a column, which the next one is compared with, gaps or not.
struct LastValue {
    std::string_view text;     // empty before the first
    int power = 0;             // leadingPower(text)
    bool decimalComma = false; // made a point in `text` since

    std::string asWritten() const {
        std::string written(text);
        std::replace(written.begin(), written.end(), '.', decimalComma ? ',' : '.');
        return written;
    }
};

// ---- Runs

// Rows counted from 0, in file order or in date order, as each use says.
struct Span {
    std::size_t first = 0;
    std::size_t length = 0;

    std::size_t last() const { return first + length - 1; }
};

// A run long enough to keep, as the file lists it: `first` is its first row in file order.
struct KeptRun {
    std::size_t first = 0;
    std::vector<std::string_view> texts;
};

// One value column, gathered row by row: its runs long enough to keep, and the longest one
// seen. The open run's buffer is reused, so a column of short runs costs no more memory.
class ColumnRuns {
public:
    // `rowsLeft` bounds how long a run starting at `row` can grow: room for that many is
    // taken at once, as growing dozens of buffers step by step costs more than reading.
    void add(std::size_t row, std::string_view text, std::size_t rowsLeft) {
        if (open_.empty()) {
            openFirst_ = row;
            open_.reserve(rowsLeft);
        }
        open_.push_back(text);
    }

    // A gap or the end of the file ends the open run. Every missing cell comes here, most of
    // them with no run open.
    void close() {
        if (!open_.empty()) {
            closeOpen();
        }
    }

    std::vector<KeptRun>& kept() { return kept_; }
    const Span& longest() const { return longest_; }

private:
    void closeOpen() {
        if (open_.size() > longest_.length) {
            longest_ = {openFirst_, open_.size()};
        }
        if (open_.size() >= static_cast<std::size_t>(kValueCount)) {
            if (open_.capacity() > 2 * open_.size()) {
                open_.shrink_to_fit();
            }
            kept_.push_back({openFirst_, std::move(open_)});
        }
        open_.clear();
    }

    std::size_t openFirst_ = 0;
    std::vector<std::string_view> open_;
    std::vector<KeptRun> kept_;
    Span longest_;
};

// ---- The file

// Far more currencies than exist; the bound keeps a hostile line from costing gigabytes.
constexpr std::size_t kMaxColumns = 1000;

class RateFileReader {
public:
    // Decimal commas become points in `text` itself, which the runs then view.
    RateFileReader(std::string& text, const Messages& messages, const Progress& progress)
        : records_(text, messages), messages_(messages), text_(text), lines_(lineCount(text)),
          progress_(progress) {}

    RateTable read() {
        // Rarely enough to cost nothing, often enough for a bar to move on a large file.
        constexpr std::size_t kRowsPerReport = 1 << 14;
        readFirstRecord();
        for (std::size_t rows = 1; readRow(); ++rows) {
            if (rows % kRowsPerReport == 0 && progress_ && !progress_(records_.share())) {
                throw ReadingStopped();
            }
        }
        if (dates_.empty()) {
            messages_.fail(reason::kNoRows);
        }
        if (looksSplitByDecimalCommas()) {
            messages_.fail(reason::kSplitDecimals);
        }
        for (ColumnRuns& column : columns_) {
            column.close();
        }
        return table();
    }

private:
    std::string_view cell(const Field& field) { return trimmed(fieldText(field, scratch_)); }

    // Reads the first record that is not blank into `fields`, as far as the column limit.
    void readFirstFields(std::vector<Field>& fields) {
        const auto keep = [&](const Field& field, std::size_t, bool) {
            fields.push_back(field);
            return fields.size() <= kMaxColumns + 2;
        };
        const auto blank = [this](const Field& field) { return cell(field).empty(); };
        do {
            fields.clear();
            if (!records_.readRecord(keep)) {
                messages_.fail(reason::kEmpty);
            }
        } while (fields.size() <= kMaxColumns + 2 &&
                 std::all_of(fields.begin(), fields.end(), blank));
    }

    // A header's first cell names the date column, so it is anything but a date: text that
    // starts with a digit is taken as a date, and a wrong one is reported as such.
    void readFirstRecord() {
        std::vector<Field> fields;
        readFirstFields(fields);
        header_ = cell(fields.front()).empty() || !isDigit(cell(fields.front()).front());
        if (header_ && fields.size() > 2 && cell(fields.back()).empty()) {
            fields.pop_back(); // the ECB ends every line with a separator
        }
        width_ = fields.size();
        if (width_ - 1 > kMaxColumns) {
            messages_.fail(records_.line(), kMaxColumns + 2, reason::kTooManyColumns,
                           {std::to_string(kMaxColumns)});
        }
        if (width_ < 2) {
            messages_.fail(records_.line(), 2, reason::kNoValueColumn);
        }
        for (std::size_t i = 1; i < width_; ++i) {
            names_.emplace_back(header_       ? cell(fields[i])
                                : width_ == 2 ? ""
                                              : std::to_string(i + 1));
        }
        columns_.resize(width_ - 1);
        lastValues_.resize(width_ - 1);
        if (!header_) {
            records_.rewind();
            readRow();
        }
    }

    [[noreturn]] void failWidth(std::size_t fields) const {
        const std::size_t place = std::min(fields, width_) + 1;
        if (looksSplitByDecimalCommas()) {
            messages_.fail(records_.line(), place, reason::kSplitDecimals);
        }
        const std::string width = std::to_string(width_);
        if (fields > width_) {
            messages_.fail(records_.line(), place,
                           header_ ? reason::kWiderThanHeader : reason::kWiderThanFirstRow,
                           {width});
        }
        messages_.fail(records_.line(), place,
                       header_ ? reason::kNarrowerThanHeader : reason::kNarrowerThanFirstRow,
                       {std::to_string(fields), width});
    }

    // Reads one record as a row of data; false at the end of the text. A blank record is
    // skipped, and one more separator at the end than the header has is as good as none.
    bool readRow() {
        bool blank = false;
        std::size_t fields = 0;
        const auto visit = [&](const Field& field, std::size_t number, bool last) {
            fields = number;
            if (number == 1) {
                blank = cell(field).empty();
                if (!blank) {
                    readDate(cell(field));
                }
            } else if (blank) {
                if (!cell(field).empty()) {
                    messages_.fail(records_.line(), 1, reason::kNoDate);
                }
            } else if (number <= width_) {
                readCell(number, field);
            } else if (!cell(field).empty() || !last) {
                failWidth(number);
            }
            return true;
        };
        if (!records_.readRecord(visit)) {
            return false;
        }
        if (!blank && fields < width_) {
            failWidth(fields);
        }
        previousLine_ = blank ? previousLine_ : records_.line();
        return true;
    }

    void readDate(std::string_view text) {
        const std::optional<Date> date = parseDate(text);
        if (!date) {
            messages_.fail(records_.line(), 1, reason::kNotADate, {quotedForMessage(text)});
        }
        if (!dates_.empty()) {
            checkOrder(dates_.back(), *date, text);
        } else {
            dayFirst_ = text.size() < 5 || text[4] != '-'; // not YYYY-MM-DD
        }
        dates_.push_back(*date);
    }

    // Rows rise or fall in date order, as the first two decide; no date repeats.
    void checkOrder(const Date& previous, const Date& date, std::string_view text) {
        if (date == previous) {
            messages_.fail(records_.line(), 1, reason::kRepeatedDate,
                           {quotedForMessage(text), std::to_string(previousLine_)});
        }
        if (dates_.size() == 1) {
            rising_ = previous < date;
        } else if ((previous < date) != rising_) {
            messages_.fail(records_.line(), 1,
                           rising_ ? reason::kOutOfRisingOrder : reason::kOutOfFallingOrder,
                           {quotedForMessage(text)});
        }
    }

    // The cell of field `number` (2 for the first value column). A plain number is checked
    // on what reading it found; blanks, quotes or letters ("N/A") take the longer way. A
    // value holds no quote, so its text lies in the file's own text even when quoted.
    void readCell(std::size_t number, const Field& field) {
        std::string_view text = field.text;
        Makeup parts = field.makeup;
        if ((parts.kinds & (kBlank | kOther)) != 0 || field.escaped) {
            text = cell(field);
            parts = makeup(text);
        }
        ColumnRuns& column = columns_[number - 2];
        if (isMissing(text)) {
            column.close();
            return;
        }
        const char* problem = valueProblem(text, parts);
        if (problem == reason::kTooManyDigits) {
            problem = roundLongValue(text, parts);
        }
        if (problem) {
            if (problem == reason::kNotANumber) {
                problem = notANumberProblem(text);
            }
            if (problem == reason::kNotPositive && looksSplitByDecimalCommas()) {
                problem = reason::kSplitDecimals; // "1,0" split into "1" and "0"
            }
            messages_.fail(records_.line(), number, problem, {quotedForMessage(text)});
        }
        checkStep(number, text, parts);
        if ((parts.kinds & kComma) != 0) {
            const auto at = static_cast<std::size_t>(text.data() - text_.data());
            std::replace(text_.begin() + at, text_.begin() + at + text.size(), ',', '.');
        }
        column.add(dates_.size() - 1, text, lines_ - records_.line() + 1);
    }

    // A value saved at a double's full precision ("0.9108986183789483") is rounded where it
    // stands, so the turn, the log and the chart all show the same rounded value; the bytes
    // it no longer needs become blanks. Null once rounded, else what is wrong with it.
    const char* roundLongValue(std::string_view& text, Makeup& parts) {
        const std::optional<std::string> rounded = roundedRate(text);
        if (!rounded) {
            return reason::kTooManyDigits;
        }
        const auto at = static_cast<std::size_t>(text.data() - text_.data());
        std::fill(std::copy(rounded->begin(), rounded->end(), text_.begin() + at),
                  text_.begin() + at + text.size(), ' ');
        text = std::string_view(text_).substr(at, rounded->size());
        parts = makeup(text);
        rounded_ = true;
        return nullptr;
    }

    // A value a thousand times the one before it in its column, or a thousandth, is a number
    // with thousands separators misread, or beside one.
    void checkStep(std::size_t number, std::string_view text, const Makeup& parts) {
        constexpr int kFewestPowersApart = 2;
        LastValue& last = lastValues_[number - 2];
        const int power = leadingPower(text, parts);
        if (std::abs(power - last.power) >= kFewestPowersApart && !last.text.empty() &&
            isThousandfold(last.text, text)) {
            failStep(number, text, last);
        }
        last = {.text = text, .power = power, .decimalComma = (parts.kinds & kComma) != 0};
        wholeNumbersOnly_ = wholeNumbersOnly_ && parts.separators == 0;
    }

    // Apart from the loop that reads every value, which it would slow.
    [[noreturn, gnu::cold, gnu::noinline]] void failStep(std::size_t number, std::string_view text,
                                                         const LastValue& last) const {
        if (looksSplitByDecimalCommas()) { // "1,1252" then "1,1" cut in two
            messages_.fail(records_.line(), number, reason::kSplitDecimals);
        }
        // Its line is counted only now, as keeping it for every value would cost more.
        const auto before = static_cast<std::size_t>(last.text.data() - text_.data());
        messages_.fail(records_.line(), number, reason::kThousandsJump,
                       {quotedForMessage(text), quotedForMessage(last.asWritten()),
                        std::to_string(lineCount(std::string_view(text_).substr(0, before)))});
    }

    // Decimal commas in a comma-separated file without a header cut each value in two whole
    // numbers, a row reading as more columns of values than it has. Such a file says nothing
    // else; the rule takes day-first dates, as the spreadsheets that write decimal commas do.
    bool looksSplitByDecimalCommas() const {
        return !header_ && records_.separator() == ',' && dayFirst_ && width_ >= 3 &&
               wholeNumbersOnly_;
    }

    // The row that comes `step`-th in date order, counted from 0.
    std::size_t rowInDateOrder(std::size_t step) const {
        return rising_ ? step : dates_.size() - 1 - step;
    }

    // Every kept run in date order, columns in file order: a file that lists the newest first
    // has its runs turned round.
    RateTable table() {
        RateTable table;
        auto dates = std::make_shared<std::vector<std::string>>();
        dates->reserve(dates_.size());
        for (std::size_t step = 0; step < dates_.size(); ++step) {
            const Date& date = dates_[rowInDateOrder(step)];
            dates->emplace_back(date.iso.data(), date.iso.size());
        }
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            std::vector<KeptRun>& kept = columns_[c].kept();
            if (!rising_) {
                std::reverse(kept.begin(), kept.end());
            }
            for (KeptRun& run : kept) {
                const std::size_t length = run.texts.size();
                if (!rising_) {
                    std::reverse(run.texts.begin(), run.texts.end());
                }
                const std::size_t oldest =
                    rowInDateOrder(rising_ ? run.first : run.first + length - 1);
                table.runs.push_back({.column = names_[c],
                                      .dates = std::span(*dates).subspan(oldest, length),
                                      .texts = std::move(run.texts)});
            }
        }
        if (table.runs.empty()) {
            failNoLongRun();
        }
        table.dates = std::move(dates);
        table.roundedTo = rounded_ ? kRoundedDecimals : 0;
        return table;
    }

    [[noreturn]] void failNoLongRun() const {
        std::size_t best = 0;
        for (std::size_t c = 1; c < columns_.size(); ++c) {
            if (columns_[c].longest().length > columns_[best].longest().length) {
                best = c;
            }
        }
        const Span& longest = columns_[best].longest();
        const std::string count = std::to_string(kValueCount);
        if (longest.length == 0) {
            messages_.fail(reason::kNoValue, {count});
        }
        const std::string length = std::to_string(longest.length);
        const std::string from = dates_[rising_ ? longest.first : longest.last()].text();
        if (header_ && !names_[best].empty()) {
            messages_.fail(reason::kLongestNamed, {count, length, shortenedForMessage(names_[best]), from});
        }
        if (header_ || names_[best].empty()) {
            messages_.fail(reason::kLongestUnnamed, {count, length, from});
        }
        messages_.fail(reason::kLongestNumbered, {count, length, names_[best], from});
    }

    RecordReader records_;
    const Messages& messages_;
    std::string scratch_;
    bool header_ = false;
    std::size_t width_ = 0; // fields per row, the date's included
    std::vector<std::string> names_;
    std::vector<ColumnRuns> columns_;
    std::vector<LastValue> lastValues_; // by column, as columns_
    bool dayFirst_ = false;             // the first date is DD.MM.YYYY
    bool wholeNumbersOnly_ = true;      // no value so far has a decimal separator
    std::string& text_;
    std::size_t lines_; // in the whole text
    const Progress& progress_;
    std::vector<Date> dates_; // one per row, in file order
    bool rising_ = true;
    std::size_t previousLine_ = 0;
    bool rounded_ = false; // some value had more digits than kMaxDigits
};

} // namespace

RateFileError::RateFileError(std::string place, std::string pattern,
                             std::vector<std::string> arguments)
    : std::runtime_error(place + ": " + filledIn(pattern, arguments)), place_(std::move(place)),
      pattern_(std::move(pattern)), arguments_(std::move(arguments)) {}

std::string filledIn(std::string_view pattern, const std::vector<std::string>& arguments) {
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::size_t number = i + 1 < pattern.size() && pattern[i] == '%'
                                       ? static_cast<std::size_t>(pattern[i + 1] - '0')
                                       : 0;
        if (number >= 1 && number <= 9 && number <= arguments.size()) {
            text += arguments[number - 1];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

RateTable readRateTable(std::string_view bytes, std::string_view name, const Progress& progress) {
    const Messages messages(name);
    std::string converted;
    const std::string_view utf8 = asUtf8(bytes, converted, messages);
    auto text =
        std::make_shared<std::string>(converted.empty() ? std::string(utf8) : std::move(converted));
    RateTable table = RateFileReader(*text, messages, progress).read();
    table.text = std::move(text);
    return table;
}

} // namespace quiz
