#include "core/network_lesson/wrong_code_limit.h"

#include <algorithm>

namespace quiz {

WrongCodeLimit::WrongCodeLimit(Limits limits) : limits_(limits) {}

void WrongCodeLimit::forgetBefore(std::deque<LessonTime>& wrong, LessonTime now) const {
    while (!wrong.empty() && wrong.front() <= now - limits_.window) {
        wrong.pop_front();
    }
}

bool WrongCodeLimit::blocked(std::string_view address, LessonTime now) {
    const auto entry = wrong_.find(address);
    if (entry == wrong_.end()) {
        return false;
    }
    forgetBefore(entry->second, now);
    if (entry->second.empty()) {
        wrong_.erase(entry);
        return false;
    }
    return static_cast<int>(entry->second.size()) >= limits_.allowed;
}

void WrongCodeLimit::recordWrong(std::string_view address, LessonTime now) {
    auto entry = wrong_.find(address);
    if (entry == wrong_.end()) {
        makeRoom(now);
        entry = wrong_.emplace(std::string(address), std::deque<LessonTime>{}).first;
    }
    forgetBefore(entry->second, now);
    entry->second.push_back(now);
    // More than `allowed` are never needed to tell it is blocked.
    while (static_cast<int>(entry->second.size()) > std::max(limits_.allowed, 1)) {
        entry->second.pop_front();
    }
}

// Addresses whose window has passed go first; past the bound, the one with the fewest wrong
// codes, the one quiet the longest among them.
void WrongCodeLimit::makeRoom(LessonTime now) {
    if (wrong_.size() < limits_.addresses) {
        return;
    }
    std::erase_if(wrong_, [&](const auto& entry) {
        return entry.second.empty() || entry.second.back() <= now - limits_.window;
    });
    // An address that tried few codes is dropped before one that is blocked.
    while (!wrong_.empty() && wrong_.size() >= limits_.addresses) {
        const auto least =
            std::min_element(wrong_.begin(), wrong_.end(), [](const auto& a, const auto& b) {
                return std::pair(a.second.size(), a.second.back()) <
                       std::pair(b.second.size(), b.second.back());
            });
        wrong_.erase(least);
    }
}

} // namespace quiz
