#pragma once

// How one random value r becomes each whole number a turn draws.

#include <cstdint>

namespace quiz {

// Generated values sit above the base in whole millionths of the rate.
inline constexpr double kOffsetScale = 1'000'000.0;

// Each scales r in double precision, rounds ties to even, then takes the remainder.
std::int16_t currencyNoFrom(float r); // round(r * 100) mod 6 + 1
int sideFrom(float r);                // round(r * 100) mod 2
std::int32_t offsetFrom(float r,
                        std::int32_t offsetRange); // round(r * kOffsetScale) mod offsetRange

} // namespace quiz
