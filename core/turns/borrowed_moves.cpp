#include "core/turns/borrowed_moves.h"

#include "core/text/leading_number.h"

#include <cmath>
#include <stdexcept>

namespace quiz {

namespace {

// The candidate's moves in units of the real list: its values relative to its first, times
// the real first value, less that value.
std::vector<double> movesFrom(const OtherWindow& other, std::int64_t realFirst) {
    std::vector<double> values;
    for (const std::string_view text : other.texts) {
        values.push_back(parseLeadingNumber(text));
    }
    std::vector<double> moves;
    for (const double value : values) {
        if (!(value > 0.0)) {
            throw std::invalid_argument("another window's rate is not above zero");
        }
        const double relative = other.upsideDown ? values.front() / value : value / values.front();
        moves.push_back(static_cast<double>(realFirst) * (relative - 1.0));
    }
    return moves;
}

template <typename Values> double sumOfSteps(const Values& values) {
    double sum = 0.0;
    for (std::size_t i = 1; i < values.size(); ++i) {
        sum += std::abs(static_cast<double>(values[i]) - static_cast<double>(values[i - 1]));
    }
    return sum;
}

} // namespace

BorrowedMoves borrowedMoves(const std::vector<std::int64_t>& real, const OtherWindow& other) {
    if (other.texts.size() != real.size()) {
        throw std::invalid_argument("another window of another length");
    }
    const std::vector<double> moves = movesFrom(other, real.front());
    const double wanted = sumOfSteps(real);
    const double had = sumOfSteps(moves);
    if (!(wanted > 0.0) || !(had > 0.0)) {
        throw std::invalid_argument("borrowed moves need two moving lists");
    }
    BorrowedMoves borrowed{.units = {}, .scaledBy = wanted / had};
    for (const double move : moves) {
        borrowed.units.push_back(real.front() +
                                 static_cast<std::int64_t>(std::floor(borrowed.scaledBy * move + 0.5)));
    }
    return borrowed;
}

std::vector<std::int64_t> withLargestShare(const std::vector<std::int64_t>& made, double share) {
    const double sum = sumOfSteps(made);
    if (made.size() < 3 || !(sum > 0.0) || !(share > 0.0 && share < 1.0)) {
        return made;
    }
    std::vector<double> changes;
    for (std::size_t i = 1; i < made.size(); ++i) {
        changes.push_back(static_cast<double>(made[i] - made[i - 1]));
    }
    std::size_t largest = 0;
    double next = 0.0;
    for (std::size_t i = 1; i < changes.size(); ++i) {
        if (std::abs(changes[i]) > std::abs(changes[largest])) {
            largest = i;
        }
    }
    for (std::size_t i = 0; i < changes.size(); ++i) {
        next = i == largest ? next : std::max(next, std::abs(changes[i]));
    }
    const double size = std::abs(changes[largest]);
    // The largest as wanted, the rest scaled by `others`; share * sum >= others * next keeps
    // it the largest, others = (1 - share) * sum / (sum - size).
    double wanted = share * sum;
    const double others = [&] {
        const double scaled = (sum - wanted) / (sum - size);
        return wanted >= scaled * next ? scaled : 1.0;
    }();
    if (others == 1.0) {
        wanted = size;
    }
    for (std::size_t i = 0; i < changes.size(); ++i) {
        changes[i] = i == largest ? std::copysign(wanted, changes[i]) : changes[i] * others;
    }
    std::vector<std::int64_t> sized{made.front()};
    double position = 0.0;
    for (const double change : changes) {
        position += change;
        sized.push_back(made.front() + static_cast<std::int64_t>(std::floor(position + 0.5)));
    }
    return sized;
}

std::vector<std::int64_t> withDrift(const std::vector<std::int64_t>& made, double endShare) {
    if (made.size() < 2) {
        return made;
    }
    const double wanted = sumOfSteps(made);
    std::vector<double> changes;
    for (std::size_t i = 1; i < made.size(); ++i) {
        changes.push_back(static_cast<double>(made[i] - made[i - 1]));
    }
    // With drift d and then size a, the end against the sum, (sum c + n d) / sum |c + d|,
    // grows with d from -1 to 1: halving finds the d that gives endShare.
    const auto shareWith = [&](double drift) {
        double end = 0.0;
        double size = 0.0;
        for (const double change : changes) {
            end += change + drift;
            size += std::abs(change + drift);
        }
        return size > 0.0 ? end / size : 0.0;
    };
    double low = -wanted;
    double high = wanted;
    constexpr int kHalvings = 60;
    for (int i = 0; i < kHalvings; ++i) {
        const double middle = (low + high) / 2.0;
        (shareWith(middle) < endShare ? low : high) = middle;
    }
    const double drift = (low + high) / 2.0;
    double size = 0.0;
    for (const double change : changes) {
        size += std::abs(change + drift);
    }
    for (double& change : changes) {
        change = size > 0.0 ? (change + drift) * wanted / size : 0.0;
    }
    std::vector<std::int64_t> drifted{made.front()};
    double position = 0.0;
    for (const double change : changes) {
        position += change;
        drifted.push_back(made.front() + static_cast<std::int64_t>(std::floor(position + 0.5)));
    }
    return drifted;
}

} // namespace quiz
