#pragma once

// The built-in ECB extract as a compact table, read from data/eurofxref-extract.csv at build
// time (tools/ecb_table), so that choosing it costs no reading and no memory at start.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quiz {

// A stretch of window starts, counted from the start of a run, whose values move.
struct EcbStretch {
    std::uint32_t first;
    std::uint32_t count;
};

// One unbroken run of a column, oldest first, with at least one window whose values move.
struct EcbRun {
    const char* code;          // "USD"
    std::uint32_t firstRow;    // the date of its first value, in date order
    std::uint32_t length;      // values
    std::uint32_t firstValue;  // in textPlaces
    std::uint32_t firstStretch;
    std::uint32_t stretchCount;
};

struct EcbTable {
    static constexpr std::size_t kDateBytes = 10;
    static constexpr std::size_t kDatesPerPiece = 1600;
    // A place is piece << 19 | offset in the piece << 5 | length.
    static constexpr int kLengthBits = 5;
    static constexpr int kOffsetBits = 14;

    std::span<const char* const> datePieces; // every row's date, "YYYY-MM-DD", back to back
    std::size_t rowCount;
    std::span<const char* const> textPieces; // every value as written, back to back
    std::span<const std::uint32_t> textPlaces;
    std::span<const EcbRun> runs;
    std::span<const EcbStretch> stretches;

    std::string_view date(std::size_t row) const {
        return {datePieces[row / kDatesPerPiece] + (row % kDatesPerPiece) * kDateBytes,
                kDateBytes};
    }
    std::string_view text(std::size_t value) const {
        const std::uint32_t place = textPlaces[value];
        const std::uint32_t length = place & ((1U << kLengthBits) - 1);
        const std::uint32_t offset = (place >> kLengthBits) & ((1U << kOffsetBits) - 1);
        return {textPieces[place >> (kLengthBits + kOffsetBits)] + offset, length};
    }
};

const EcbTable& ecbTable();

} // namespace quiz
