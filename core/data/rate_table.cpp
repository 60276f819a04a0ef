#include "core/data/rate_table.h"

#include "core/data/catalogue.h"
#include "core/data/decimal_units.h"
#include "core/data/rate_cells.h"
#include "core/data/rate_dates.h"
#include "core/data/rate_encoding.h"
#include "core/data/rate_file_reasons.h"
#include "core/data/rate_messages.h"
#include "core/data/rate_rounding.h"
#include "core/data/rate_runs.h"
#include "core/data/rate_steps.h"
#include "core/text/csv_scanner.h"
#include "core/text/message_text.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace quiz {

using namespace rates;

namespace {

// Far more currencies than exist; the bound keeps a hostile line from costing gigabytes.
constexpr std::size_t kMaxColumns = 1000;
// No shorter text has more decimals than a list shows ("0." and seven digits).
constexpr std::size_t kShortestRounded = kMostShownDecimals + 2;

class RateFileReader {
public:
    // Decimal commas become points in `text` itself, which the runs then view.
    RateFileReader(std::string& text, const Messages& messages, const Progress& progress)
        : records_(CsvScanner::over(text, dialect(text))), messages_(messages), text_(text),
          lines_(lineCount(text)), progress_(progress) {}

    RateTable read() {
        // Rarely enough to cost nothing, often enough for a bar to move on a large file.
        constexpr std::size_t kRowsPerReport = 1 << 14;
        readFirstRecord();
        for (std::size_t rows = 1; readRow(); ++rows) {
            if (rows % kRowsPerReport == 0 && progress_ && !progress_(records_.share())) {
                throw ReadingStopped();
            }
        }
        if (dates_.empty()) {
            messages_.fail(RateReason::NoRows);
        }
        if (looksSplitByDecimalCommas()) {
            messages_.fail(RateReason::SplitDecimals);
        }
        for (ColumnRuns& column : columns_) {
            column.close();
        }
        return table();
    }

private:
    // Spreadsheets write a quote inside a name as text and may leave blanks after a closing
    // quote. One field more than the columns allowed is read, to be reported.
    static CsvDialect dialect(std::string_view text) {
        return {.separator = detectCsvSeparator(text),
                .quotesInText = true,
                .blanksAfterQuote = true,
                .maxFields = kMaxColumns + 3};
    }

    std::string_view cell(const CsvField& field) {
        return trimmed(csvFieldText(field, scratch_));
    }

    std::size_t line() const { return record_.line; }

    // The record's own fault, found where its fields before the fault have been read.
    [[noreturn]] void failRecord() const {
        const std::size_t field = record_.errorField;
        switch (record_.error) {
        case CsvError::UnclosedQuote:
            messages_.fail(line(), field, RateReason::UnclosedQuote);
        case CsvError::TextAfterQuote:
            messages_.fail(line(), field, RateReason::TextAfterQuote);
        default: // too many fields: the only other fault this dialect has
            messages_.fail(line(), kMaxColumns + 2, RateReason::TooManyColumns,
                           {std::to_string(kMaxColumns)});
        }
    }

    // Reads the first record that is not blank, as far as the column limit.
    void readFirstFields() {
        const auto blank = [this](const CsvField& field) { return cell(field).empty(); };
        do {
            if (records_.next(record_) != CsvStatus::Record) {
                messages_.fail(RateReason::Empty);
            }
            if (record_.error != CsvError::None && record_.error != CsvError::TooManyFields) {
                failRecord();
            }
        } while (record_.error == CsvError::None &&
                 std::all_of(record_.fields.begin(), record_.fields.end(), blank));
    }

    // A header's first cell names the date column, so it is anything but a date: text that
    // starts with a digit is taken as a date, and a wrong one is reported as such.
    void readFirstRecord() {
        readFirstFields();
        std::vector<CsvField>& fields = record_.fields;
        header_ = cell(fields.front()).empty() || !isDigit(cell(fields.front()).front());
        if (header_ && fields.size() > 2 && cell(fields.back()).empty()) {
            fields.pop_back(); // the ECB ends every line with a separator
        }
        width_ = fields.size();
        if (width_ - 1 > kMaxColumns) {
            messages_.fail(line(), kMaxColumns + 2, RateReason::TooManyColumns,
                           {std::to_string(kMaxColumns)});
        }
        if (width_ < 2) {
            messages_.fail(line(), 2, RateReason::NoValueColumn);
        }
        for (std::size_t i = 1; i < width_; ++i) {
            names_.emplace_back(header_       ? cell(fields[i])
                                : width_ == 2 ? ""
                                              : std::to_string(i + 1));
        }
        columns_.resize(width_ - 1);
        lastValues_.resize(width_ - 1);
        if (!header_) {
            readFields();
        }
    }

