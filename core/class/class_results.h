#pragma once

// A class's results files read together for the teacher's live view: each file read once, a
// little more at each refresh, every answer counted once.

#include "core/class/class_reasons.h"
#include "core/scoring/scoreboard.h"
#include "core/scoring/staircase.h"
#include "core/seal/sealed_seed.h"
#include "core/turns/level.h"
#include "core/turns/turn_replay.h"

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

// A pupil is a name on one computer: a shared login on three computers is three pupils. A name
// in another case is the same pupil (pupilKey), named as in their first answer.
struct PupilSummary {
    std::string pupil;
    std::string host;
    int answered = 0;
    int right = 0;
    double accuracy = 0.0;         // right / answered
    int bestStreak = 0;            // over their answers in time order, across all their files
    std::vector<int> levels;       // played, ascending
    std::vector<std::string> data; // played, in byte order
    // The verdict leaves level 0 out, which one glance solves: answers at levels 1 and up.
    int judgedAnswered = 0;
    int judgedRight = 0;
    double guessingChance = 1.0;
    // Allowing for the number of pupils judged, as the class's count does (Holm's method).
    bool beatsGuessing = false;
    // Over the turns a staircase dealt in all their runs: none when no staircase moved.
    std::optional<ReachedLevel> reached;
};

// Each pupil's answers in blocks of this many, in their order: whether the class learns
// during the lesson, whatever the clocks of its computers say.
inline constexpr int kAnswersPerBlock = 10;

struct ClassSummary {
    Tally total;
    std::array<Tally, kLevelCount> levels{};
    // Block i: every pupil's answers i * kAnswersPerBlock + 1 to (i + 1) * kAnswersPerBlock.
    std::vector<Tally> blocks;
    std::vector<std::pair<std::string, Tally>> currencies; // by code, in byte order
    int pupils = 0;
    int pupilsJudged = 0; // with answers above level 0
    int pupilsBeatingGuessing = 0; // allowing for pupilsJudged, by Holm's method
};

// A line that was not counted, or a whole file when its first line is no results header.
struct Skipped {
    std::string file;
    std::uint64_t line = 0; // from 1; 0 when no single line is meant
    ClassReason reason;

    bool operator==(const Skipped&) const = default;
};

struct RunCheck; // one run's replay, kept between refreshes

// The caller owns the folder: at each refresh it lists it, restarts the files that shrank or
// were replaced (see lastBytes), and feeds each the bytes after offset(name). Files start with
// today's header or an older version's (thirteen columns: no turn dealt by a staircase; nine:
// level 0 and data "catalogue" too); a pupil is the row's `pupil` and `host`, or the file's
// name without ".csv" where there is none. Lines
// that cannot be read are skipped with the reason; nothing stops the rest.
//
// A turn is a pupil's on one computer, of one seed (or of one run, where the seed cannot be
// read), with its number. It counts as it was first answered, by the rows' times, then the
// files' names and lines: an exact copy of that answer is the same one, and any other answer
// to it, later, is not counted, its run named as one of repeated turns. A file is not counted
// when its rows name another pupil or computer than its name, go back in time or repeat a
// turn; with checkReplays, neither is a row its seed could not have dealt.
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
    // Whether the file's first line is no results header: nothing more of it is read.
    bool refused(const std::string& name) const;
    // Replays each run's rows from its seed with the data `finder` knows. A run whose seed is
    // not written, or sealed for a key not given to openSeeds, is counted and said unchecked.
    void checkReplays(DataFinder finder);
    // Opens the seeds sealed with `keys`' public key, now and in rows to come.
    void openSeeds(SealKeys keys);
    std::vector<std::string> fileNames() const;

    // One per pupil, all their files together, by pupilKey in byte order. A row found in two files
    // (a copied file) counts once. Not for two threads at once: the results are kept.
    std::vector<PupilSummary> pupils() const;
    ClassSummary summary() const;
    // By file name, then line; at most a few per file, then one line saying how many more.
    std::vector<Skipped> skipped() const;
    // Files and rows read but not counted, and runs the replay could not follow, with why.
    std::vector<Skipped> notCounted() const;

private:
    struct File;
    struct Totals {
        std::vector<PupilSummary> pupils;
        ClassSummary summary;
        std::vector<Skipped> notCounted;
    };
    const Totals& totals() const;
    Totals computeTotals() const;

    // Gives the answers from `first` on the seeds their sealed text holds for keys_.
    void openSealed(File& file, std::size_t first);

    std::map<std::string, std::unique_ptr<File>, std::less<>> files_;
    std::optional<SealKeys> keys_;
    // Each sealed text opened once: a run writes the same on each of its rows.
    std::map<std::string, std::optional<RunSeed>, std::less<>> opened_;
    // Both summaries at once, kept until the answers change: a view refreshing a class
    // where nothing is new pays nothing.
    mutable std::optional<Totals> totals_;
    DataFinder finder_;
    // Each run's replay so far, by pupil, computer and seed: a new row replays one turn.
    mutable std::map<std::string, std::unique_ptr<RunCheck>, std::less<>> runs_;
};

} // namespace quiz
