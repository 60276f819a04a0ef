#pragma once

// How one random value r becomes each whole number a turn draws.

#include <cstdint>

namespace quiz {

// Generated values sit above the base in whole millionths of the rate.
inline constexpr double kOffsetScale = 1'000'000.0;

// Each scales r in double precision, rounds ties to even, then takes the remainder.

// round(r * 100) mod 6 + 1
std::int16_t currencyNoFrom(float r);

// round(r * 100) mod 2
int sideFrom(float r);

// round(r * kOffsetScale) mod offsetRange; throws std::invalid_argument for a range below 1
std::int32_t offsetFrom(float r, std::int32_t offsetRange);

} // namespace quiz
