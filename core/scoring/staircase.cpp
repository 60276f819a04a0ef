#include "core/scoring/staircase.h"

#include "core/text/number_text.h"
#include "core/turns/level.h"

#include <algorithm>
#include <cmath>

namespace quiz {

std::uint64_t staircaseId(std::uint64_t stream, int staircase) {
    // A run restarts its staircase a handful of times; its identity keeps the rest of the bits.
    constexpr int kStaircaseBits = 16;
    if (staircase <= 0) {
        return 0;
    }
    return (stream << kStaircaseBits) ^ static_cast<std::uint64_t>(staircase);
}

namespace {

// Where one staircase stands: its latest level, and its latest move.
struct StaircasePath {
    std::uint64_t staircase = 0;
    int level = 0;
    int step = 0; // +1 climbing, -1 falling, 0 before the first move
};

double meanOfLast(const std::vector<int>& reversals) {
    const int count = static_cast<int>(reversals.size());
    const int used = std::min(count, kReversalsAveraged) / 2 * 2;
    double sum = 0.0;
    for (auto level = reversals.end() - used; level != reversals.end(); ++level) {
        sum += *level;
    }
    return sum / used;
}

} // namespace

std::optional<ReachedLevel> reachedLevel(std::span<const LevelAnswer> answers) {
    std::vector<StaircasePath> paths; // seldom more than a few
    std::vector<int> reversals;
    const LevelAnswer* latest = nullptr;
    bool moved = false;
    for (const LevelAnswer& answer : answers) {
        if (answer.staircase == 0) {
            continue;
        }
        latest = &answer;
        const auto path = std::find_if(paths.begin(), paths.end(), [&](const StaircasePath& p) {
            return p.staircase == answer.staircase;
        });
        if (path == paths.end()) {
            paths.push_back({.staircase = answer.staircase, .level = answer.level, .step = 0});
            continue;
        }
        if (answer.level == path->level) {
            continue;
        }
        const int step = answer.level > path->level ? 1 : -1;
        if (path->step != 0 && step != path->step) {
            reversals.push_back(path->level);
        }
        path->step = step;
        path->level = answer.level;
        moved = true;
    }
    if (!moved) {
        return std::nullopt;
    }
    const int count = static_cast<int>(reversals.size());
    if (count < kFewestReversals) {
        return ReachedLevel{.level = static_cast<double>(latest->level), .reversals = count};
    }
    return ReachedLevel{.level = meanOfLast(reversals), .reversals = count};
}

std::string reachedLevelText(double level, const NumberStyle& style) {
    constexpr double kHundredths = 100.0;
    return defaultText(std::round(level * kHundredths) / kHundredths, style);
}

Staircase Staircase::continuing(std::span<const LevelAnswer> answers) {
    Staircase staircase;
    if (answers.empty()) {
        return staircase;
    }
    const LevelAnswer& last = answers.back();
    // Rights at the last level since it was reached: a move or a wrong answer ends the run.
    int rights = 0;
    for (auto answer = answers.rbegin();
         answer != answers.rend() && answer->right && answer->level == last.level; ++answer) {
        ++rights;
    }
    staircase.level_ = std::clamp(last.level, 0, kLevelCount - 1);
    for (const LevelAnswer& answer : answers) {
        staircase.answers_.push_back(
            {.level = answer.level, .right = answer.right, .staircase = 1});
    }
    if (!last.right) {
        staircase.level_ = std::max(staircase.level_ - 1, 0);
    } else if (rights % kRightToClimb == 0) {
        staircase.level_ = std::min(staircase.level_ + 1, kLevelCount - 1);
    } else {
        staircase.rightInARow_ = rights % kRightToClimb;
    }
    return staircase;
}

void Staircase::record(bool right) {
    answers_.push_back({.level = level_, .right = right, .staircase = 1});
    if (!right) {
        rightInARow_ = 0;
        level_ = std::max(level_ - 1, 0);
        return;
    }
    if (++rightInARow_ == kRightToClimb) {
        rightInARow_ = 0;
        level_ = std::min(level_ + 1, kLevelCount - 1);
    }
}

} // namespace quiz
