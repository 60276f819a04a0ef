#pragma once

// How the levels above 0 make up a list from a real window's day-to-day changes.

#include "core/random/random_source.h"

#include <cstdint>
#include <vector>

namespace quiz {

// `real` holds the real values in whole units of their last decimal, oldest first. The
// made-up list starts at the same value, has as many, and is summed from changes:
//   1  random walk: normal steps with the real changes' standard deviation, rounded to a unit
//      (one draw per change, Box–Muller in pairs: 42 draws for a turn's 42 changes);
//   2  the real changes shuffled (41 draws);
//   3  an IAAFT surrogate of the real changes (41 draws);
//   4  the real changes rotated by 1 to 41 places, wrapping round, and reversed in time half
//      of the time (2 draws).
// Levels 2 to 4 keep the multiset of changes, so they end on the real last value too.
// Throws std::out_of_range for another level.
std::vector<std::int64_t> madeUpUnits(int level, const std::vector<std::int64_t>& real,
                                      RandomSource& random);

} // namespace quiz
