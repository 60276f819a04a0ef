#pragma once

// The dates of a rate file's rows: YYYY-MM-DD, or DD.MM.YYYY as Bulgarian spreadsheets write it.

#include <array>
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace quiz::rates {

struct Date {
    std::array<char, 10> iso{}; // YYYY-MM-DD, so the text order is the date order

    auto operator<=>(const Date&) const = default;
    std::string text() const { return {iso.data(), iso.size()}; }
};

// A real date in either form, or null.
std::optional<Date> parseDate(std::string_view text);

} // namespace quiz::rates
