#pragma once

// The columns of a results file, in order: what the writer's header says and the reader expects.

#include <array>
#include <cstddef>
#include <string_view>

namespace quiz {

// The columns of today's files; older versions' files have the first kOlderWidth or
// kPlainSeedWidth, with the seed always written out and no staircase told.
inline constexpr std::array<std::string_view, 16> kColumns = {
    "time",  "seed",   "turn",  "currency", "currency_name", "real_side", "chosen_side",
    "right", "spread", "level", "data",     "pupil",         "host",      "staircase",
    "run",   "sealed_seed"};
inline constexpr std::size_t kOlderWidth = 9;
inline constexpr std::size_t kPlainSeedWidth = 13;
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
    kRun,
    kSealedSeed,
};
// A run's identity: as many hex digits as 64 bits take.
inline constexpr std::size_t kRunDigits = 16;

} // namespace quiz
