#include "core/quiz/made_up_list.h"

#include "core/quiz/borrowed_moves.h"
#include "core/quiz/iaaft_surrogate.h"
#include "core/quiz/level.h"
#include "core/quiz/list_shape.h"
#include "core/random/own_draws.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>

namespace quiz {

namespace {

using Units = std::vector<std::int64_t>;

Units changesOf(const Units& values) {
    Units changes;
    for (std::size_t i = 1; i < values.size(); ++i) {
        changes.push_back(values[i] - values[i - 1]);
    }
    return changes;
}

Units summedFrom(std::int64_t start, const Units& changes) {
    Units values{start};
    for (const std::int64_t change : changes) {
        values.push_back(values.back() + change);
    }
    return values;
}

double standardDeviation(const Units& changes) {
    if (changes.size() < 2) {
        return 0.0;
    }
    double mean = 0.0;
    for (const std::int64_t change : changes) {
        mean += static_cast<double>(change);
    }
    mean /= static_cast<double>(changes.size());
    double squares = 0.0;
    for (const std::int64_t change : changes) {
        squares += (static_cast<double>(change) - mean) * (static_cast<double>(change) - mean);
    }
    return std::sqrt(squares / static_cast<double>(changes.size() - 1));
}

Units randomWalkSteps(const Units& changes, RandomSource& random) {
    const double deviation = standardDeviation(changes);
    Units steps;
    while (steps.size() < changes.size()) {
        const auto [first, second] = normalPair(random);
        for (const double z : {first, second}) {
            if (steps.size() < changes.size()) {
                steps.push_back(static_cast<std::int64_t>(std::floor(deviation * z + 0.5)));
            }
        }
    }
    return steps;
}

// Moves scaled far up or down lose the real moves' grain; a scale of 2 weighs as much as a
// statistic two spreads away.
constexpr double kScaleWeight = 4.0;

// Of kOtherWindowDraws other windows, their largest move and their drift set as `target`
// says, the one nearest it in what no reordering changes, at a scale near 1.
Units fromAnotherDay(const Units& real, const Shape& target, RandomSource& random,
                     const OtherWindows& others) {
    // Ending on the real list's side, so that the values below the first can be as many.
    const double side = real.back() < real.front() ? -1.0 : 1.0;
    const double endShare = side * std::clamp(target[kStartToEnd], 0.0, 1.0);
    Units best;
    double nearest = INFINITY;
    for (int draw = 0; draw < kOtherWindowDraws; ++draw) {
        const BorrowedMoves moves =
            borrowedMoves(real, others.take(indexFrom(random.next(), others.count)));
        Units drifted = withDrift(withLargestShare(moves.units, target[kLargestShare]), endShare);
        const double scale = std::max(moves.scaledBy, 1.0 / moves.scaledBy) - 1.0;
        const double distance =
            orderFreeDistance(shapeOf(drifted), target) + kScaleWeight * scale * scale;
        if (distance < nearest) {
            nearest = distance;
            best = std::move(drifted);
        }
    }
    return best;
}

} // namespace

std::vector<std::int64_t> madeUpUnits(int level, const std::vector<std::int64_t>& real,
                                      RandomSource& random, const OtherWindows& others,
                                      const Finish& finish) {
    if (real.empty()) {
        throw std::invalid_argument("a made-up list needs a real one to start from");
    }
    if (level < 1 || level >= kLevelCount) {
        throw std::out_of_range("no made-up list for level " + std::to_string(level));
    }
    if (level == 1 || real.size() < 3) {
        return summedFrom(real.front(), level == 1 ? randomWalkSteps(changesOf(real), random)
                                                   : changesOf(real));
    }
    const bool moves =
        std::adjacent_find(real.begin(), real.end(), std::not_equal_to<>()) != real.end();
    Units changes = changesOf(real);
    const Shape target = shapeNear(shapeOf(real), random);
    if (level == 4 && others.count > 0 && others.take && moves) {
        changes = changesOf(fromAnotherDay(real, target, random, others));
    } else if (level == 2) {
        shuffle(changes, random);
    } else {
        changes = iaaftSurrogate(changes, random);
    }
    return climbTowards(target, real.front(), std::move(changes), random, finish);
}

} // namespace quiz
