#include "core/turns/turn.h"

#include "core/data/catalogue.h"
#include "core/data/decimal_units.h"
#include "core/data/draw_map.h"
#include "core/random/own_draws.h"
#include "core/text/leading_number.h"
#include "core/text/number_text.h"
#include "core/turns/level.h"
#include "core/turns/made_up_list.h"
#include "core/turns/quoted_precision.h"
#include "core/turns/repeated_values.h"

#include <algorithm>
#include <stdexcept>

namespace quiz {

namespace {

// Exact for every exponent a turn uses, and the same on every system, unlike a library pow.
double powerOfTen(int exponent) {
    double power = 1.0;
    for (int i = 0; i < exponent; ++i) {
        power *= 10.0;
    }
    return power;
}

// Level 0's made-up list: noise in a band one spread wide above the first value, with one more
// decimal than the data (a millionth for the stored series) and written at the data's decimals.
void fillBandNoise(Turn& turn, const std::vector<std::int64_t>& units, RandomSource& random,
                   const NumberStyle& listStyle) {
    const auto gen = static_cast<std::size_t>(turn.generatedSide());
    const double scale = powerOfTen(turn.decimals + 1);
    const auto [smallest, largest] = std::minmax_element(units.begin(), units.end());
    const std::int64_t offsetRange = (*largest - *smallest) * 10;
    // Every value starts from entry 0, so the made-up list never wanders like a real one.
    const double base = turn.values[static_cast<std::size_t>(turn.RealSide)].front();
    turn.band = Band{.low = base, .high = base + static_cast<double>(offsetRange - 1) / scale};
    for (int i = 0; i < kValueCount; ++i) {
        const double value =
            static_cast<double>(offsetFrom(random.next(), offsetRange)) / scale + base;
        turn.lists[gen].push_back(fixedText(value, turn.decimals, listStyle));
        turn.values[gen].push_back(value);
    }
}

// A made-up list must look like a rate: above zero and no longer than the data can be.
bool looksLikeARate(const std::vector<std::int64_t>& units) {
    constexpr std::int64_t kLargest = 999'999'999'999'999; // 15 digits
    return std::all_of(units.begin(), units.end(),
                       [](std::int64_t unit) { return unit >= 1 && unit <= kLargest; });
}

// The levels' own list, drawn again while it leaves the range of a rate (a volatile window
// whose falls add up to more than its first value); after that, noise in the window's own
// range, which always stays inside it.
std::vector<std::int64_t> madeUpRate(int level, const std::vector<std::int64_t>& units,
                                     RandomSource& random, const OtherWindows& others,
                                     const Finish& finish, const Finish& shown) {
    constexpr int kTries = 20;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        std::vector<std::int64_t> made = madeUpUnits(level, units, random, others, finish, shown);
        if (looksLikeARate(made)) {
            return made;
        }
    }
    const auto [smallest, largest] = std::minmax_element(units.begin(), units.end());
    std::vector<std::int64_t> noise{units.front()};
    while (noise.size() < units.size()) {
        const auto range = static_cast<std::size_t>(*largest - *smallest + 1);
        noise.push_back(*smallest + static_cast<std::int64_t>(indexFrom(random.next(), range)));
    }
    return noise;
}

void fillFromChanges(Turn& turn, const std::vector<std::int64_t>& units,
                     const std::vector<std::string_view>& realTexts, RandomSource& random,
                     const NumberStyle& listStyle, const OtherWindows& others) {
    const auto real = static_cast<std::size_t>(turn.RealSide);
    const auto gen = static_cast<std::size_t>(turn.generatedSide());
    const double scale = powerOfTen(turn.decimals);
    // The real texts are padded too, so a short text no longer tells the real list.
    for (std::size_t i = 0; i < units.size(); ++i) {
        turn.lists[real][i] = unitsText(units[i], turn.decimals, listStyle);
    }
    const Finish quoted = [&](std::vector<std::int64_t>& made) {
        quoteAsReal(made, realTexts, turn.decimals);
    };
    // Padded, a real text quoted with fewer decimals ends in zeros, and one quoted on a grid
    // in the grid's digits; the made-up one must end in them as often, and repeat a value as
    // often too, the last step so that no later one parts what it joined.
    const Finish shown = [&](std::vector<std::int64_t>& made) {
        repeatAsReal(made, units, quoteAsReal(made, realTexts, turn.decimals));
    };
    std::vector<std::int64_t> madeUp =
        madeUpRate(turn.level, units, random, others, quoted, shown);
    shown(madeUp);
    for (const std::int64_t made : madeUp) {
        turn.lists[gen].push_back(unitsText(made, turn.decimals, listStyle));
        turn.values[gen].push_back(static_cast<double>(made) / scale);
    }
}

} // namespace

double spreadOf(const std::vector<double>& values) {
    if (values.empty()) {
        return 0.0;
    }
    const auto [smallest, largest] = std::minmax_element(values.begin(), values.end());
    return *largest - *smallest;
}

Turn NewTurn(RandomSource& random, const NumberStyle& style, const DataSet& data, int level) {
    if (!isLevel(level)) {
        throw std::out_of_range("no difficulty level " + std::to_string(level));
    }
    // The order of the draws is part of the behaviour: a seed must replay the same turns.
    const RealWindow window = data.draw(random.next());
    Turn turn;
    turn.CurrencyNo = window.seriesNumber;
    turn.RealSide = sideFrom(random.next());
    turn.level = level;
    turn.source = data.kind();
    turn.data = data.id();
    turn.code = window.code;
    turn.name = window.name;
    turn.firstDate = window.firstDate;
    turn.lastDate = window.lastDate;
    turn.roundedTo = window.roundedTo;

    NumberStyle listStyle = style;
    listStyle.groupSize = 0;
    const auto real = static_cast<std::size_t>(turn.RealSide);
    for (const std::string_view text : window.texts) {
        turn.decimals = std::max(turn.decimals, decimalsOf(text));
    }
    std::vector<std::int64_t> units;
    for (const std::string_view text : window.texts) {
        turn.lists[real].push_back(storedText(text, style));
        turn.values[real].push_back(parseLeadingNumber(text));
        units.push_back(toUnits(text, turn.decimals));
    }
    turn.Spread = spreadOf(turn.values[real]);
    if (level == 0) {
        fillBandNoise(turn, units, random, listStyle);
    } else {
        const OtherWindows others{
            .count = level == 4 ? data.otherWindowCount(window) : 0,
            .take = [&](std::size_t index) { return data.otherWindow(window, index); }};
        fillFromChanges(turn, units, window.texts, random, listStyle, others);
    }
    return turn;
}

} // namespace quiz
