#include "core/turn.h"

#include "core/catalogue.h"
#include "core/draw_map.h"
#include "core/leading_number.h"
#include "core/number_text.h"
#include "core/rounding.h"

#include <algorithm>

namespace quiz {

double spreadOf(const std::vector<double>& values) {
    if (values.empty()) {
        return 0.0;
    }
    const auto [smallest, largest] = std::minmax_element(values.begin(), values.end());
    return *largest - *smallest;
}

Turn NewTurn(RandomSource& random, const NumberStyle& style) {
    // The order of the draws is part of the behaviour: a seed must replay the same turns.
    Turn turn;
    turn.CurrencyNo = currencyNoFrom(random.next());
    turn.RealSide = sideFrom(random.next());

    const CurrencySeries& series = currencyCatalogue().byNumber(turn.CurrencyNo);
    const auto real = static_cast<std::size_t>(turn.RealSide);
    const auto gen = static_cast<std::size_t>(turn.generatedSide());
    for (std::size_t side = 0; side < 2; ++side) {
        turn.lists[side].reserve(kValueCount);
        turn.values[side].reserve(kValueCount);
    }
    // Each stored text is read once, for the real list's numbers and the spread alike.
    for (const std::string_view text : series.values) {
        turn.lists[real].push_back(storedText(text, style));
        turn.values[real].push_back(parseLeadingNumber(text));
    }
    turn.Spread = spreadOf(turn.values[real]);
    const std::int32_t OffsetRange = roundHalfEven(turn.Spread * kOffsetScale);
    // Every generated value starts from entry 0, so the made-up list never wanders like a
    // real one: it is noise in a band one spread wide above the first rate.
    const double base = turn.values[real].front();
    turn.band = {.low = base, .high = base + (OffsetRange - 1) / kOffsetScale};

    for (int i = 0; i < kValueCount; ++i) {
        const double value = offsetFrom(random.next(), OffsetRange) / kOffsetScale + base;
        turn.lists[gen].push_back(fixedFiveText(value, style));
        turn.values[gen].push_back(value);
    }
    return turn;
}

} // namespace quiz
