#pragma once

// A rule that knows how the made-up lists are made and tries to rebuild one list from the
// other: the rule a program, or a pupil with a spreadsheet, would use against the generator.

#include <array>
#include <string>
#include <vector>

namespace quiz {

// For each way round (one list taken as real, the other as made up from it), how well the
// made-up one is explained: first as the real changes replayed rotated by 1 to 41 places,
// forwards or reversed, within the few units quoting moves a value; failing that, as the real
// changes in another order, counting the made-up changes that are not among the real ones
// (where neither end could have been moved by quoting). Score 1 if it picks realSide, 0 if the
// other list, 0.5 when both ways explain it as well. Throws std::invalid_argument for a
// realSide other than 0 or 1, lists of other lengths, or texts that are not plain decimals.
double rebuildScore(const std::array<std::vector<std::string>, 2>& lists, int realSide);

// Whether `made` is `real`'s changes rotated by 1 to 41 places, forwards or reversed, summed
// from its first value, but for the few units and places quoting and repeating move.
bool rebuiltByRotation(const std::vector<std::string>& real, const std::vector<std::string>& made);

} // namespace quiz
