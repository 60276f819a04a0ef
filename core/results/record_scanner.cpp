#include "core/results/record_scanner.h"

#include <algorithm>

namespace quiz {

namespace {

constexpr std::size_t kNoPosition = std::string_view::npos;

void noteLineEnds(std::string_view text, std::size_t from, std::size_t to, Record& record) {
    const std::string_view span = text.substr(from, to - from);
    const std::size_t first = span.find('\n');
    if (first != kNoPosition && record.firstLineEnd == kNoPosition) {
        record.firstLineEnd = from + first + 1;
    }
    record.lines += static_cast<std::uint64_t>(std::count(span.begin(), span.end(), '\n'));
}

// A bad record ends with its first line when a quote carried it over more lines (the quote
// is the likelier fault than every line after it), else with the line it is on.
void malformed(Record& record, std::string_view text, std::size_t at, std::string_view problem) {
    if (record.firstLineEnd != kNoPosition) {
        record.lines = 1;
        record.problem = kUnclosedQuote;
        record.finish(Record::State::Malformed, record.firstLineEnd);
        return;
    }
    const std::size_t lineEnd = text.find('\n', at);
    if (lineEnd == kNoPosition) {
        record.finish(Record::State::Incomplete, text.size());
        return;
    }
    record.lines = 1;
    record.problem = problem;
    record.finish(Record::State::Malformed, lineEnd + 1);
}

std::string_view unescaped(std::string_view quoted, Record& record) {
    std::string& text = record.unescaped.emplace_back();
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        text += quoted[i];
        i += quoted[i] == '"' ? 1 : 0;
    }
    return text;
}

// Reads a quoted field from just after its opening quote; returns where its closing quote
// ends, or kNoPosition when the bytes at hand end first.
std::size_t quotedField(std::string_view text, std::size_t from, Record& record) {
    bool doubled = false;
    for (std::size_t at = from;;) {
        const std::size_t quote = text.find('"', at);
        noteLineEnds(text, at, quote == kNoPosition ? text.size() : quote, record);
        if (quote == kNoPosition || quote + 1 == text.size()) {
            return kNoPosition; // a quote last may be half of a doubled one
        }
        if (text[quote + 1] != '"') {
            const std::string_view field = text.substr(from, quote - from);
            record.fields.push_back(doubled ? unescaped(field, record) : field);
            return quote + 1;
        }
        doubled = true;
        at = quote + 2;
    }
}

// After a quoted field only a separator or a line end may follow.
std::size_t afterQuotedField(std::string_view text, std::size_t at) {
    if (text.substr(at, 2) == "\r\n") {
        return at + 1;
    }
    return text.substr(at) == "\r" ? kNoPosition : at;
}

// Where an unquoted field ends: at a separator, a quote (which is out of place) or a line end.
std::size_t plainFieldEnd(std::string_view text, std::size_t at) {
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == ',' || c == '"' || c == '\n') {
            return at;
        }
    }
    return kNoPosition;
}

} // namespace

void scanRecord(std::string_view text, Record& record) {
    record.reset();
    for (std::size_t at = 0;;) {
        std::size_t next = kNoPosition; // where the field ends
        if (at < text.size() && text[at] == '"') {
            next = quotedField(text, at + 1, record);
            next = next == kNoPosition ? next : afterQuotedField(text, next);
        } else {
            next = plainFieldEnd(text, at);
            if (next != kNoPosition && text[next] == '"') {
                malformed(record, text, next, "кавичка в поле без кавички");
                return;
            }
            std::string_view field = text.substr(at, next == kNoPosition ? 0 : next - at);
            const bool lineEnd = next != kNoPosition && text[next] == '\n';
            record.fields.push_back(
                lineEnd && field.ends_with('\r') ? field.substr(0, field.size() - 1) : field);
        }
        if (next == kNoPosition || next == text.size()) {
            record.finish(Record::State::Incomplete, text.size());
            return;
        }
        if (text[next] == ',') {
            at = next + 1;
        } else if (text[next] == '\n') {
            ++record.lines;
            record.finish(Record::State::Complete, next + 1);
            return;
        } else {
            malformed(record, text, next, "текст след затваряща кавичка");
            return;
        }
    }
}

} // namespace quiz
