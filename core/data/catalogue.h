#pragma once

// The built-in exchange-rate series: the quiz's whole body of real data.

#include <array>
#include <string_view>

namespace quiz {

inline constexpr int kSeriesCount = 6;
inline constexpr int kValueCount = 43;

// Series k (the CurrencyNo a turn draws) is entry k - 1 of the catalogue.
struct CurrencySeries {
    std::string_view name;
    // Texts, not numbers: the real list shows them exactly as written ("1.47", not "1.47000").
    std::array<std::string_view, kValueCount> values;
};

struct CurrencyCatalogue {
    std::array<CurrencySeries, kSeriesCount> series;

    // Throws std::out_of_range for a number outside 1..kSeriesCount.
    const CurrencySeries& byNumber(int number) const;
};

const CurrencyCatalogue& currencyCatalogue();

// The ISO 4217 code that ends the series' name ("GBP" for "британски паунд - GBP ").
std::string_view currencyCode(const CurrencySeries& series);

} // namespace quiz
