#include "core/turns/repeated_values.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>

namespace quiz {

namespace {

using Units = std::vector<std::int64_t>;

struct Move {
    std::size_t place = 0;
    std::int64_t to = 0;
};

bool movable(const Units& made, std::size_t place) {
    return place > 0 && place + 1 < made.size();
}

std::size_t countOf(const Units& made, std::int64_t value) {
    return static_cast<std::size_t>(std::count(made.begin(), made.end(), value));
}

// A value alone in the list, so that moving it takes no repeat away.
bool alone(const Units& made, std::size_t place) {
    return countOf(made, made[place]) == 1;
}

bool nextTo(const Units& made, std::size_t place, std::int64_t value) {
    return made[place - 1] == value || made[place + 1] == value;
}

// How much a move adds to the list's sum of |changes|, either way, and a little of its length:
// a join that leaves the moves their size is not seen in them.
double costOf(const Units& made, std::size_t place, std::int64_t to) {
    constexpr double kLengthWeight = 0.25;
    const auto before = static_cast<double>(std::abs(made[place] - made[place - 1]) +
                                            std::abs(made[place + 1] - made[place]));
    const auto after = static_cast<double>(std::abs(to - made[place - 1]) +
                                           std::abs(made[place + 1] - to));
    return std::abs(after - before) + kLengthWeight * static_cast<double>(std::abs(to - made[place]));
}

// Of the moves `made[place] = made[from]` that `fits` allows, the cheapest.
template <typename Fits>
std::optional<Move> cheapestJoin(const Units& made, const QuotedForm& form, Fits fits) {
    std::optional<Move> best;
    double cheapest = std::numeric_limits<double>::infinity();
    for (std::size_t place = 1; place + 1 < made.size(); ++place) {
        for (std::size_t from = 0; from < made.size(); ++from) {
            if (from == place || made[from] == made[place]) {
                continue;
            }
            const double cost = costOf(made, place, made[from]);
            if (cost >= cheapest || !form.keeps(place, made[place], made[from]) ||
                !fits(place, from)) {
                continue;
            }
            cheapest = cost;
            best = Move{place, made[from]};
        }
    }
    return best;
}

std::optional<Move> joinNeighbours(const Units& made, const QuotedForm& form) {
    return cheapestJoin(made, form, [&](std::size_t place, std::size_t from) {
        const std::size_t other = from < place ? place + 1 : place - 1;
        return (from + 1 == place || place + 1 == from) && alone(made, place) &&
               made[other] != made[from];
    });
}

std::optional<Move> joinApart(const Units& made, const QuotedForm& form) {
    return cheapestJoin(made, form, [&](std::size_t place, std::size_t from) {
        return (from + 1 < place || place + 1 < from) && alone(made, place) &&
               !nextTo(made, place, made[from]);
    });
}

// The nearest value, by the place's steps, that is alone in the list and no neighbour's.
std::optional<Move> moveAway(const Units& made, const QuotedForm& form, std::size_t place) {
    constexpr int kSteps = 20;
    for (int k = 1; k <= kSteps; ++k) {
        for (const int sign : {1, -1}) {
            const std::int64_t to = made[place] + sign * k * form.step(place);
            if (form.keeps(place, made[place], to) && countOf(made, to) == 0) {
                return Move{place, to};
            }
        }
    }
    return std::nullopt;
}

// A value written before that moving away parts from it without parting equal neighbours,
// or, for `neighbours`, one equal to the value before it.
std::optional<Move> partOne(const Units& made, const QuotedForm& form, bool neighbours) {
    for (std::size_t place = made.size() - 2; place > 0; --place) {
        const bool repeated = countOf(made, made[place]) > 1;
        const bool equalBefore = made[place - 1] == made[place];
        const bool fits = neighbours ? equalBefore && made[place + 1] != made[place]
                                     : repeated && !nextTo(made, place, made[place]);
        if (fits) {
            if (auto move = moveAway(made, form, place)) {
                return move;
            }
        }
    }
    return std::nullopt;
}

std::optional<Move> nextMove(const Units& made, const Repeats& want, const QuotedForm& form) {
    const Repeats has = repeatsOf(made);
    if (has.equalNeighbours != want.equalNeighbours) {
        return has.equalNeighbours < want.equalNeighbours ? joinNeighbours(made, form)
                                                          : partOne(made, form, true);
    }
    if (has.writtenTwice < want.writtenTwice) {
        return joinApart(made, form);
    }
    return partOne(made, form, false);
}

} // namespace

Repeats repeatsOf(const std::vector<std::int64_t>& values) {
    Repeats repeats;
    Units sorted = values;
    std::sort(sorted.begin(), sorted.end());
    repeats.writtenTwice =
        static_cast<int>(sorted.end() - std::unique(sorted.begin(), sorted.end()));
    for (std::size_t i = 1; i < values.size(); ++i) {
        repeats.equalNeighbours += values[i] == values[i - 1] ? 1 : 0;
    }
    return repeats;
}

void repeatAsReal(std::vector<std::int64_t>& made, const std::vector<std::int64_t>& real,
                  const QuotedForm& form) {
    if (made.size() < 3) {
        return; // nothing between the first and the last to move
    }
    const Repeats want = repeatsOf(real);
    // Each move mends one count; a few more rounds leave room for one that upsets the other.
    const std::size_t rounds = 4 * made.size();
    for (std::size_t round = 0; round < rounds && repeatsOf(made) != want; ++round) {
        const std::optional<Move> move = nextMove(made, want, form);
        if (!move || !movable(made, move->place)) {
            return;
        }
        made[move->place] = move->to;
    }
}

} // namespace quiz
