#include "core/text/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace quiz {

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kFixedDecimals = 5;
constexpr int kMinFixedExponent = -4;
constexpr int kMaxFixedExponent = 14;

// A finite double rounded to 15 significant digits: d0.d1d2...d14 times 10^exponent.
struct Decimal15 {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    // The digit at a decimal place (0 = units, -1 = tenths), '0' beyond the 15 held.
    char digitAt(int place) const {
        const int index = exponent - place;
        return index >= 0 && index < kSignificantDigits ? digits[static_cast<std::size_t>(index)]
                                                        : '0';
    }
};

Decimal15 toDecimal15(double value) {
    char buffer[32];
    const auto written = std::to_chars(std::begin(buffer), std::end(buffer), value,
                                       std::chars_format::scientific, kSignificantDigits - 1);
    std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));

    Decimal15 decimal; // text reads like "-6.67599999999999e-02"
    decimal.negative = text.front() == '-';
    if (decimal.negative) {
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('e');
    decimal.digits.append(text.substr(0, 1)).append(text.substr(2, e - 2));
    std::string_view exponent = text.substr(e + 1);
    if (exponent.front() == '+') {
        exponent.remove_prefix(1);
    }
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), decimal.exponent);
    return decimal;
}

std::string nonFiniteText(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    return value < 0 ? "-inf" : "inf";
}

// Adds one unit in the last place of a string of decimal digits.
void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

std::string grouped(const std::string& whole, const NumberStyle& style) {
    if (style.groupSize <= 0) {
        return whole;
    }
    const auto size = static_cast<std::size_t>(style.groupSize);
    std::string result;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % size == 0) {
            result += style.groupSeparator;
        }
        result += whole[i];
    }
    return result;
}

bool allZeros(std::string_view digits) {
    return digits.find_first_not_of('0') == std::string_view::npos;
}

std::string exponentText(int exponent) {
    std::string magnitude = std::to_string(std::abs(exponent));
    if (magnitude.size() < 2) {
        magnitude.insert(magnitude.begin(), '0');
    }
    return (exponent < 0 ? "E-" : "E+") + magnitude;
}

} // namespace

std::string fixedFiveText(double value, const NumberStyle& style) {
    return fixedText(value, kFixedDecimals, style);
}

std::string fixedText(double value, int decimals, const NumberStyle& style) {
    if (decimals < 0 || decimals > kSignificantDigits) {
        throw std::invalid_argument("fixedText takes 0 to 15 decimals");
    }
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    const Decimal15 decimal = toDecimal15(value);

    std::string digits; // from the highest whole place down to the last decimal
    for (int place = std::max(decimal.exponent, 0); place >= -decimals; --place) {
        digits += decimal.digitAt(place);
    }
    if (decimal.digitAt(-decimals - 1) >= '5') {
        incrementDigits(digits);
    }

    const auto fractionLength = static_cast<std::size_t>(decimals);
    const std::size_t wholeLength = digits.size() - fractionLength;
    const std::string sign = decimal.negative && !allZeros(digits) ? "-" : "";
    const std::string whole = sign + grouped(digits.substr(0, wholeLength), style);
    return decimals == 0 ? whole : whole + style.decimalSeparator + digits.substr(wholeLength);
}

std::string defaultText(double value, const NumberStyle& style) {
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    const Decimal15 decimal = toDecimal15(value);
    std::string digits = decimal.digits;
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.empty()) {
        return "0";
    }

    const std::string sign = decimal.negative ? "-" : "";
    const int exponent = decimal.exponent;
    if (exponent < kMinFixedExponent || exponent > kMaxFixedExponent) {
        const std::string fraction =
            digits.size() > 1 ? style.decimalSeparator + digits.substr(1) : "";
        return sign + digits.front() + fraction + exponentText(exponent);
    }
    if (exponent < 0) {
        return sign + "0" + style.decimalSeparator +
               std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    const auto wholeLength = static_cast<std::size_t>(exponent + 1);
    if (digits.size() <= wholeLength) {
        return sign + digits + std::string(wholeLength - digits.size(), '0');
    }
    return sign + digits.substr(0, wholeLength) + style.decimalSeparator +
           digits.substr(wholeLength);
}

std::string storedText(std::string_view stored, const NumberStyle& style) {
    std::string text;
    for (const char c : stored) {
        if (c == '.') {
            text += style.decimalSeparator;
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace quiz
