#pragma once

// Why the class view skipped a line or left a file or a row out of the counts: an id with the
// values it names, which the teacher's window words.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quiz {

enum class ClassReasonId : std::uint8_t {
    // A line skipped.
    NotAHeader,        // %1 the first line, quoted
    UnclosedQuote,     // a quote opened on the line is not closed
    QuoteInPlainField, //
    TextAfterQuote,    //
    LineTooLong,       // %1 the most bytes a row may have
    FieldCount,        // %1 the row's fields, %2 the header's
    SeedNotWhole,      // %1 the seed, quoted
    RunNotRead,        // %1 the run, quoted: not kRunDigits hex digits
    SealedNotRead,     // the sealed seed is no base64 text of a sealed seed's length
    TurnNotCounting,   // %1 the turn, quoted
    NotABit,           // %1 the column's name, %2 its value, quoted
    LevelOutOfRange,   // %1 the level, quoted, %2 the highest level
    RightButOtherSide, // right is 1, yet the side chosen is not the real one
    WrongButSameSide,  // right is 0, yet the side chosen is the real one
    StaircaseNotWhole, // %1 the staircase, quoted
    MoreSkipped,       // %1 how many more lines were skipped in the file
    // A whole file not counted, from the line on which it showed.
    OtherPupil,   // %1 the line, %2 the row's pupil, %3 its computer, both quoted
    TimeGoesBack, // %1 the line
    TooManyRuns,  // %1 the line, %2 the most runs a file may hold
    TurnRepeated, // %1 the line, %2 the turn, %3 the seed
    // A row not counted, or counted unchecked.
    RepeatedTurns, // %1 how many turns, %2 the file that has them first: not counted again
    NotDealt,      // %1 the turn, %2 the seed: the seed deals no such side or currency
    MoreNotDealt,  // %1 how many more rows of the file
    Unchecked,     // %1 the turn, %2 the seed: the replay cannot follow from there on
    Unsealed,      // the run wrote no seed (no teacher's key in the folder): counted unchecked
    SealedElsewhere, // the run's seed opens with no key this view holds: counted unchecked
    SeedChosen,    // %1 the seed: given with --seed, so the pupil knew it; counted
};

struct ClassReason {
    ClassReason() = default;
    ClassReason(ClassReasonId reason, std::vector<std::string> values = {})
        : id(reason), arguments(std::move(values)) {}

    ClassReasonId id = ClassReasonId::NotAHeader;
    std::vector<std::string> arguments; // values from a file come quoted for a message

    bool operator==(const ClassReason&) const = default;
};

} // namespace quiz
