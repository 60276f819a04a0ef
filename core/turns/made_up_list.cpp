#include "core/turns/made_up_list.h"

#include "core/random/own_draws.h"
#include "core/turns/borrowed_moves.h"
#include "core/turns/iaaft_surrogate.h"
#include "core/turns/level.h"
#include "core/turns/list_shape.h"

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
constexpr double kSizeSpread = 0.02;
// A window whose largest move is already the one wanted is kept before one resized to it:
// resizing it shrinks or stretches all the others.
constexpr double kResizedWeight = 1000.0;

// Of kOtherWindowDraws other windows, their largest move and their drift set as `target`
// says, the one nearest it in what no reordering changes, at a scale near 1.
// Sum of |changes|.
double sumOfSteps(const Units& values) {
    double sum = 0.0;
    for (std::size_t i = 1; i < values.size(); ++i) {
        sum += static_cast<double>(std::abs(values[i] - values[i - 1]));
    }
    return sum;
}

// The moves of `made` sized so that, once finished, they add up to `wanted`: quoting and
// repeating roughen a list of small moves, and the real list was not roughened.
Units sizedWhenFinished(Units made, double wanted, const Finish& finish) {
    constexpr int kRounds = 3;
    const std::int64_t first = made.front();
    for (int round = 0; round < kRounds && finish; ++round) {
        Units finished = made;
        finish(finished);
        const double had = sumOfSteps(finished);
        if (!(had > 0.0)) {
            break;
        }
        const double ratio = wanted / had;
        for (std::int64_t& value : made) {
            value = first + static_cast<std::int64_t>(
                                std::floor(static_cast<double>(value - first) * ratio + 0.5));
        }
    }
    return made;
}

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
        const double resized = shapeOf(moves.units)[kLargestShare] - target[kLargestShare];
        const double scale = std::max(moves.scaledBy, 1.0 / moves.scaledBy) - 1.0;
        const double distance =
            orderFreeDistance(shapeOf(drifted), target) + kScaleWeight * scale * scale +
            kResizedWeight * resized * resized;
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
                                      const Finish& finish, const Finish& shown) {
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
    const bool borrowed = level == 4 && others.count > 0 && others.take && moves;
    if (borrowed) {
        changes = changesOf(fromAnotherDay(real, target, random, others));
    } else if (level == 2) {
        shuffle(changes, random);
    } else {
        changes = iaaftSurrogate(changes, random);
    }
    Units made = climbTowards(target, real.front(), std::move(changes), random, finish);
    if (level != 4 || !borrowed) {
        return made;
    }
    // Up to kSizeSpread more or less, drawn, so that what rounding leaves over falls either way.
    const double size = 1.0 + kSizeSpread * (2.0 * static_cast<double>(random.next()) - 1.0);
    return sizedWhenFinished(std::move(made), size * sumOfSteps(real), shown ? shown : finish);
}

} // namespace quiz