    [[noreturn]] void failWidth(std::size_t fields) const {
        const std::size_t place = std::min(fields, width_) + 1;
        if (looksSplitByDecimalCommas()) {
            messages_.fail(line(), place, RateReason::SplitDecimals);
        }
        const std::string width = std::to_string(width_);
        if (fields > width_) {
            messages_.fail(line(), place,
                           header_ ? RateReason::WiderThanHeader : RateReason::WiderThanFirstRow,
                           {width});
        }
        messages_.fail(line(), place,
                       header_ ? RateReason::NarrowerThanHeader : RateReason::NarrowerThanFirstRow,
                       {std::to_string(fields), width});
    }

    // Reads one record as a row of data; false at the end of the text.
    bool readRow() {
        if (records_.next(record_) != CsvStatus::Record) {
            return false;
        }
        readFields();
        return true;
    }

    // The record read last, as a row. A blank record is skipped, and one more separator at the
    // end than the header has is as good as none.
    void readFields() {
        const std::size_t count = record_.fields.size();
        const bool whole = record_.error == CsvError::None;
        bool blank = false;
        for (std::size_t number = 1; number <= count; ++number) {
            const CsvField& field = record_.fields[number - 1];
            if (number == 1) {
                blank = cell(field).empty();
                if (!blank) {
                    readDate(cell(field));
                }
            } else if (blank) {
                if (!cell(field).empty()) {
                    messages_.fail(line(), 1, RateReason::NoDate);
                }
            } else if (number <= width_) {
                readCell(number, field);
            } else if (!cell(field).empty() || number < count || !whole) {
                failWidth(number);
            }
        }
        if (!whole) {
            failRecord();
        }
        if (!blank && count < width_) {
            failWidth(count);
        }
        previousLine_ = blank ? previousLine_ : line();
    }

    void readDate(std::string_view text) {
        const std::optional<Date> date = parseDate(text);
        if (!date) {
            messages_.fail(line(), 1, RateReason::NotADate, {quotedForMessage(text)});
        }
        if (!dates_.empty()) {
            checkOrder(dates_.back(), *date, text);
        } else {
            dayFirst_ = text.size() < 5 || text[4] != '-'; // not YYYY-MM-DD
        }
        dates_.push_back(*date);
    }

    // Rows rise or fall in date order, as the first two decide; no date repeats.
    void checkOrder(const Date& previous, const Date& date, std::string_view text) {
        if (date == previous) {
            messages_.fail(line(), 1, RateReason::RepeatedDate,
                           {quotedForMessage(text), std::to_string(previousLine_)});
        }
        if (dates_.size() == 1) {
            rising_ = previous < date;
        } else if ((previous < date) != rising_) {
            messages_.fail(line(), 1,
                           rising_ ? RateReason::OutOfRisingOrder : RateReason::OutOfFallingOrder,
                           {quotedForMessage(text)});
        }
    }

    // The cell of field `number` (2 for the first value column). A plain number is checked
    // on what reading it found; blanks, quotes or letters ("N/A") take the longer way. A
    // value holds no quote, so its text lies in the file's own text even when quoted.
    void readCell(std::size_t number, const CsvField& field) {
        std::string_view text = field.text;
        Makeup parts = makeup(text);
        if ((parts.kinds & (kBlank | kOther)) != 0 || field.escaped) {
            text = cell(field);
            parts = makeup(text);
        }
        ColumnRuns& column = columns_[number - 2];
        if (isMissing(text)) {
            column.close();
            return;
        }
        std::optional<RateReason> problem = valueProblem(text, parts);
        if ((!problem || problem == RateReason::TooManyDigits) && text.size() > kShortestRounded) {
            problem = roundingProblem(text, problem);
        }
        if (problem) {
            if (problem == RateReason::NotANumber) {
                problem = notANumberProblem(text);
            }
            if (problem == RateReason::NotPositive && looksSplitByDecimalCommas()) {
                messages_.fail(line(), number, RateReason::SplitDecimals); // "1,0" cut in two
            }
            std::vector<std::string> arguments{quotedForMessage(text)};
            if (problem == RateReason::RoundsToZero) {
                arguments.push_back(std::to_string(kMostShownDecimals));
            }
            messages_.fail(line(), number, *problem, std::move(arguments));
        }
        // A value still to be rounded is compared by as many digits as a double keeps.
        checkStep(number, text.substr(0, kMaxDigits + 1), parts);
        if ((parts.kinds & kComma) != 0) {
            const auto at = static_cast<std::size_t>(text.data() - text_.data());
            std::replace(text_.begin() + at, text_.begin() + at + text.size(), ',', '.');
        }
        column.add(dates_.size() - 1, text, lines_ - line() + 1, wholeDigitsOf(text));
    }

