#pragma once

// The score of one run of the quiz: answers, right answers, streaks, and results per level and
// per currency.

#include "core/turns/level.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quiz {

struct Tally {
    int answered = 0;
    int correct = 0;
};

class Scoreboard {
public:
    // One answered turn of the named currency at `level` (throws std::out_of_range for a level
    // that does not exist, counting the answer nowhere).
    void record(std::string_view currency, int level, bool right);

    const Tally& total() const { return total_; }
    const Tally& level(int level) const;
    // Each currency answered, in the order first answered.
    const std::vector<std::pair<std::string, Tally>>& currencies() const { return currencies_; }
    // Right answers in a row up to the latest answer, and the longest such run so far.
    int currentStreak() const { return currentStreak_; }
    int bestStreak() const { return bestStreak_; }

private:
    Tally total_;
    std::array<Tally, kLevelCount> byLevel_;
    std::vector<std::pair<std::string, Tally>> currencies_;
    int currentStreak_ = 0;
    int bestStreak_ = 0;
};

} // namespace quiz
