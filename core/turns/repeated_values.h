#pragma once

// Made-up values written twice, and equal neighbours, as often as the real list has them.

#include "core/turns/quoted_precision.h"

#include <cstdint>
#include <vector>

namespace quiz {

struct Repeats {
    int writtenTwice = 0;    // values equal to an earlier one
    int equalNeighbours = 0; // values equal to the one before

    bool operator==(const Repeats&) const = default;
};

Repeats repeatsOf(const std::vector<std::int64_t>& values);

// Moves values of `made` (never its first or last) until it repeats as `real` does: joining
// the nearest unequal neighbours or the nearest values apart, or moving a repeated value away
// by the steps `form` allows, each move kept as `form` quoted its place. Stops, leaving the
// rest, where no move is left (a list too short or too flat to take one).
void repeatAsReal(std::vector<std::int64_t>& made, const std::vector<std::int64_t>& real,
                  const QuotedForm& form);

} // namespace quiz
