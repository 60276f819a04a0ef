#pragma once

// A surrogate of a short sequence: the same values, re-ordered so that their spectrum, and so
// their autocorrelation, matches the original's (IAAFT, Schreiber & Schmitz 1996).

#include "core/random/random_source.h"

#include <cstdint>
#include <vector>

namespace quiz {

// Starts from a shuffle of `values` (size - 1 draws), then alternates between the original's
// Fourier amplitudes and its values in rank order until the order settles (at most 100 rounds).
// The result holds exactly the values given, in another order. A direct DFT is enough for the
// 42 changes of a turn, and its twiddles come from portable functions, so every system deals the
// same surrogate for a seed.
std::vector<std::int64_t> iaaftSurrogate(const std::vector<std::int64_t>& values,
                                         RandomSource& random);

} // namespace quiz