    // A value with more decimals than a list shows is kept as written until its run is known
    // (roundRun); here it is only checked that rounding leaves a number of few enough digits.
    static std::optional<RateReason> roundingProblem(std::string_view text,
                                                     std::optional<RateReason> problem) {
        const std::size_t point = decimalSeparatorAt(text);
        if (point == std::string_view::npos ||
            text.size() - point - 1 <= static_cast<std::size_t>(kMostShownDecimals)) {
            return problem;
        }
        if (roundedRate(text, kMostShownDecimals)) {
            return std::nullopt;
        }
        const auto shown = static_cast<std::size_t>(kMostShownDecimals);
        const bool zero = text.find_first_not_of('0') == point &&
                          text.substr(point + 1, shown).find_first_not_of('0') == std::string_view::npos;
        return zero ? RateReason::RoundsToZero : RateReason::TooManyDigits;
    }

    // A run is shown at the decimals its longest whole part leaves room for. A value written
    // with more ("0.9108986183789483", as programs save a double) is rounded where it stands,
    // so the turn, the log and the chart all show the same rounded value; the bytes it no
    // longer needs become blanks. `number` is the column's field.
    int roundRun(KeptRun& run, std::size_t number) {
        const int decimals = shownDecimals(run.digits.whole);
        int roundedTo = 0;
        if (run.digits.decimals <= decimals) {
            return roundedTo; // as a rate table's own file is: nothing to round
        }
        for (std::string_view& text : run.texts) {
            if (decimalsOf(text) <= decimals) {
                continue;
            }
            const std::optional<std::string> rounded = roundedRate(text, decimals);
            const auto at = static_cast<std::size_t>(text.data() - text_.data());
            if (!rounded) {
                failRounding(at, number, text, decimals);
            }
            std::fill(std::copy(rounded->begin(), rounded->end(), text_.begin() + at),
                      text_.begin() + at + text.size(), ' ');
            text = std::string_view(text_).substr(at, rounded->size());
            roundedTo = decimals;
        }
        return roundedTo;
    }

    // A value of a run with a long whole part that rounds to nothing at the run's decimals.
    [[noreturn, gnu::cold]] void failRounding(std::size_t at, std::size_t number,
                                              std::string_view text, int decimals) const {
        messages_.fail(lineCount(std::string_view(text_).substr(0, at)), number,
                       RateReason::RoundsToZero,
                       {quotedForMessage(text), std::to_string(decimals)});
    }

    // A value a thousand times the one before it in its column, or a thousandth, is a number
    // with thousands separators misread, or beside one.
    void checkStep(std::size_t number, std::string_view text, const Makeup& parts) {
        constexpr int kFewestPowersApart = 2;
        LastValue& last = lastValues_[number - 2];
        const int power = leadingPower(text, parts);
        if (std::abs(power - last.power) >= kFewestPowersApart && !last.text.empty() &&
            isThousandfold(last.text, text)) {
            failStep(number, text, last);
        }
        last = {.text = text, .power = power, .decimalComma = (parts.kinds & kComma) != 0};
        wholeNumbersOnly_ = wholeNumbersOnly_ && parts.separators == 0;
    }

    // Apart from the loop that reads every value, which it would slow.
    [[noreturn, gnu::cold, gnu::noinline]] void failStep(std::size_t number, std::string_view text,
                                                         const LastValue& last) const {
        if (looksSplitByDecimalCommas()) { // "1,1252" then "1,1" cut in two
            messages_.fail(line(), number, RateReason::SplitDecimals);
        }
        // Its line is counted only now, as keeping it for every value would cost more.
        const auto before = static_cast<std::size_t>(last.text.data() - text_.data());
        messages_.fail(line(), number, RateReason::ThousandsJump,
                       {quotedForMessage(text), quotedForMessage(last.asWritten()),
                        std::to_string(lineCount(std::string_view(text_).substr(0, before)))});
    }

