#include "core/text/csv_scanner.h"

namespace quiz {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

struct LineEnds {
    std::size_t count = 0;
    std::size_t firstEnd = kNone; // just after the first
};

// Line ends in a quoted stretch: LF, CR LF or a lone CR each count once.
LineEnds lineEndsIn(std::string_view text, std::size_t from, std::size_t to) {
    const std::string_view stretch = text.substr(from, to - from);
    if (stretch.find('\n') == kNone && stretch.find('\r') == kNone) {
        return {}; // most quoted fields: two fast searches rather than a test of each byte
    }
    LineEnds ends;
    for (std::size_t i = from; i < to; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++ends.count;
            ends.firstEnd = ends.firstEnd == kNone ? i + 1 : ends.firstEnd;
        }
    }
    return ends;
}

// Where the reading of one record stands, with what its steps need of the scanner.
struct Cursor {
    std::string_view text;
    std::size_t at;                     // the next byte
    const std::array<bool, 256>& stops; // the bytes that end a plain field
    char separator;
    bool blanksAfterQuote;
    bool finished;                     // no more bytes will come
    std::size_t lines = 0;             // line ends inside quotes
    std::size_t quotedLineEnd = kNone; // just after the first of them
};

// Adds the line ends of quoted text the cursor has passed to the record's.
void addLineEnds(Cursor& cursor, const LineEnds& ends) {
    cursor.lines += ends.count;
    cursor.quotedLineEnd = cursor.quotedLineEnd == kNone ? ends.firstEnd : cursor.quotedLineEnd;
}

// What a step of the reading leads to: the next step, or the record's end as next() gives it.
struct Step {
    enum class Kind : std::uint8_t {
        On,      // the field, or the record, goes on
        Waiting, // the bytes at hand end inside the record
        Fault,   // `error` at `at`
        Done,    // the record ends just before `at`, `lines` on
    };
    Kind kind = Kind::On;
    CsvError error = CsvError::None;
    std::size_t at = 0;
    std::size_t lines = 0;
};

constexpr Step kOn{};
constexpr Step kWaiting{Step::Kind::Waiting};

Step fault(CsvError error, std::size_t at) {
    return {Step::Kind::Fault, error, at};
}

// The text ends inside quotes: more may come, else the quote is never closed.
Step unclosedQuote(Cursor& cursor) {
    const std::string_view text = cursor.text;
    if (!cursor.finished) {
        // A CR last may be the first half of a CR LF.
        addLineEnds(cursor,
                    lineEndsIn(text, cursor.at, text.size() - (text.ends_with('\r') ? 1 : 0)));
        return kWaiting;
    }
    addLineEnds(cursor, lineEndsIn(text, cursor.at, text.size()));
    return fault(CsvError::UnclosedQuote, text.size());
}

// Just past a closing quote: the blanks the dialect allows, then the field must end.
Step afterQuote(Cursor& cursor) {
    const std::string_view text = cursor.text;
    const char separator = cursor.separator;
    while (cursor.blanksAfterQuote && cursor.at < text.size() && text[cursor.at] != separator &&
           (text[cursor.at] == ' ' || text[cursor.at] == '\t')) {
        ++cursor.at;
    }
    if (cursor.at < text.size() && text[cursor.at] != separator && !isLineEnd(text[cursor.at])) {
        return fault(CsvError::TextAfterQuote, cursor.at);
    }
    return kOn;
}

// From an opening quote to just past its closing one, doubled quotes passed over.
Step quotedField(Cursor& cursor, CsvField& field) {
    const std::string_view text = cursor.text;
    field.quoted = true;
    const std::size_t start = ++cursor.at;
    for (;;) {
        const std::size_t quote = text.find('"', cursor.at);
        if (quote == kNone) {
            return unclosedQuote(cursor);
        }
        addLineEnds(cursor, lineEndsIn(text, cursor.at, quote));
        cursor.at = quote + 1;
        if (cursor.at == text.size() && !cursor.finished) {
            return kWaiting; // a quote last may be half of a doubled one
        }
        if (cursor.at == text.size() || text[cursor.at] != '"') {
            break;
        }
        field.escaped = true;
        ++cursor.at;
    }
    field.text = text.substr(start, cursor.at - 1 - start);
    return afterQuote(cursor);
}

