#pragma once

// Reading a file of daily exchange rates into the unbroken runs of each column.

#include "core/data/rate_file_reasons.h"
#include "core/text/message_text.h"

#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// A stretch of one column's values with no gap, oldest first.
struct RateRun {
    std::string column;                  // the column's header ("USD"); "" for a file with one
                                         // value column and no header; "2", "3", … (field
                                         // numbers) for a file with several and no header
    std::span<const std::string> dates;  // "YYYY-MM-DD", in the table's dates
    std::vector<std::string_view> texts; // each value as written, with "." as the decimal
                                         // point, in the table's text
    int roundedTo = 0; // the decimals values written with more were rounded to; 0 for none
};

// The runs view what the table holds, so a file's cells are never copied one by one; copies
// of a table share it.
struct RateTable {
    std::shared_ptr<const std::string> text;               // the file as UTF-8
    std::shared_ptr<const std::vector<std::string>> dates; // of every row, in date order
    // Only runs of at least kValueCount values, columns in file order, then date order.
    std::vector<RateRun> runs;
};

// A file that cannot be used. what() is one line, "<place>: <id>(<arguments>)", the place being
// "<name>:<line>:<field>" (both counted from 1) or "<name>" when no single place is at fault;
// the reason is kept as an id with its arguments (NotANumber, {"'abc'"}) for the edge to word.
class RateFileError : public std::runtime_error {
public:
    RateFileError(std::string place, RateReason reason, std::vector<std::string> arguments = {});

    const std::string& place() const { return place_; }
    RateReason reason() const { return reason_; }
    const std::vector<std::string>& arguments() const { return arguments_; }

private:
    std::string place_;
    RateReason reason_;
    std::vector<std::string> arguments_;
};

// Told now and then how much of the work is done, from 0 to 1; false asks it to stop, which it
// does by throwing ReadingStopped.
using Progress = std::function<bool(double done)>;

class ReadingStopped : public std::runtime_error {
public:
    ReadingStopped() : std::runtime_error("reading stopped") {}
};

// Reads a whole file's bytes, in any of the forms it detects: the ECB's reference-rate file
// as published, or a spreadsheet's file with a date column and up to 1000 value columns
// (separator ",", ";" or tab; decimal point or comma; UTF-8 or Windows-1251; any line ends;
// dates YYYY-MM-DD or DD.MM.YYYY in either order; cells quoted or not). The first line is a
// header when its first cell does not start with a digit. Values with more decimals than a
// list shows (shownDecimals of the run's longest whole part), as programs write doubles, are
// rounded to them (see RateRun::roundedTo). Missing values (empty,
// N/A) end a run; nothing is filled in. `name` is used in messages only. Throws RateFileError for a
// file it cannot use. Linear in the size of the file.
RateTable readRateTable(std::string_view bytes, std::string_view name,
                        const Progress& progress = {});

} // namespace quiz
