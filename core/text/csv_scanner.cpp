#include "core/text/csv_scanner.h"

namespace quiz {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// Line ends in a quoted stretch: LF, CR LF or a lone CR each count once. The first one's end,
// if any, goes to `firstEnd` unless it holds one already.
std::size_t countLineEnds(std::string_view text, std::size_t from, std::size_t to,
                          std::size_t& firstEnd) {
    const std::string_view stretch = text.substr(from, to - from);
    if (stretch.find('\n') == kNone && stretch.find('\r') == kNone) {
        return 0; // most quoted fields: two fast searches rather than a test of each byte
    }
    std::size_t count = 0;
    for (std::size_t i = from; i < to; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++count;
            firstEnd = firstEnd == kNone ? i + 1 : firstEnd;
        }
    }
    return count;
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
    const char separator = dialect_.separator;
    const std::array<bool, 256>& stops = stops_;
    std::size_t lines = 0;             // line ends inside quotes
    std::size_t quotedLineEnd = kNone; // just after the first of them
    for (std::size_t at = at_, number = 1;; ++number) {
        if (number > dialect_.maxFields) {
            return fail(record, CsvError::TooManyFields, number, at, quotedLineEnd);
        }
        CsvField field;
        if (at < text.size() && text[at] == '"') {
            field.quoted = true;
            const std::size_t start = ++at;
            for (;;) {
                const std::size_t quote = text.find('"', at);
                if (quote == kNone) {
                    if (!finished_) {
                        // A CR last may be the first half of a CR LF.
                        countLineEnds(text, at, text.size() - (text.ends_with('\r') ? 1 : 0),
                                      quotedLineEnd);
                        return waiting(record, quotedLineEnd);
                    }
                    countLineEnds(text, at, text.size(), quotedLineEnd);
                    return fail(record, CsvError::UnclosedQuote, number, text.size(),
                                quotedLineEnd);
                }
                lines += countLineEnds(text, at, quote, quotedLineEnd);
                at = quote + 1;
                if (at == text.size() && !finished_) {
                    // A quote last may be half of a doubled one.
                    return waiting(record, quotedLineEnd);
                }
                if (at == text.size() || text[at] != '"') {
                    break;
                }
                field.escaped = true;
                ++at;
            }
            field.text = text.substr(start, at - 1 - start);
            while (dialect_.blanksAfterQuote && at < text.size() && text[at] != separator &&
                   (text[at] == ' ' || text[at] == '\t')) {
                ++at;
            }
            if (at < text.size() && text[at] != separator && !isLineEnd(text[at])) {
                return fail(record, CsvError::TextAfterQuote, number, at, quotedLineEnd);
            }
        } else {
            const std::size_t start = at;
            while (at < text.size() && !stops[static_cast<unsigned char>(text[at])]) {
                ++at;
            }
            if (at < text.size() && text[at] == '"') {
                return fail(record, CsvError::QuoteInPlainField, number, at, quotedLineEnd);
            }
            field.text = text.substr(start, at - start);
        }
        record.fields.push_back(field);
        if (at == text.size()) {
            return finished_ ? complete(record, at, lines, quotedLineEnd)
                             : waiting(record, quotedLineEnd);
        }
        if (text[at] == separator) {
            ++at;
            continue;
        }
        if (text[at] == '\r' && at + 1 == text.size() && !finished_) {
            return waiting(record, quotedLineEnd); // the LF of a CR LF may be on its way
        }
        at += text.substr(at, 2) == "\r\n" ? 2 : 1;
        return complete(record, at, lines + 1, quotedLineEnd);
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