// Up to the first separator, line end or (where the dialect faults it) quote.
Step plainField(Cursor& cursor, CsvField& field) {
    const std::string_view text = cursor.text;
    const char* const start = text.data() + cursor.at;
    const char* const end = text.data() + text.size();
    // Pointers, not an index: the loop GCC makes of them is a tenth faster, on the hottest path.
    const char* at = start;
    while (at != end && !cursor.stops[static_cast<unsigned char>(*at)]) {
        ++at;
    }
    cursor.at = static_cast<std::size_t>(at - text.data());
    if (at != end && *at == '"') {
        return fault(CsvError::QuoteInPlainField, cursor.at);
    }
    field.text = std::string_view(start, static_cast<std::size_t>(at - start));
    return kOn;
}

// Just past a field: a separator goes on to the next; a line end, or the text's, ends the
// record.
Step afterField(Cursor& cursor) {
    const std::string_view text = cursor.text;
    const std::size_t at = cursor.at;
    if (at == text.size()) {
        return cursor.finished ? Step{Step::Kind::Done, CsvError::None, at, cursor.lines}
                               : kWaiting;
    }
    if (text[at] == cursor.separator) {
        ++cursor.at;
        return kOn;
    }
    if (text[at] == '\r' && at + 1 == text.size() && !cursor.finished) {
        return kWaiting; // the LF of a CR LF may be on its way
    }
    return {Step::Kind::Done, CsvError::None, at + (text.substr(at, 2) == "\r\n" ? 2 : 1),
            cursor.lines + 1};
}

} // namespace

