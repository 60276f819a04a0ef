#pragma once

// The level that adapts to each pupil: a three-down-one-up staircase over the levels, and the
// level a pupil reached on it.

#include "core/text/number_style.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quiz {

// One answered turn as the results file logs it.
struct LevelAnswer {
    int level = 0;
    bool right = false;
};

// The mean level of the staircase's last reversals, where it turned from climbing to falling
// or back.
struct ReachedLevel {
    double level = 0.0;
    // How many reversals the mean is over. 0: too few reversals yet, and `level` is only the
    // level of the latest answer.
    int reversals = 0;

    bool operator==(const ReachedLevel&) const = default;
};

// The reached level of answers in the order they were given. Reversals are read from the
// levels alone: a change of direction between one move of the level and the next. The mean is
// over the last kReversalsAveraged of them, an even number so that as many tops as bottoms
// count. None when the level never moved: a fixed level, or a staircase not yet under way.
std::optional<ReachedLevel> reachedLevel(std::span<const LevelAnswer> answers);

// A reached level as people and spreadsheets read it: at most two decimals, trailing zeros
// dropped ("2.17", "2.5", "2", "0").
std::string reachedLevelText(double level, const NumberStyle& style);

inline constexpr int kReversalsAveraged = 6;
inline constexpr int kFewestReversals = 2; // fewer: the latest level stands in for the mean

// Three right answers in a row at a level deal the next turn one level harder, a wrong one one
// level easier, within the levels there are. Such a staircase settles where a pupil is right
// about 79 % of the time (where p cubed is one half).
class Staircase {
public:
    static constexpr int kStartLevel = 1;
    static constexpr int kRightToClimb = 3;

    // The level to deal the next turn at.
    int level() const { return level_; }
    // The answer to a turn dealt at level().
    void record(bool right);
    // The answers recorded so far, with the level each was dealt at.
    const std::vector<LevelAnswer>& answers() const { return answers_; }
    std::optional<ReachedLevel> reached() const { return reachedLevel(answers_); }

private:
    int level_ = kStartLevel;
    int rightInARow_ = 0;
    std::vector<LevelAnswer> answers_;
};

} // namespace quiz
