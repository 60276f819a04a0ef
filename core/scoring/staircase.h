#pragma once

// The level that adapts to each pupil: a three-down-one-up staircase over the levels, and the
// level a pupil reached on it.

#include "core/text/number_style.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quiz {

// One answered turn as the results file logs it.
struct LevelAnswer {
    int level = 0;
    bool right = false;
    // Which staircase dealt the turn (see staircaseId): the same for all of one staircase's
    // turns, another after each restart. 0: none did, as at a fixed or a menu-chosen level.
    std::uint64_t staircase = 0;
};

// A staircase as the rows name it: the stream of turns that wrote them (the run's identity, or
// its seed where only that is known) and the staircase's number in it, from 1. 0 for a turn no
// staircase dealt.
std::uint64_t staircaseId(std::uint64_t stream, int staircase);

inline constexpr int kReversalsAveraged = 6;
inline constexpr int kFewestReversals = 2; // fewer: the latest level stands in for the mean

// The mean level of the staircases' last reversals, where one turned from climbing to falling
// or back.
struct ReachedLevel {
    double level = 0.0;
    // How many reversals were found, all staircases together. Below kReversalsAveraged the
    // level is only so far: the mean of the last even number of them, or with fewer than
    // kFewestReversals the level of the latest answer.
    int reversals = 0;

    bool settled() const { return reversals >= kReversalsAveraged; }
    bool operator==(const ReachedLevel&) const = default;
};

// The reached level of answers in the order they were given; only the turns a staircase dealt
// count, each staircase's moves read apart from the others', so a restart at the first level is
// no move. Reversals are read from the levels alone: a change of direction between one move of
// a staircase and its next. All staircases' reversals are taken together in the order they came
// and the mean is over the last kReversalsAveraged, an even number so that as many tops as
// bottoms count: a lucky short run after others weighs only as much as its own reversals. None
// when no staircase ever moved: fixed levels, or a staircase not yet under way.
std::optional<ReachedLevel> reachedLevel(std::span<const LevelAnswer> answers);

// A reached level as people and spreadsheets read it: at most two decimals, trailing zeros
// dropped ("2.17", "2.5", "2", "0").
std::string reachedLevelText(double level, const NumberStyle& style);

// Three right answers in a row at a level deal the next turn one level harder, a wrong one one
// level easier, within the levels there are. Such a staircase settles where a pupil is right
// about 79 % of the time (where p cubed is one half).
class Staircase {
public:
    static constexpr int kStartLevel = 1;
    static constexpr int kRightToClimb = 3;

    // The staircase that goes on where `answers`, the latest answers to one staircase's turns
    // in the order given, left it: their levels alone tell its level and its rights in a row
    // there, as the rows written for them do after a restart. None: a staircase at its start.
    static Staircase continuing(std::span<const LevelAnswer> answers);

    // The level to deal the next turn at.
    int level() const { return level_; }
    // The answer to a turn dealt at level().
    void record(bool right);
    // The answers recorded so far, with the level each was dealt at, all of staircase 1.
    const std::vector<LevelAnswer>& answers() const { return answers_; }
    std::optional<ReachedLevel> reached() const { return reachedLevel(answers_); }

private:
    int level_ = kStartLevel;
    int rightInARow_ = 0;
    std::vector<LevelAnswer> answers_;
};

} // namespace quiz
