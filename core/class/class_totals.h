#pragma once

// The class's totals from the answers that count: every answer once, each run replayed from its
// seed, each pupil's reached level and verdict.

#include "core/class/answer_row.h"
#include "core/class/class_results.h"

#include <optional>
#include <vector>

namespace quiz {

// The level reached over all of a pupil's turns that a staircase dealt, in every run of theirs,
// `answers` in time order: restarting until one short run is lucky does not pay.
std::optional<ReachedLevel> lessonReached(const std::vector<const Answer*>& answers);

// Each pupil judged above level 0 is one more test: their verdicts, and the class's count of
// them, allow for how many were tested together.
void judgeTogether(std::vector<PupilSummary>& pupils, ClassSummary& summary);

} // namespace quiz
