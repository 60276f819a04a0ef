#pragma once

// Turning a scaled random value or spread into a whole number.

#include <cstdint>

namespace quiz {

// Nearest whole number, ties to even: 12.5 gives 12, 13.5 gives 14, 99.5 gives 100.
// Throws std::range_error when x is not finite or the result does not fit 32 bits.
std::int32_t roundHalfEven(double x);

} // namespace quiz
