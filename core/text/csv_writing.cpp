#include "core/text/csv_writing.h"

namespace quiz {

namespace {

bool needsQuotes(std::string_view text, std::string_view separator) {
    return text.find_first_of("\"\r\n") != std::string_view::npos ||
           text.find(separator) != std::string_view::npos ||
           (!text.empty() && (text.front() == ' ' || text.back() == ' '));
}

} // namespace

std::string csvQuoted(std::string_view text, std::string_view separator) {
    if (!needsQuotes(text, separator)) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

} // namespace quiz
