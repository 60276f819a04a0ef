#include "core/turns/turn_memo.h"

namespace quiz {

TurnMemo& TurnMemo::shared() {
    static TurnMemo memo;
    return memo;
}

TurnMemo::Key TurnMemo::keyOf(const TurnPlace& place) {
    return {place.seed, place.taken, place.level, place.data};
}

void TurnMemo::keep(const TurnPlace& place, const TurnOutcome& outcome) {
    const std::lock_guard lock(mutex_);
    if (outcomes_.size() >= mostPlaces_) {
        outcomes_.clear();
    }
    outcomes_.insert_or_assign(keyOf(place), outcome);
}

std::optional<TurnOutcome> TurnMemo::find(const TurnPlace& place) const {
    const std::lock_guard lock(mutex_);
    const auto found = outcomes_.find(keyOf(place));
    if (found == outcomes_.end()) {
        return std::nullopt;
    }
    ++found_;
    return found->second;
}

std::size_t TurnMemo::size() const {
    const std::lock_guard lock(mutex_);
    return outcomes_.size();
}

std::uint64_t TurnMemo::found() const {
    const std::lock_guard lock(mutex_);
    return found_;
}

} // namespace quiz
