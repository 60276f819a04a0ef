#pragma once

// How the levels above 0 make up a list from a real window's day-to-day changes.

#include "core/data/data_set.h"
#include "core/random/random_source.h"
#include "core/turns/list_shape.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace quiz {

// The other windows level 4 may take its moves from: how many, and each by number.
struct OtherWindows {
    std::size_t count = 0;
    std::function<OtherWindow(std::size_t)> take;
};

// Level 4 draws this many other windows and takes the one nearest the real list in shape.
inline constexpr int kOtherWindowDraws = 256;

// `real` holds the real values in whole units of their last decimal, oldest first. The
// made-up list starts at the same value, has as many, and is summed from changes:
//   1  random walk: normal steps with the real changes' standard deviation, rounded to a unit
//      (one draw per change, Box–Muller in pairs: 42 draws for a turn's 42 changes);
// Levels 2 to 4 first aim at a shape near the real list's (shapeNear, kShapeStatistics draws),
// then take changes:
//   2  the real changes shuffled (41 draws);
//   3  an IAAFT surrogate of the real changes (41 draws);
//   4  the moves of another window of the currency, sized as the real ones (borrowedMoves):
//      of kOtherWindowDraws windows drawn from `others`, one draw each, the one nearest the
//      aim in what no order changes, at a scale near 1; with no other window, or a real list
//      that never moves, level 3's surrogate;
// and reorder them towards the aim (climbTowards, 2 * kClimbSwaps draws), so that no one
// statistic of the shape tells the lists apart. Level 4's moves are then sized so that, as
// shown, they add up to the real ones' within 2 % either way (one draw). Levels 2 and 3 keep the multiset of changes,
// so they end on the real last value too.
// Throws std::out_of_range for another level.
// The shape is judged on the list as `finish` leaves it, level 4's size on the list as
// `shown` does (all that is done to it before it is shown; `finish` when none is given).
std::vector<std::int64_t> madeUpUnits(int level, const std::vector<std::int64_t>& real,
                                      RandomSource& random, const OtherWindows& others = {},
                                      const Finish& finish = {}, const Finish& shown = {});

} // namespace quiz
