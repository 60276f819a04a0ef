#include "core/scoreboard.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quiz {

namespace {

std::size_t seriesIndex(int CurrencyNo) {
    if (CurrencyNo < 1 || CurrencyNo > kSeriesCount) {
        throw std::out_of_range("no currency series " + std::to_string(CurrencyNo));
    }
    return static_cast<std::size_t>(CurrencyNo - 1);
}

void add(Tally& tally, bool right) {
    ++tally.answered;
    tally.correct += right ? 1 : 0;
}

} // namespace

void Scoreboard::record(int CurrencyNo, bool right) {
    add(byCurrency_[seriesIndex(CurrencyNo)], right);
    add(total_, right);
    currentStreak_ = right ? currentStreak_ + 1 : 0;
    bestStreak_ = std::max(bestStreak_, currentStreak_);
}

const Tally& Scoreboard::currency(int CurrencyNo) const {
    return byCurrency_[seriesIndex(CurrencyNo)];
}

} // namespace quiz
