#include "core/turns/quoted_precision.h"

#include "core/data/decimal_units.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace quiz {

namespace {

// Two on each side: five texts that all dropped a zero by chance come once in 100,000 places.
constexpr std::size_t kNeighbours = 2;

std::int64_t unitOfPlace(int fewerDecimals) {
    std::int64_t unit = 1;
    for (int i = 0; i < fewerDecimals; ++i) {
        unit *= 10;
    }
    return unit;
}

int lastDigit(std::int64_t units) {
    return static_cast<int>(units % 10);
}

// How much moving made[place] by `move` adds to the list's sum of |changes|, either way.
std::int64_t roughening(const std::vector<std::int64_t>& made, std::size_t place,
                        std::int64_t move) {
    std::int64_t added = 0;
    for (const std::size_t neighbour : {place - 1, place + 1}) {
        if (neighbour < made.size()) { // place - 1 wraps round past the first
            added += std::abs(made[place] + move - made[neighbour]) -
                     std::abs(made[place] - made[neighbour]);
        }
    }
    return std::abs(added);
}

// The move from made[place] to a value ending in `digit`, up or down past a ten, never below
// 1; none when it already does. Of the two, the one that leaves the sum of |changes| nearer
// what it was, so that quoting adds no roughness the real list lacks; then the nearer; a tie
// goes up on even places and down on odd ones.
std::int64_t moveToDigit(const std::vector<std::int64_t>& made, int digit, std::size_t place) {
    const std::int64_t value = made[place];
    const int up = (digit - lastDigit(value) + 10) % 10;
    const int down = up == 0 ? 0 : up - 10;
    if (value + down < 1) {
        return up;
    }
    const std::int64_t upRoughens = roughening(made, place, up);
    const std::int64_t downRoughens = roughening(made, place, down);
    if (upRoughens != downRoughens) {
        return upRoughens < downRoughens ? up : down;
    }
    if (up < -down || (up == -down && place % 2 == 0)) {
        return up;
    }
    return down;
}

// The chi-square of the non-zero last digits against nine equally likely, above its 5 % point
// with 8 degrees of freedom: a source quoting on a grid (5 in every other place, or 0, 3, 5, 8)
// rather than to its last unit.
bool quotesOnAGrid(const std::vector<int>& lastDigits) {
    constexpr double kFivePercentPoint = 15.51;
    std::array<int, 10> counts{};
    int nonZero = 0;
    for (const int digit : lastDigits) {
        ++counts[static_cast<std::size_t>(digit)];
        nonZero += digit != 0 ? 1 : 0;
    }
    if (nonZero == 0) {
        return false;
    }
    const double expected = nonZero / 9.0;
    double chiSquare = 0.0;
    for (std::size_t digit = 1; digit < counts.size(); ++digit) {
        chiSquare += (counts[digit] - expected) * (counts[digit] - expected) / expected;
    }
    return chiSquare > kFivePercentPoint;
}

// A day-to-day change this large in units hides a move of the last digit.
constexpr double kManyUnits = 30.0;

double meanAbsoluteChange(const std::vector<std::int64_t>& units) {
    if (units.size() < 2) {
        return 0.0;
    }
    double total = 0.0;
    for (std::size_t i = 1; i < units.size(); ++i) {
        total += static_cast<double>(std::abs(units[i] - units[i - 1]));
    }
    return total / static_cast<double>(units.size() - 1);
}

} // namespace

std::vector<int> quotedDecimals(const std::vector<std::string_view>& texts) {
    std::vector<int> written;
    for (const std::string_view text : texts) {
        written.push_back(decimalsOf(text));
    }
    std::vector<int> quoted;
    for (std::size_t i = 0; i < written.size(); ++i) {
        const std::size_t first = i < kNeighbours ? 0 : i - kNeighbours;
        const std::size_t end = std::min(written.size(), i + kNeighbours + 1);
        quoted.push_back(*std::max_element(written.begin() + static_cast<std::ptrdiff_t>(first),
                                           written.begin() + static_cast<std::ptrdiff_t>(end)));
    }
    return quoted;
}

QuotedForm::QuotedForm(std::vector<std::int64_t> roundedTo, bool everyDigit)
    : roundedTo_(std::move(roundedTo)), everyDigit_(everyDigit) {}

bool QuotedForm::keeps(std::size_t place, std::int64_t from, std::int64_t to) const {
    if (to < 1 || place >= roundedTo_.size()) {
        return false;
    }
    if (roundedTo_[place] > 1) {
        return to % roundedTo_[place] == 0;
    }
    if (everyDigit_) {
        return lastDigit(to) == lastDigit(from);
    }
    return (lastDigit(to) == 0) == (lastDigit(from) == 0);
}

std::int64_t QuotedForm::step(std::size_t place) const {
    if (place < roundedTo_.size() && roundedTo_[place] > 1) {
        return roundedTo_[place];
    }
    return everyDigit_ ? 10 : 1;
}

QuotedForm quoteAsReal(std::vector<std::int64_t>& made,
                       const std::vector<std::string_view>& realTexts, int decimals) {
    if (realTexts.size() != made.size()) {
        throw std::invalid_argument("one real text per made-up value");
    }
    const std::vector<int> quoted = quotedDecimals(realTexts);
    std::vector<std::int64_t> roundedTo;
    for (std::size_t i = 0; i < made.size(); ++i) {
        const std::int64_t unit = unitOfPlace(decimals - quoted[i]);
        roundedTo.push_back(unit);
        if (quoted[i] == decimals) {
            continue;
        }
        // Made-up rates are positive, so plain division floors.
        made[i] = std::max((made[i] + unit / 2) / unit * unit, unit);
    }
    std::vector<int> realDigits;
    for (std::size_t i = 0; i < made.size(); ++i) {
        realDigits.push_back(lastDigit(toUnits(realTexts[i], decimals)));
    }
    // Each made-up value takes the last digit of the real one in its place, so that every
    // digit statistic is the same for both lists; a move of a few units is lost in changes
    // of many units. Where the changes are of a few units and the digits even, only the zeros
    // (a dropped or padded decimal) are copied both ways, so that few values move.
    const bool copyEveryDigit = quotesOnAGrid(realDigits) || meanAbsoluteChange(made) >= kManyUnits;
    for (std::size_t i = 0; i < made.size(); ++i) {
        const bool realZero = realDigits[i] == 0;
        const bool madeZero = lastDigit(made[i]) == 0;
        if (quoted[i] == decimals && (copyEveryDigit || realZero != madeZero)) {
            made[i] += moveToDigit(made, realDigits[i], i);
        }
    }
    return {std::move(roundedTo), copyEveryDigit};
}

} // namespace quiz
