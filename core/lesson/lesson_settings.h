#pragma once

// The lesson's settings, which the teacher's view writes into the class folder and every
// pupil's program reads at start and before each new turn: level, data and a seed for the
// class, the teacher's public key for sealing each run's seed, with who wrote them and when.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// The settings file's name in the class folder. Not a .csv, so the class view never reads it
// as a pupil's results.
inline constexpr std::string_view kLessonSettingsFile = "lesson.ini";
// Five short entries fit many times over; anything larger is not a settings file.
inline constexpr std::size_t kLessonSettingsMostBytes = 4096;

// The values are the command line's own texts ("3" or "auto" for --level, "ecb" for --data):
// the pupil's program checks them as it checks its options. Empty is "each computer its own".
struct LessonSettings {
    std::string level;
    std::string data; // "catalogue", "ecb" or the name of a file in the class folder
    std::string seed;      // the class's: readable by every pupil, by design
    std::string writtenBy{}; // the teacher's name and computer, as they say it
    std::string writtenAt{}; // UTC, ISO 8601
    std::string seedKey{};   // the teacher's public key (base64): runs seal their seeds with it

    bool operator==(const LessonSettings&) const = default;
};

enum class LessonProblem {
    TooLarge,      // %1 the most bytes
    NotUtf8,       //
    Unfinished,    // no closing "end" line: written half, or cut
    NotAnEntry,    // %1 the line, %2 its text, quoted
    UnknownName,   // %1 the line, %2 the name, quoted
    RepeatedName,  // %1 the line, %2 the name, quoted
    DataOutside,   // %1 the data value, quoted: not a plain file name in the folder
    BadLevel,      // %1 the level, quoted: neither a level nor "auto"
    BadSeed,       // %1 the seed, quoted: not a whole number a seed can be
    BadKey,        // the seed key is no public key
};

struct LessonRead {
    std::optional<LessonSettings> settings; // none when the file is not usable
    LessonProblem problem = LessonProblem::Unfinished;
    std::vector<std::string> arguments;
};

// Reads a settings file's bytes, checking each value as the command line checks it. Never
// throws: a file that is not usable says why.
LessonRead readLessonSettings(std::string_view bytes);

// The file's text for `settings`, CR LF lines ending with "end".
std::string lessonSettingsText(const LessonSettings& settings);

// Whether `name` can only name a file directly inside the class folder, on Windows as on Linux:
// no folder part, no drive, no "." or "..", no control characters, none of * ? " < > |, and no
// dot or blank at its end.
bool isPlainFileName(std::string_view name);

} // namespace quiz
