#include "core/quiz/made_up_list.h"

#include "core/quiz/iaaft_surrogate.h"
#include "core/random/own_draws.h"

#include <algorithm>
#include <cmath>
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

Units replayedFromAnotherDay(Units changes, RandomSource& random) {
    if (changes.size() < 2) {
        return changes;
    }
    // Never by 0 places: that would replay the real list itself.
    const std::size_t shift = 1 + indexFrom(random.next(), changes.size() - 1);
    std::rotate(changes.begin(), changes.begin() + static_cast<std::ptrdiff_t>(shift),
                changes.end());
    if (random.next() < 0.5F) {
        std::reverse(changes.begin(), changes.end());
    }
    return changes;
}

} // namespace

std::vector<std::int64_t> madeUpUnits(int level, const std::vector<std::int64_t>& real,
                                      RandomSource& random) {
    if (real.empty()) {
        throw std::invalid_argument("a made-up list needs a real one to start from");
    }
    Units changes = changesOf(real);
    switch (level) {
    case 1:
        changes = randomWalkSteps(changes, random);
        break;
    case 2:
        shuffle(changes, random);
        break;
    case 3:
        changes = iaaftSurrogate(changes, random);
        break;
    case 4:
        changes = replayedFromAnotherDay(std::move(changes), random);
        break;
    default:
        throw std::out_of_range("no made-up list for level " + std::to_string(level));
    }
    return summedFrom(real.front(), changes);
}

} // namespace quiz
