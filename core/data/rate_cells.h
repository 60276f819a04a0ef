#pragma once

// The characters of a rate file's cells, and whether a cell can be a value: the checks every
// value passes, kept inline as they run once a cell.

#include "core/data/rate_file_reasons.h"
#include "core/data/rate_rounding.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quiz::rates {

// How many lines the text has, each ended by LF, CR LF or CR as records count them; found at
// memchr's speed rather than by a loop over every byte.
std::size_t lineCount(std::string_view text);

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

inline bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

inline std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Kinds of character, one bit each, so that a single pass over a field tells whether it can be
// a value.
enum : std::uint8_t {
    kZero = 1,
    kNonZero = 2,
    kPoint = 4,
    kComma = 8,
    kBlank = 16,
    kOther = 32,
};

using CharKinds = std::array<std::uint8_t, 256>;

inline constexpr CharKinds kCharKinds = [] {
    CharKinds kinds{};
    kinds.fill(kOther);
    kinds['0'] = kZero;
    for (char c = '1'; c <= '9'; ++c) {
        kinds[static_cast<unsigned char>(c)] = kNonZero;
    }
    kinds['.'] = kPoint;
    kinds[','] = kComma;
    kinds[' '] = kinds['\t'] = kBlank;
    return kinds;
}();

// What a text is made of: every kind of character in it, and how many decimal separators.
struct Makeup {
    std::uint8_t kinds = 0;
    std::size_t separators = 0;

    void add(std::uint8_t kind) {
        kinds |= kind;
        separators += (kind & (kPoint | kComma)) != 0 ? 1 : 0;
    }
};

inline Makeup makeup(std::string_view text) {
    Makeup makeup;
    for (const char c : text) {
        makeup.add(kCharKinds[static_cast<unsigned char>(c)]);
    }
    return makeup;
}

inline constexpr std::size_t kMaxDigits = kMaxRateDigits;

inline bool isMissing(std::string_view cell) {
    return cell.empty() || cell == "N/A" || cell == "n/a";
}

// Digits with at most one separator, "." or ",", between two of them.
inline bool isNumberShaped(std::string_view cell, const Makeup& makeup) {
    return (makeup.kinds & (kBlank | kOther)) == 0 && makeup.separators <= 1 &&
           isDigit(cell.front()) && isDigit(cell.back());
}

// What is wrong with a trimmed cell that is not missing, or none when nothing is: a value is
// shaped as a number, not too long, and not only zeros.
inline std::optional<RateReason> valueProblem(std::string_view cell, const Makeup& makeup) {
    if (!isNumberShaped(cell, makeup)) {
        return RateReason::NotANumber;
    }
    if (cell.size() - makeup.separators > kMaxDigits) {
        return RateReason::TooManyDigits;
    }
    return (makeup.kinds & kNonZero) != 0 ? std::nullopt : std::optional{RateReason::NotPositive};
}

// What is wrong with a cell that is no number: with a minus sign before one, it is a number
// that is not positive, as zero is not.
RateReason notANumberProblem(std::string_view cell);

} // namespace quiz::rates
