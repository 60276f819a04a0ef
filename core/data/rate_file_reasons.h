#pragma once

// Why a file of rates is refused: English patterns in which %1, %2, … stand for what the file
// holds. Callers may give them in another language; the Bulgarian translation has each one.

#include <array>

namespace quiz::reason {

inline constexpr const char* kUtf16 = "the file is UTF-16 text; save it as CSV in UTF-8";
inline constexpr const char* kUnclosedQuote = "a quote opened here is never closed";
inline constexpr const char* kTextAfterQuote = "text after a closing quote";
inline constexpr const char* kNotANumber = "%1 is not a number";
inline constexpr const char* kTooManyDigits = "%1 has more than 15 digits";
inline constexpr const char* kNotPositive = "%1 is not a positive number";
inline constexpr const char* kNoRows = "the header is not followed by any row of dates and values";
inline constexpr const char* kEmpty = "the file is empty";
inline constexpr const char* kTooManyColumns = "more than %1 value columns";
inline constexpr const char* kNoValueColumn =
    "no value column: rows need a date and values after it, separated by ',', ';' or a tab";
inline constexpr const char* kWiderThanHeader = "the row has more fields than the header's %1";
inline constexpr const char* kWiderThanFirstRow = "the row has more fields than the first row's %1";
inline constexpr const char* kNarrowerThanHeader = "the row has %1 fields where the header has %2";
inline constexpr const char* kNarrowerThanFirstRow =
    "the row has %1 fields where the first row has %2";
inline constexpr const char* kNoDate = "the row has no date";
inline constexpr const char* kNotADate = "%1 is not a date";
inline constexpr const char* kRepeatedDate = "%1 repeats the date of line %2";
inline constexpr const char* kOutOfRisingOrder = "%1 is out of order: the dates before it rise";
inline constexpr const char* kOutOfFallingOrder = "%1 is out of order: the dates before it fall";
inline constexpr const char* kNoValue =
    "no column has %1 values in a row without a gap; there is no value at all";
inline constexpr const char* kLongestNamed =
    "no column has %1 values in a row without a gap; the longest run has %2 (%3, from %4)";
inline constexpr const char* kLongestUnnamed =
    "no column has %1 values in a row without a gap; the longest run has %2 (from %3)";
inline constexpr const char* kLongestNumbered =
    "no column has %1 values in a row without a gap; the longest run has %2 (column %3, from %4)";
inline constexpr const char* kTooManyDigitsToAdd =
    "%1 in column %2 on %3 has more digits than a turn can add up exactly (15)";
inline constexpr const char* kStandsStill = "every stretch of %1 values in a row stands still";
inline constexpr const char* kThousandsJump =
    "%1 after %2 on line %3 is a jump of about a thousandfold: thousands separated by commas, as "
    "in 1,008, read as decimals; save the numbers without thousands separators";
inline constexpr const char* kSplitDecimals =
    "commas separate the fields, the dates are day first and every value is a whole number: "
    "decimal commas seem to cut each value in two; save the file with ';' between the fields";

inline constexpr const char* kRoundsToZero =
    "%1 rounds to 0 at %2 decimals, the most a list can show; give the rates for 1000 units";

// Not a refusal: said once where the source is named, %1 being RateRun::roundedTo.
inline constexpr const char* kRoundedValues =
    "values written with more decimals than a list can show were rounded to %1 decimals";

inline constexpr std::array kAll{
    kUtf16,
    kUnclosedQuote,
    kTextAfterQuote,
    kNotANumber,
    kTooManyDigits,
    kNotPositive,
    kNoRows,
    kEmpty,
    kTooManyColumns,
    kNoValueColumn,
    kWiderThanHeader,
    kWiderThanFirstRow,
    kNarrowerThanHeader,
    kNarrowerThanFirstRow,
    kNoDate,
    kNotADate,
    kRepeatedDate,
    kOutOfRisingOrder,
    kOutOfFallingOrder,
    kNoValue,
    kLongestNamed,
    kLongestUnnamed,
    kLongestNumbered,
    kTooManyDigitsToAdd,
    kStandsStill,
    kThousandsJump,
    kSplitDecimals,
    kRoundsToZero,
    kRoundedValues,
};

} // namespace quiz::reason
