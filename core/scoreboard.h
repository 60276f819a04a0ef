#pragma once

// The score of one run of the quiz: answers, right answers, streaks and results per currency.

#include "core/catalogue.h"

#include <array>

namespace quiz {

struct Tally {
    int answered = 0;
    int correct = 0;
};

class Scoreboard {
public:
    // One answered turn of series CurrencyNo (1..kSeriesCount; throws std::out_of_range else).
    void record(int CurrencyNo, bool right);

    const Tally& total() const { return total_; }
    const Tally& currency(int CurrencyNo) const;
    // Right answers in a row up to the latest answer, and the longest such run so far.
    int currentStreak() const { return currentStreak_; }
    int bestStreak() const { return bestStreak_; }

private:
    Tally total_;
    std::array<Tally, kSeriesCount> byCurrency_;
    int currentStreak_ = 0;
    int bestStreak_ = 0;
};

} // namespace quiz