    // Decimal commas in a comma-separated file without a header cut each value in two whole
    // numbers, a row reading as more columns of values than it has. Such a file says nothing
    // else; the rule takes day-first dates, as the spreadsheets that write decimal commas do.
    bool looksSplitByDecimalCommas() const {
        return !header_ && records_.dialect().separator == ',' && dayFirst_ && width_ >= 3 &&
               wholeNumbersOnly_;
    }

    // The row that comes `step`-th in date order, counted from 0.
    std::size_t rowInDateOrder(std::size_t step) const {
        return rising_ ? step : dates_.size() - 1 - step;
    }

    // Every kept run in date order, columns in file order: a file that lists the newest first
    // has its runs turned round.
    RateTable table() {
        RateTable table;
        auto dates = std::make_shared<std::vector<std::string>>();
        dates->reserve(dates_.size());
        for (std::size_t step = 0; step < dates_.size(); ++step) {
            const Date& date = dates_[rowInDateOrder(step)];
            dates->emplace_back(date.iso.data(), date.iso.size());
        }
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            std::vector<KeptRun>& kept = columns_[c].kept();
            if (!rising_) {
                std::reverse(kept.begin(), kept.end());
            }
            for (KeptRun& run : kept) {
                const std::size_t length = run.texts.size();
                if (!rising_) {
                    std::reverse(run.texts.begin(), run.texts.end());
                }
                const std::size_t oldest =
                    rowInDateOrder(rising_ ? run.first : run.first + length - 1);
                const int roundedTo = roundRun(run, c + 2);
                table.runs.push_back({.column = names_[c],
                                      .dates = std::span(*dates).subspan(oldest, length),
                                      .texts = std::move(run.texts),
                                      .roundedTo = roundedTo});
            }
        }
        if (table.runs.empty()) {
            failNoLongRun();
        }
        table.dates = std::move(dates);
        return table;
    }

    [[noreturn]] void failNoLongRun() const {
        std::size_t best = 0;
        for (std::size_t c = 1; c < columns_.size(); ++c) {
            if (columns_[c].longest().length > columns_[best].longest().length) {
                best = c;
            }
        }
        const Span& longest = columns_[best].longest();
        const std::string count = std::to_string(kValueCount);
        if (longest.length == 0) {
            messages_.fail(RateReason::NoValue, {count});
        }
        const std::string length = std::to_string(longest.length);
        const std::string from = dates_[rising_ ? longest.first : longest.last()].text();
        if (header_ && !names_[best].empty()) {
            messages_.fail(RateReason::LongestNamed,
                           {count, length, shortenedForMessage(names_[best]), from});
        }
        if (header_ || names_[best].empty()) {
            messages_.fail(RateReason::LongestUnnamed, {count, length, from});
        }
        messages_.fail(RateReason::LongestNumbered, {count, length, names_[best], from});
    }

    CsvScanner records_;
    CsvRecord record_; // the record read last, its fields reused from row to row
    const Messages& messages_;
    std::string scratch_;
    bool header_ = false;
    std::size_t width_ = 0; // fields per row, the date's included
    std::vector<std::string> names_;
    std::vector<ColumnRuns> columns_;
    std::vector<LastValue> lastValues_; // by column, as columns_
    bool dayFirst_ = false;             // the first date is DD.MM.YYYY
    bool wholeNumbersOnly_ = true;      // no value so far has a decimal separator
    std::string& text_;
    std::size_t lines_; // in the whole text
    const Progress& progress_;
    std::vector<Date> dates_; // one per row, in file order
    bool rising_ = true;
    std::size_t previousLine_ = 0;
};
} // namespace

RateTable readRateTable(std::string_view bytes, std::string_view name, const Progress& progress) {
    const Messages messages(name);
    std::string converted;
    const std::string_view utf8 = asUtf8(bytes, converted, messages);
    auto text =
        std::make_shared<std::string>(converted.empty() ? std::string(utf8) : std::move(converted));
    RateTable table = RateFileReader(*text, messages, progress).read();
    table.text = std::move(text);
    return table;
}

} // namespace quiz
