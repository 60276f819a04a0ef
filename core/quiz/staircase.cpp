#include "core/quiz/staircase.h"

#include "core/quiz/level.h"
#include "core/text/number_text.h"

#include <algorithm>
#include <cmath>

namespace quiz {

std::optional<ReachedLevel> reachedLevel(std::span<const LevelAnswer> answers) {
    std::vector<int> reversals;
    int lastStep = 0; // +1 climbing, -1 falling, 0 before the first move
    for (std::size_t i = 1; i < answers.size(); ++i) {
        const int from = answers[i - 1].level;
        const int to = answers[i].level;
        if (to == from) {
            continue;
        }
        const int step = to > from ? 1 : -1;
        if (lastStep != 0 && step != lastStep) {
            reversals.push_back(from);
        }
        lastStep = step;
    }
    if (lastStep == 0) {
        return std::nullopt;
    }
    const int count = static_cast<int>(reversals.size());
    if (count < kFewestReversals) {
        return ReachedLevel{.level = static_cast<double>(answers.back().level), .reversals = 0};
    }
    const int used = std::min(count, kReversalsAveraged) / 2 * 2;
    double sum = 0.0;
    for (auto level = reversals.end() - used; level != reversals.end(); ++level) {
        sum += *level;
    }
    return ReachedLevel{.level = sum / used, .reversals = used};
}

std::string reachedLevelText(double level, const NumberStyle& style) {
    constexpr double kHundredths = 100.0;
    return defaultText(std::round(level * kHundredths) / kHundredths, style);
}

void Staircase::record(bool right) {
    answers_.push_back({.level = level_, .right = right});
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
