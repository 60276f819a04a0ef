#pragma once

// The columns of a results file, in order: what the writer's header says and the reader expects.

#include <array>
#include <cstddef>
#include <string_view>

namespace quiz {

// The columns of today's files; an older version's files have the first kOlderWidth.
inline constexpr std::array<std::string_view, 13> kColumns = {
    "time",  "seed",   "turn",  "currency", "currency_name", "real_side", "chosen_side",
    "right", "spread", "level", "data",     "pupil",         "host"};
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
};

} // namespace quiz
