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

    auto& generated = turn.lists[static_cast<std::size_t>(GenSide)];
    auto& real = turn.lists[static_cast<std::size_t>(turn.RealSide)];
    generated.reserve(kValueCount);
    real.reserve(kValueCount);
    for (const std::string_view text : series.values) {
        const std::int32_t offset = offsetFrom(random.next(), OffsetRange);
        generated.push_back(fixedFiveText(offset / kOffsetScale + base, style));
        real.push_back(storedText(text, style));
    }
    return turn;
}

} // namespace quiz
