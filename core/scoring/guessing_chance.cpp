#include "core/scoring/guessing_chance.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <stdexcept>

namespace quiz {

namespace {

constexpr double kNegligible = 1e-17;
constexpr double kConvincingChance = 0.05;

// log(C(n, k) / 2^n): binomial coefficients of thousands of turns overflow a double long
// before their share of 2^n becomes small, so the terms are taken in logarithms.
double logTerm(int k, int n) {
    const double coefficient =
        std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0);
    return coefficient - n * std::numbers::ln2;
}

// P(X >= from) for from above n / 2, where the terms only shrink: scaled by the first, they
// sum to between 1 and n, and the sum is done once they stop changing it.
double upperTail(int from, int n) {
    if (from > n) {
        return 0.0;
    }
    const double first = logTerm(from, n);
    double sum = 0.0;
    for (int k = from; k <= n; ++k) {
        const double term = std::exp(logTerm(k, n) - first);
        sum += term;
        if (term < sum * kNegligible) {
            break;
        }
    }
    return std::exp(first) * sum;
}

} // namespace

double guessingChance(int correct, int answered) {
    if (correct < 0 || correct > answered) {
        throw std::invalid_argument("guessingChance needs 0 <= correct <= answered");
    }
    if (2 * correct > answered) {
        return upperTail(correct, answered);
    }
    // By symmetry P(X >= k) = 1 - P(X <= k - 1) = 1 - P(X >= n - k + 1), a tail above n / 2.
    return std::clamp(1.0 - upperTail(answered - correct + 1, answered), 0.0, 1.0);
}

bool beatsGuessing(double chance) {
    return chance <= kConvincingChance;
}

std::vector<bool> beatGuessingTogether(std::span<const double> chances) {
    std::vector<std::size_t> order(chances.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return chances[a] < chances[b]; });
    std::vector<bool> beaten(chances.size(), false);
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        const double stillTested = static_cast<double>(order.size() - rank);
        if (chances[order[rank]] > kConvincingChance / stillTested) {
            break;
        }
        beaten[order[rank]] = true;
    }
    return beaten;
}

} // namespace quiz
