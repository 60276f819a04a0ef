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

// round(r * kOffsetScale) mod offsetRange; throws std::invalid_argument for a range below 1.
// A range wider than kOffsetScale (data far from 1, such as rupiahs) is drawn as
// floor(r * offsetRange) instead, so that every offset can still come up.
std::int64_t offsetFrom(float r, std::int64_t offsetRange);

} // namespace quiz
