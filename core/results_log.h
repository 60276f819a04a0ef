#pragma once

// The results log: one CSV row (RFC 4180, UTF-8) per answered turn, appended to a file.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace quiz {

struct ResultRow {
    std::string time;       // local time in ISO 8601, with its offset from UTC
    std::uint32_t seed = 0; // the seed of the run, so the turn can be replayed
    int turn = 0;           // 1 for the turn the window opens with
    int currencyNo = 1;
    int realSide = 0;
    int chosenSide = 0;
    double spread = 0.0;
    int decimals = 5; // the data's own precision, at which the spread is written
};

// The first line of every log.
std::string csvHeader();
// One row, ended by CR LF. The spread is written at the data's precision, not as the double
// difference (0.06676, not 0.0667599999999999), with "." whatever the user's locale.
std::string csvLine(const ResultRow& row);
// A field as RFC 4180 writes it: quoted when it holds a comma, a quote or a line break, and
// also when it starts or ends with a blank, which spreadsheets would otherwise trim.
std::string csvField(std::string_view text);

class ResultsLog {
public:
    // Opens the file for appending, creating it, and writes the header if it is empty; an
    // existing file is never truncated. Returns null, with the reason in `error`, when the
    // file cannot be written.
    static std::unique_ptr<ResultsLog> open(const std::string& path, std::string& error);

    // Takes over an open stream, for logs that are not plain files; writes no header.
    explicit ResultsLog(std::FILE* stream);
    ~ResultsLog();
    ResultsLog(const ResultsLog&) = delete;
    ResultsLog& operator=(const ResultsLog&) = delete;

    // Hands the row to the system at once, so a program killed later loses no answer.
    // Returns false, with the reason in lastError(), when the write fails.
    bool append(const ResultRow& row);
    const std::string& lastError() const { return lastError_; }

private:
    bool write(std::string_view text);

    std::FILE* stream_;
    std::string lastError_;
};

} // namespace quiz
