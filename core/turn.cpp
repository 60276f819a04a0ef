#include "core/turn.h"

#include "core/catalogue.h"
#include "core/draw_map.h"
#include "core/leading_number.h"
#include "core/number_text.h"
#include "core/rounding.h"

namespace quiz {

Turn NewTurn(RandomSource& random, const NumberStyle& style) {
    // The order of the draws is part of the behaviour: a seed must replay the same turns.
    Turn turn;
    turn.CurrencyNo = currencyNoFrom(random.next());
    turn.RealSide = sideFrom(random.next());

    const CurrencySeries& series = currencyCatalogue().byNumber(turn.CurrencyNo);
    turn.Spread = seriesSpread(series);
    const std::int32_t OffsetRange = roundHalfEven(turn.Spread * kOffsetScale);
    const int GenSide = (turn.RealSide + 1) % 2;
    // Every generated value starts from entry 0, so the made-up list never wanders like a
    // real one: it is noise in a band one spread wide above the first rate.
    const double base = parseLeadingNumber(series.values.front());
    turn.band = {.low = base, .high = base + (OffsetRange - 1) / kOffsetScale};

    const auto gen = static_cast<std::size_t>(GenSide);
    const auto real = static_cast<std::size_t>(turn.RealSide);
    for (std::size_t side = 0; side < 2; ++side) {
        turn.lists[side].reserve(kValueCount);
        turn.values[side].reserve(kValueCount);
    }
    for (const std::string_view text : series.values) {
        const double value = offsetFrom(random.next(), OffsetRange) / kOffsetScale + base;
        turn.lists[gen].push_back(fixedFiveText(value, style));
        turn.values[gen].push_back(value);
        turn.lists[real].push_back(storedText(text, style));
        turn.values[real].push_back(parseLeadingNumber(text));
    }
    return turn;
}

} // namespace quiz
