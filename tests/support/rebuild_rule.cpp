#include "tests/support/rebuild_rule.h"

#include "core/data/decimal_units.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <stdexcept>

namespace quiz {

namespace {

using Units = std::vector<std::int64_t>;

// Quoting moves a made-up value by up to 5 units to take a real last digit.
constexpr std::int64_t kQuotingMove = 5;
// Places that may differ from a rebuilt list and still call it rebuilt: the few values moved
// further, to repeat a value or to drop a decimal as the real list did.
constexpr std::size_t kFreePlaces = 7;

std::string pointed(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

// Both lists in units of the longer texts' last decimal, as the levels above 0 show them.
std::array<Units, 2> unitsOf(const std::array<std::vector<std::string>, 2>& lists) {
    int decimals = 0;
    for (const auto& list : lists) {
        for (const std::string& text : list) {
            decimals = std::max(decimals, decimalsOf(pointed(text)));
        }
    }
    std::array<Units, 2> units;
    for (std::size_t side = 0; side < 2; ++side) {
        for (const std::string& text : lists[side]) {
            units[side].push_back(toUnits(pointed(text), decimals));
        }
    }
    return units;
}

Units changesOf(const Units& values) {
    Units changes;
    for (std::size_t i = 1; i < values.size(); ++i) {
        changes.push_back(values[i] - values[i - 1]);
    }
    return changes;
}

bool closeAlmostEverywhere(const Units& made, const Units& rebuilt) {
    std::size_t far = 0;
    for (std::size_t i = 0; i < made.size(); ++i) {
        far += std::abs(made[i] - rebuilt[i]) > kQuotingMove ? 1 : 0;
    }
    return far <= kFreePlaces;
}

bool rebuiltUnitsByRotation(const Units& real, const Units& made) {
    const Units changes = changesOf(real);
    for (std::size_t shift = 1; shift < changes.size(); ++shift) {
        Units rotated = changes;
        std::rotate(rotated.begin(), rotated.begin() + static_cast<std::ptrdiff_t>(shift),
                    rotated.end());
        for (int reversed = 0; reversed < 2; ++reversed) {
            if (reversed == 1) {
                std::reverse(rotated.begin(), rotated.end());
            }
            Units rebuilt{real.front()};
            for (const std::int64_t change : rotated) {
                rebuilt.push_back(rebuilt.back() + change);
            }
            if (closeAlmostEverywhere(made, rebuilt)) {
                return true;
            }
        }
    }
    return false;
}

// Quoting moves a made-up value only to a last digit of 0 or to the real one's in its place.
bool quotingCouldMove(const Units& real, const Units& made, std::size_t i) {
    return made[i] % 10 == 0 || made[i] % 10 == real[i] % 10;
}

// Made-up changes, between two values quoting left alone, that are not among the real ones.
std::size_t changesNotAmongTheReal(const Units& real, const Units& made) {
    Units pool = changesOf(real);
    std::sort(pool.begin(), pool.end());
    std::vector<bool> used(pool.size(), false);
    std::size_t strangers = 0;
    for (std::size_t i = 1; i < made.size(); ++i) {
        if (quotingCouldMove(real, made, i - 1) || quotingCouldMove(real, made, i)) {
            continue;
        }
        const std::int64_t change = made[i] - made[i - 1];
        auto at = std::lower_bound(pool.begin(), pool.end(), change);
        auto index = static_cast<std::size_t>(at - pool.begin());
        while (index < pool.size() && pool[index] == change && used[index]) {
            ++index;
        }
        if (index < pool.size() && pool[index] == change) {
            used[index] = true;
        } else {
            ++strangers;
        }
    }
    return strangers;
}

} // namespace

bool rebuiltByRotation(const std::vector<std::string>& real, const std::vector<std::string>& made) {
    const auto [realUnits, madeUnits] = unitsOf({real, made});
    return realUnits.size() == madeUnits.size() && realUnits.size() > 1 &&
           rebuiltUnitsByRotation(realUnits, madeUnits);
}

double rebuildScore(const std::array<std::vector<std::string>, 2>& lists, int realSide) {
    if (realSide != 0 && realSide != 1) {
        throw std::invalid_argument("the real side is 0 or 1, not " + std::to_string(realSide));
    }
    const auto [first, second] = unitsOf(lists);
    if (first.size() != second.size() || first.empty()) {
        throw std::invalid_argument("two lists of one length are needed");
    }
    // The side each way round names as real; 0.5 where the two ways agree.
    double pickFirst = 0.5;
    const bool firstRebuildsSecond = rebuiltUnitsByRotation(first, second);
    const bool secondRebuildsFirst = rebuiltUnitsByRotation(second, first);
    if (firstRebuildsSecond != secondRebuildsFirst) {
        pickFirst = firstRebuildsSecond ? 1.0 : 0.0;
    } else {
        const std::size_t firstReal = changesNotAmongTheReal(first, second);
        const std::size_t secondReal = changesNotAmongTheReal(second, first);
        pickFirst = firstReal < secondReal ? 1.0 : (secondReal < firstReal ? 0.0 : 0.5);
    }
    return realSide == 0 ? pickFirst : 1.0 - pickFirst;
}

} // namespace quiz
