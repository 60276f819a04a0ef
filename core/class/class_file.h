#pragma once

// One pupil's results file as the class view reads it: a little more at each refresh, its
// rows checked, its answers kept, what was skipped and why.

#include "core/class/answer_row.h"
#include "core/class/class_results.h"
#include "core/text/csv_scanner.h"

#include <cstdint>
#include <optional>
#include <set>
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
    std::size_t width = 0; // columns of the file's header; 0 before it is read
    bool refused = false;  // its first line is no results header
    std::vector<Answer> answers;
    std::vector<Skipped> skipped;
    std::uint64_t moreSkipped = 0;
    std::optional<ClassReason> mark; // why none of its answers count

private:
    static constexpr std::size_t kSkippedKept = 20;
    // More runs than any file of a term's lessons holds.
    static constexpr std::size_t kMostRuns = 256;

    CsvScanner scanner_;
    CsvRecord record_; // the one being read, kept for its buffers
    std::string head_; // the first bytes, until a byte-order mark is ruled out
    bool headDone_ = false;
    std::vector<std::pair<std::uint64_t, int>> lastTurns_; // of each run, seldom more than one
    std::set<std::string, std::less<>> sealedSeeds_; // each run's once, for its rows to name

    // The first reason, with its line, not to trust the file: a copy made by hand, or rows
    // put together from others.
    void checkFileShape(const Answer& answer);

    // A run writes its turns rising, so a turn at or below one of its own is written twice.
    bool turnRises(const Answer& answer);
    bool knownRun(std::uint64_t run) const;

    void skip(std::uint64_t line, ClassReason reason);
    // Reserves the answers a piece of `bytes` may hold.
    void makeRoom(std::size_t bytes);

    // Gives the scanner the bytes, less a byte-order mark at the start.
    void feedScanner(std::string_view bytes);
    // Reads the records complete so far.
    void readRecords();
    void readHeader(std::string_view text, bool whole);
    // A record read whole, `text` being the bytes from its start.
    void readRecord(std::string_view text);
    // A record whose end has not come yet; returns whether reading goes on.
    bool awaitRecord(std::string_view text);

    // Whether a quote that runs over a line end was opened by mistake: its record comes out
    // with the wrong number of fields, or a whole row is found after its first line before it
    // closes, or it stays open far longer than any row. The same rows are found whether the
    // file comes in one piece or in many.
    bool quoteLeftOpen(const CsvRecord& record, std::string_view text, bool whole);

    bool rowFollows(std::string_view text);

    void takeRow(const std::vector<CsvField>& fields, std::uint64_t line);
};

} // namespace quiz
