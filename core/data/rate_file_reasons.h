#pragma once

// Why a file of rates is refused: an id with the values it names, which the edge words in the
// reader's language.

#include <cstddef>
#include <cstdint>

namespace quiz {

enum class RateReason : std::uint8_t {
    Utf16,                // the file is UTF-16 text
    UnclosedQuote,        // a quote opened in the field is never closed
    TextAfterQuote,       //
    NotANumber,           // %1 the cell, quoted
    TooManyDigits,        // %1 the cell, quoted: more than 15 digits
    NotPositive,          // %1 the cell, quoted
    NoRows,               // a header and no row of dates and values
    Empty,                //
    TooManyColumns,       // %1 the most value columns
    NoValueColumn,        // no separator gives a date and values after it
    WiderThanHeader,      // %1 the header's fields
    WiderThanFirstRow,    // %1 the first row's fields
    NarrowerThanHeader,   // %1 the row's fields, %2 the header's
    NarrowerThanFirstRow, // %1 the row's fields, %2 the first row's
    NoDate,               //
    NotADate,             // %1 the cell, quoted
    RepeatedDate,         // %1 the date, quoted, %2 the line that has it first
    OutOfRisingOrder,     // %1 the date, quoted
    OutOfFallingOrder,    // %1 the date, quoted
    NoValue,              // %1 the values a run needs: the file has none at all
    LongestNamed,         // %1 needed, %2 the longest run, %3 its column's name, %4 its date
    LongestUnnamed,       // %1 needed, %2 the longest run, %3 its first date
    LongestNumbered,      // %1 needed, %2 the longest run, %3 its column's number, %4 its date
    TooManyDigitsToAdd,   // %1 the value, quoted, %2 its column, %3 its date
    StandsStill,          // %1 the values of a list: every such stretch is flat
    ThousandsJump,        // %1 the value, %2 the one before, both quoted, %3 the line of that
    SplitDecimals,        // decimal commas seem to cut the values of a comma-separated file
    RoundsToZero,         // %1 the value, quoted, %2 the decimals a list can show
};

inline constexpr std::size_t kRateReasonCount =
    static_cast<std::size_t>(RateReason::RoundsToZero) + 1;

// The id's own name ("NotANumber"), for what plain C++ prints; never shown in a window.
const char* rateReasonName(RateReason reason);

} // namespace quiz
