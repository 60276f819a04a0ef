#include "core/data/currency_names.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quiz {

namespace {

using Entry = std::pair<std::string_view, std::string_view>;

constexpr std::array kNames{
    Entry{"AUD", "австралийски долар"}, Entry{"BRL", "бразилски реал"},
    Entry{"CAD", "канадски долар"},     Entry{"CHF", "швейцарски франк"},
    Entry{"CNY", "китайски юан"},       Entry{"CZK", "чешка крона"},
    Entry{"DKK", "датска крона"},       Entry{"GBP", "британски паунд"},
    Entry{"HKD", "хонконгски долар"},   Entry{"HUF", "унгарски форинт"},
    Entry{"IDR", "индонезийска рупия"}, Entry{"ILS", "израелски шекел"},
    Entry{"INR", "индийска рупия"},     Entry{"ISK", "исландска крона"},
    Entry{"JPY", "японска йена"},       Entry{"KRW", "южнокорейски вон"},
    Entry{"MXN", "мексиканско песо"},   Entry{"MYR", "малайзийски рингит"},
    Entry{"NOK", "норвежка крона"},     Entry{"NZD", "новозеландски долар"},
    Entry{"PHP", "филипинско песо"},    Entry{"PLN", "полска злота"},
    Entry{"RON", "румънска лея"},       Entry{"RUB", "руска рубла"},
    Entry{"SEK", "шведска крона"},      Entry{"SGD", "сингапурски долар"},
    Entry{"THB", "тайландски бат"},     Entry{"TRY", "турска лира"},
    Entry{"USD", "щатски долар"},       Entry{"ZAR", "южноафрикански ранд"},
};

const Entry* find(std::string_view code) {
    const auto* entry =
        std::find_if(kNames.begin(), kNames.end(), [&](const Entry& e) { return e.first == code; });
    return entry == kNames.end() ? nullptr : entry;
}

} // namespace

std::string currencyDisplayName(std::string_view code, std::string_view fallback) {
    if (const Entry* entry = find(code)) {
        return std::string(entry->second) + " - " + std::string(code);
    }
    return std::string(code.empty() ? fallback : code);
}

bool isKnownCurrency(std::string_view code) {
    return find(code) != nullptr;
}

} // namespace quiz
