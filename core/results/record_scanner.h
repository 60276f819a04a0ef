#pragma once

// One CSV record as RFC 4180 reads it, comma separated, from the start of a text that may end
// mid-record: what the class view reads pupils' growing files with.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

inline constexpr std::string_view kUnclosedQuote = "кавичка, отворена на този ред, не е затворена";

// One CSV record as RFC 4180 reads it from the start of a text. Its fields view the text, or
// `unescaped` for the few whose doubled quotes had to be undone; one record is reused from row
// to row, so reading a row allocates nothing.
struct Record {
    enum class State { Complete, Incomplete, Malformed };
    State state = State::Incomplete;
    std::vector<std::string_view> fields;
    std::deque<std::string> unescaped;
    std::size_t end = 0; // just after its line end (a bad one's first)
    std::size_t firstLineEnd =
        std::string_view::npos; // just after a line end inside quotes, if any
    std::uint64_t lines = 0;    // line ends up to `end`
    std::string_view problem;

    void reset() {
        state = State::Incomplete;
        fields.clear();
        unescaped.clear();
        end = 0;
        firstLineEnd = std::string_view::npos;
        lines = 0;
        problem = {};
    }

    void finish(State how, std::size_t at) {
        state = how;
        end = at;
    }
};

// Reads the record at the start of `text` into `record`, reusing its buffers.
void scanRecord(std::string_view text, Record& record);

} // namespace quiz
