#include "core/data/decimal_units.h"

#include <cstdlib>
#include <stdexcept>

namespace quiz {

namespace {

constexpr int kMostDigits = 15; // all a double holds exactly, and far below 2^63

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

[[noreturn]] void throwTooManyDigits(std::string_view text) {
    throw std::invalid_argument("'" + std::string(text) + "' has more than 15 digits");
}

// One more digit on the right; checked at once, before a long text could overflow. Small
// enough to inline: every value of a teacher's file passes here at start.
void appendDigit(std::int64_t& units, int& significant, int digit, std::string_view text) {
    units = units * 10 + digit;
    if (units > 0 && ++significant > kMostDigits) {
        throwTooManyDigits(text);
    }
}

// A loop rather than find, whose call to memchr costs more than the few characters of a rate.
std::size_t pointAt(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '.') {
            return i;
        }
    }
    return std::string_view::npos;
}

// The decimals after the point at `point` (npos: none).
int decimalsAfter(std::string_view text, std::size_t point) {
    return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

} // namespace

int decimalsOf(std::string_view text) {
    return decimalsAfter(text, pointAt(text));
}

std::int64_t toUnits(std::string_view text, int decimals) {
    // Looked for once: every value of a teacher's file passes here at start.
    const std::size_t point = pointAt(text);
    const int own = decimalsAfter(text, point);
    if (text.empty() || own > decimals) {
        throw std::invalid_argument("'" + std::string(text) +
                                    "' has more decimals than its window");
    }
    std::int64_t units = 0;
    int significant = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == point) {
            continue;
        }
        if (!isDigit(text[i])) {
            throw std::invalid_argument("'" + std::string(text) + "' is not a number");
        }
        appendDigit(units, significant, text[i] - '0', text);
    }
    for (int i = own; i < decimals; ++i) {
        appendDigit(units, significant, 0, text);
    }
    return units;
}

std::string unitsText(std::int64_t units, int decimals, const NumberStyle& style) {
    std::string digits = std::to_string(std::llabs(units));
    const auto fraction = static_cast<std::size_t>(decimals);
    if (digits.size() <= fraction) {
        digits.insert(0, fraction + 1 - digits.size(), '0');
    }
    std::string text = units < 0 ? "-" : "";
    text += digits.substr(0, digits.size() - fraction);
    if (decimals > 0) {
        text += style.decimalSeparator + digits.substr(digits.size() - fraction);
    }
    return text;
}

} // namespace quiz
