#pragma once

// A class's results files read together for the teacher's live view: each file read once, a
// little more at each refresh, every answer counted once.

#include "core/level.h"
#include "core/scoreboard.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quiz {

struct PupilSummary {
    std::string pupil;
    int answered = 0;
    int right = 0;
    double accuracy = 0.0;         // right / answered
    int bestStreak = 0;            // over their answers in time order, across all their files
    std::vector<int> levels;       // played, ascending
    std::vector<std::string> data; // played, in byte order
    double guessingChance = 1.0;
    bool beatsGuessing = false;
};

struct ClassSummary {
    Tally total;
    std::array<Tally, kLevelCount> levels{};
    std::vector<std::pair<std::string, Tally>> currencies; // by code, in byte order
    int pupils = 0;
    int pupilsBeatingGuessing = 0;
};

// A line that was not counted, or a whole file when its first line is no results header.
struct Skipped {
    std::string file;
    std::uint64_t line = 0; // from 1; 0 when no single line is meant
    std::string reason;
};

// "<file>:<line>: <reason>", or "<file>: <reason>" for line 0, always one line.
std::string skippedText(const Skipped& skipped);

// The caller owns the folder: at each refresh it lists it, forgets the files that are gone,
// restarts those that shrank or were replaced (see lastBytes), and feeds each the bytes after
// offset(name). Files start with today's header or an older version's (its nine columns: level
// 0, data "catalogue"); a pupil is the row's `pupil` field, or the file's name without ".csv"
// where there is none. Lines that cannot be read are skipped with the reason; nothing stops the
// rest.
class ClassResults {
public:
    ClassResults();
    ~ClassResults();
    ClassResults(ClassResults&&) noexcept;
    ClassResults& operator=(ClassResults&&) noexcept;

    // Bytes taken from the file so far; 0 for a name never fed.
    std::uint64_t offset(const std::string& name) const;
    // The last bytes taken from the file, at most kMarkBytes: a file that no longer holds them
    // just before offset(name) was replaced under the same name.
    std::string_view lastBytes(const std::string& name) const;
    static constexpr std::size_t kMarkBytes = 32;

    // The file's bytes from offset(name) on, any amount. A last line without its line end waits
    // for the rest. Returns whether an answer or a skipped line was added.
    bool feed(const std::string& name, std::string_view newBytes);
    // Drops what was read from the file, so it is read again from its first byte: for a file
    // now shorter than offset(name), or another file under the same name.
    void restart(const std::string& name);
    // Drops the file and its answers.
    void forget(const std::string& name);
    std::vector<std::string> fileNames() const;

    // One per pupil, all their files together, by name in byte order. A row found in two files
    // (a copied file) counts once. Not for two threads at once: the results are kept.
    std::vector<PupilSummary> pupils() const;
    ClassSummary summary() const;
    // By file name, then line; at most a few per file, then one line saying how many more.
    std::vector<Skipped> skipped() const;

private:
    struct File;
    struct Totals {
        std::vector<PupilSummary> pupils;
        ClassSummary summary;
    };
    const Totals& totals() const;
    Totals computeTotals() const;

    std::map<std::string, std::unique_ptr<File>, std::less<>> files_;
    // Both summaries at once, kept until the answers change: a view refreshing a class
    // where nothing is new pays nothing.
    mutable std::optional<Totals> totals_;
};

enum class ExportForm {
    Plain,          // ",", decimal point, UTF-8, CR LF
    BulgarianExcel, // ";", decimal comma, UTF-8 with a byte-order mark, CR LF, Bulgarian header
};

// One row per pupil under a header, as RFC 4180 writes it in the chosen form: name, answers,
// right answers, accuracy and guessing chance in percent, best streak, levels and data played
// (joined by " + "), whether guessing is beaten. In the Excel form a text that starts like a
// formula (=, +, -, @) gets a leading apostrophe, so a pupil's name is never run as one.
std::string exportCsv(const std::vector<PupilSummary>& pupils, ExportForm form);

} // namespace quiz
