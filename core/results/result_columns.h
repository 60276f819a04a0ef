#pragma once

// The columns of a results file, in order: what the writer's header says and the reader expects.

#include <array>
#include <cstddef>
#include <string_view>

namespace quiz {

// The columns of today's files; older versions' files have the first kPreviousWidth or
// kOlderWidth, and do not tell which turns a staircase dealt.
inline constexpr std::array<std::string_view, 14> kColumns = {
    "time",  "seed",   "turn",  "currency", "currency_name", "real_side", "chosen_side",
    "right", "spread", "level", "data",     "pupil",         "host",      "staircase"};
inline constexpr std::size_t kPreviousWidth = 13;
inline constexpr std::size_t kOlderWidth = 9;
enum Column : std::size_t {
    kTime,
    kSeed,
    kTurn,
    kCurrency,
    kCurrencyName,
    kRealSide,
    kChosenSide,
    kRight,
    kSpread,
    kLevel,
    kData,
    kPupil,
    kHost,
    kStaircase,
};

} // namespace quiz
