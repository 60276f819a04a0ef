#include "core/scoring/scoreboard.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quiz {

namespace {

std::size_t levelIndex(int level) {
    if (!isLevel(level)) {
        throw std::out_of_range("no difficulty level " + std::to_string(level));
    }
    return static_cast<std::size_t>(level);
}

void add(Tally& tally, bool right) {
    ++tally.answered;
    tally.correct += right ? 1 : 0;
}

} // namespace

void Scoreboard::record(std::string_view currency, int level, bool right) {
    add(byLevel_[levelIndex(level)], right);
    auto entry = std::find_if(currencies_.begin(), currencies_.end(),
                              [&](const auto& known) { return known.first == currency; });
    if (entry == currencies_.end()) {
        entry = currencies_.insert(currencies_.end(), {std::string(currency), Tally{}});
    }
    add(entry->second, right);
    add(total_, right);
    currentStreak_ = right ? currentStreak_ + 1 : 0;
    bestStreak_ = std::max(bestStreak_, currentStreak_);
}

const Tally& Scoreboard::level(int level) const {
    return byLevel_[levelIndex(level)];
}

} // namespace quiz
