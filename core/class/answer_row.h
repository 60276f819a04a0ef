#pragma once

// One row of a results file read back: its checks, and the answer it holds.

#include "core/class/class_reasons.h"
#include "core/text/csv_scanner.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// How a row tells its run's seed.
enum class SeedState : std::uint8_t {
    Plain,    // written out: an older version's file, or a log outside a class folder
    Opened,   // sealed for the teacher, and opened with the teacher's key
    Chosen,   // opened, but given with --seed: a seed the pupil knew
    Sealed,   // sealed, but with no key here that opens it
    Unsealed, // not written at all: the folder had no teacher's key
};

struct Answer {
    std::string time;
    std::int64_t utcSeconds = 0;
    bool timeRead = false; // whether `time` is ISO 8601 and utcSeconds holds it
    std::uint32_t seed = 0; // as far as seedKnown()
    SeedState seedState = SeedState::Plain;
    // The stream that wrote the row: in an older version's file, its seed.
    std::uint64_t run = 0;
    std::string_view sealedSeed{}; // kept by the file, once for all the rows of a run
    int turn = 0;
    std::string currency;
    int realSide = 0;
    int chosenSide = 0;
    bool right = false;
    int level = 0;
    std::string data;
    std::string pupil;
    std::string host;
    int staircase = 0; // 0 also in older versions' rows, which do not tell
    const std::string* file = nullptr; // the name of the file it is read from
    std::uint64_t line = 0;

    bool seedKnown() const { return seedState <= SeedState::Chosen; }
};

// The file's name without ".csv": who answered in an older version's file.
std::string fileStem(std::string_view name);

// What is wrong with a row's fields, if anything.
std::optional<ClassReason> rowProblem(const std::vector<CsvField>& fields, std::size_t width);
// A row rowProblem finds nothing wrong with; an older version's rows are of the stored series
// at level 0, by the pupil the file is named after, and dealt by no staircase. Its sealed seed
// is left to the caller.
Answer answerOf(const std::vector<CsvField>& fields, std::size_t width,
                const std::string& filePupil);
bool isHeader(const std::vector<CsvField>& fields, std::size_t width);
// Whether a run of this pupil on this computer could have written a file of this name: it
// names them first, as classFileName does, or the pupil alone.
bool namedBy(std::string_view stem, std::string_view pupil, std::string_view host);

} // namespace quiz
