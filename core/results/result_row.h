#pragma once

// One answered turn as a row of the results CSV (RFC 4180, UTF-8, CR LF).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quiz {

struct ResultRow {
    std::string time;       // local time in ISO 8601, with its offset from UTC
    // The seed of the run, so the turn can be replayed: none in a class folder, where the
    // pupil's own file must not tell it (sealedSeed holds it for the teacher there).
    std::optional<std::uint32_t> seed{};
    int turn = 0;           // 1 for the turn the window opens with
    std::string currency;   // the ISO code, "USD"
    std::string currencyName;
    int realSide = 0;
    int chosenSide = 0;
    double spread = 0.0;
    int decimals = 5; // the data's own precision, at which the spread is written
    int level = 0;
    std::string data;  // "catalogue", "ecb", or a file's name with the start of its SHA-256
    std::string pupil; // who answered: a name given, or the login name
    std::string host;  // the computer's name
    // The run's staircase that dealt the turn and heard its answer, from 1; 0 for none.
    int staircase = 0;
    std::uint64_t run = 0;  // the stream's identity, the same on each of its rows
    std::string sealedSeed{}; // the seed sealed for the teacher; empty without the teacher's key
};

// The first line of every results file, without its line end.
std::string_view csvHeader();
// A run's identity as its rows write it: kRunDigits lowercase hex digits.
std::string runText(std::uint64_t run);
// One row, ended by CR LF. The spread is written at the data's precision, not as the double
// difference (0.06676, not 0.0667599999999999), with "." whatever the user's locale.
std::string csvLine(const ResultRow& row);
// A field as RFC 4180 writes it (csvQuoted), kept under this name for the results' writers.
std::string csvField(std::string_view text, std::string_view separator = ",");

} // namespace quiz
