#pragma once

// One pupil's results file as the class view reads it: a little more at each refresh, its
// rows checked, its answers kept, what was skipped and why.

#include "core/results/answer_row.h"
#include "core/results/class_results.h"
#include "core/results/record_scanner.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quiz {

struct ClassResults::File {
    explicit File(std::string_view fileName) : name(fileName), pupil(fileStem(fileName)) {}

    // Takes the next bytes of the file; returns whether an answer or a skipped line was added.
    bool take(std::string_view bytes);

    // Keeps the last kMarkBytes taken, by which the caller knows the file again.
    void remember(std::string_view bytes);

    std::string name;
    std::string pupil; // who answered in an older version's file
    std::uint64_t offset = 0;
    std::string lastBytes;
    std::string tail;           // the bytes of a record not yet complete
    std::uint64_t tailLine = 1; // the line the tail starts on
    bool discarding = false;    // dropping the rest of an over-long line
    std::size_t width = 0;      // columns of the file's header; 0 before it is read
    bool refused = false;       // its first line is no results header
    std::vector<Answer> answers;
    std::vector<Skipped> skipped;
    std::uint64_t moreSkipped = 0;
    std::string mark; // why none of its answers count, or ""

private:
    static constexpr std::size_t kSkippedKept = 20;
    // More runs than any file of a term's lessons holds.
    static constexpr std::size_t kMostRuns = 256;

    Record record_; // the one being read, kept for its buffers
    std::vector<std::pair<std::uint32_t, int>> lastTurns_; // of each seed, seldom more than one

    // The first reason, with its line, not to trust the file: a copy made by hand, or rows
    // put together from others.
    void checkFileShape(const Answer& answer);

    // A run writes its turns rising, so a turn at or below one of its seed's is written twice.
    bool turnRises(const Answer& answer);
    bool knownRun(std::uint32_t seed) const;

    static std::string where(const Answer& answer);

    void skip(std::string reason);

    // The bytes of `text` it is done with.
    std::size_t readFrom(std::string_view text);

    std::size_t readHeader(std::string_view text);

    std::size_t dropLongLine(std::string_view text);

    // The bytes read: a record, a bad line, or 0 when the record is not complete yet.
    std::size_t readRecord(std::string_view text);

    // Whether a quote that runs over a line end was opened by mistake: its record comes out
    // with the wrong number of fields, or a whole row is found after its first line before it
    // closes, or it stays open far longer than any row. The same rows are found whether the
    // file comes in one piece or in many.
    bool quoteLeftOpen(const Record& record, std::string_view text) const;

    bool rowFollows(std::string_view text) const;

    void takeRow(const std::vector<std::string_view>& fields);
};

} // namespace quiz
