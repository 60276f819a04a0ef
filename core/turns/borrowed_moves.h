#pragma once

// Level 4's made-up list: the day-to-day moves of another window of the currency, sized as the
// real ones are, so that nothing shown can rebuild it from the real list.

#include "core/data/data_set.h"

#include <cstdint>
#include <vector>

namespace quiz {

struct BorrowedMoves {
    std::vector<std::int64_t> units;
    double scaledBy = 1.0; // how much larger the moves were made
};

// Starts at the real list's first value and moves, in proportion, as `other` does, scaled so
// that the moves add up to the real ones' (sums of |changes|); rounded to whole units. `real`
// is in whole units, moving; `other` has as many values, all above zero, and moves too.
BorrowedMoves borrowedMoves(const std::vector<std::int64_t>& real, const OtherWindow& other);

// The same moves with a steady drift added and then sized back to the same sum of |changes|,
// so that the list ends `endShare` (-1 to 1) of that sum above where it starts; rounded to
// whole units. Another day's moves
// rarely wander as far as the real ones did, and the sum alone does not say how far.
std::vector<std::int64_t> withDrift(const std::vector<std::int64_t>& made, double endShare);

// The same moves with the largest one (the first of equals) made `share` of the sum of
// |changes| and the others sized to keep that sum, though never below the next largest;
// rounded to whole units. One wild day of the real list is rarely met in another window.
std::vector<std::int64_t> withLargestShare(const std::vector<std::int64_t>& made, double share);

} // namespace quiz