std::string_view csvFieldText(const CsvField& field, std::string& scratch) {
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

char detectCsvSeparator(std::string_view text) {
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

CsvScanner::CsvScanner(CsvDialect dialect) : dialect_(dialect) {
    stops_[static_cast<unsigned char>(dialect_.separator)] = true;
    stops_['\n'] = stops_['\r'] = true;
    stops_['"'] = !dialect_.quotesInText;
}

CsvScanner CsvScanner::over(std::string_view text, CsvDialect dialect) {
    CsvScanner scanner(dialect);
    scanner.owned_ = false;
    scanner.inPlace_ = true;
    scanner.whole_ = text;
    scanner.finished_ = true;
    return scanner;
}

void CsvScanner::feed(std::string_view bytes) {
    if (!owned_ || finished_) {
        return; // a whole text, or input declared ended, takes no more
    }
    keep();
    buffer_.erase(0, at_);
    base_ += at_;
    at_ = 0;
    buffer_.append(dropping_ == Dropping::No ? bytes : afterDroppedLine(bytes));
}

void CsvScanner::lend(std::string_view bytes) {
    keep();
    if (!owned_ || finished_ || at_ < buffer_.size()) {
        feed(bytes);
        return;
    }
    base_ += at_;
    at_ = 0;
    buffer_.clear();
    whole_ = dropping_ == Dropping::No ? bytes : afterDroppedLine(bytes);
    inPlace_ = true;
}

void CsvScanner::keep() {
    if (!owned_ || !inPlace_) {
        return;
    }
    buffer_.assign(whole_.substr(at_));
    base_ += at_;
    at_ = 0;
    whole_ = {};
    inPlace_ = false;
}

std::string_view CsvScanner::afterDroppedLine(std::string_view bytes) {
    std::size_t dropped = bytes.size();
    if (dropping_ == Dropping::LfOfCrLf) {
        dropped = bytes.starts_with('\n') ? 1 : 0;
        dropping_ = bytes.empty() ? dropping_ : Dropping::No;
    } else if (const std::size_t end = bytes.find_first_of("\r\n"); end != kNone) {
        ++line_;
        const bool crLast = bytes[end] == '\r' && end + 1 == bytes.size();
        dropping_ = crLast ? Dropping::LfOfCrLf : Dropping::No;
        dropped = end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    base_ += dropped; // the buffer is empty while a line is dropped
    return bytes.substr(dropped);
}

void CsvScanner::resumeAfterQuotedLineEnd(const CsvRecord& record) {
    if (record.quotedLineEnd <= base_ || record.quotedLineEnd - base_ > text().size()) {
        return; // none, or no longer held
    }
    at_ = record.quotedLineEnd - base_;
    line_ = record.line + 1;
}

void CsvScanner::dropLine() {
    const std::string_view text = this->text();
    const std::size_t end = text.find_first_of("\r\n", at_);
    if (end == kNone || (text[end] == '\r' && end + 1 == text.size() && !finished_)) {
        at_ = text.size();
        dropping_ = owned_ && !finished_ ? (end == kNone ? Dropping::Line : Dropping::LfOfCrLf)
                                         : Dropping::No;
        line_ += end == kNone ? 0 : 1;
        return;
    }
    at_ = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    ++line_;
}

void CsvScanner::finish() {
    finished_ = true;
}

double CsvScanner::share() const {
    const std::string_view all = text();
    return all.empty() ? 1.0 : static_cast<double>(at_) / static_cast<double>(all.size());
}

// A record is fields one after another, each quoted or plain, each followed by a separator
// and the next field or by the record's end.
CsvStatus CsvScanner::next(CsvRecord& record) {
    const std::string_view text = this->text();
    if (at_ == text.size()) {
        return finished_ ? CsvStatus::End : CsvStatus::Waiting;
    }
    record.fields.clear();
    record.error = CsvError::None;
    record.errorField = 0;
    record.line = line_;
    record.begin = base_ + at_;
    Cursor cursor{text, at_, stops_, dialect_.separator, dialect_.blanksAfterQuote, finished_};
    for (std::size_t number = 1;; ++number) {
        Step step = number > dialect_.maxFields ? fault(CsvError::TooManyFields, cursor.at) : kOn;
        CsvField field;
        if (step.kind == Step::Kind::On) {
            const bool quoted = cursor.at < text.size() && text[cursor.at] == '"';
            step = quoted ? quotedField(cursor, field) : plainField(cursor, field);
        }
        if (step.kind == Step::Kind::On) {
            record.fields.push_back(field);
            step = afterField(cursor);
        }
        switch (step.kind) {
        case Step::Kind::On:
            continue; // to the next field
        case Step::Kind::Waiting:
            return waiting(record, cursor.quotedLineEnd);
        case Step::Kind::Fault:
            return fail(record, step.error, number, step.at, cursor.quotedLineEnd);
        case Step::Kind::Done:
            return complete(record, step.at, step.lines, cursor.quotedLineEnd);
        }
    }
}

CsvStatus CsvScanner::complete(CsvRecord& record, std::size_t at, std::size_t lines,
                               std::size_t quotedLineEnd) {
    at_ = at;
    line_ += lines;
    record.end = base_ + at;
    record.quotedLineEnd = quotedLineEnd == kNone ? 0 : base_ + quotedLineEnd;
    return CsvStatus::Record;
}

CsvStatus CsvScanner::waiting(CsvRecord& record, std::size_t quotedLineEnd) const {
    record.quotedLineEnd = quotedLineEnd == kNone ? 0 : base_ + quotedLineEnd;
    return CsvStatus::Waiting;
}

CsvStatus CsvScanner::fail(CsvRecord& record, CsvError error, std::size_t field, std::size_t at,
                           std::size_t quotedLineEnd) {
    const std::string_view text = this->text();
    std::size_t resume = quotedLineEnd;
    if (resume == kNone) {
        const std::size_t lineEnd = text.find_first_of("\r\n", at);
        if (lineEnd == kNone || (text[lineEnd] == '\r' && lineEnd + 1 == text.size())) {
            if (!finished_) {
                return waiting(record, quotedLineEnd);
            }
            resume = text.size();
        } else {
            resume = lineEnd + (text.substr(lineEnd, 2) == "\r\n" ? 2 : 1);
        }
    }
    record.error = error;
    record.errorField = field;
    const bool endedLine = resume > 0 && isLineEnd(text[resume - 1]);
    return complete(record, resume, endedLine ? 1 : 0, quotedLineEnd);
}

} // namespace quiz
