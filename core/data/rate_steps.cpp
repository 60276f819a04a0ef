#include "core/data/rate_steps.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quiz::rates {

namespace {

// Thousands written with a comma ("1,008" beside "999") and read as decimals make a column
// jump by a factor near a thousand, which no day's rate does.
constexpr double kThousandfold = 1000;
constexpr double kJumpSlack = 2; // factors from 500 to 2000 count as near

constexpr std::array<double, kMaxDigits + 1> kPowersOfTen = [] {
    std::array<double, kMaxDigits + 1> powers{};
    double power = 1;
    for (double& each : powers) {
        each = power;
        power *= 10;
    }
    return powers;
}();

// A checked value, near enough to compare with another: its digits as a whole number over
// the power of ten of those after the separator.
double approximate(std::string_view value) {
    std::int64_t digits = 0;
    std::size_t decimals = 0;
    bool afterSeparator = false;
    for (const char c : value) {
        if (isDigit(c)) {
            digits = digits * 10 + (c - '0');
            decimals += afterSeparator ? 1 : 0;
        } else {
            afterSeparator = true;
        }
    }
    return static_cast<double>(digits) / kPowersOfTen[decimals];
}

} // namespace

bool isThousandfold(std::string_view a, std::string_view b) {
    const double x = approximate(a);
    const double y = approximate(b);
    const double factor = x > y ? x / y : y / x;
    return factor >= kThousandfold / kJumpSlack && factor <= kThousandfold * kJumpSlack;
}

std::string LastValue::asWritten() const {
    std::string written(text);
    std::replace(written.begin(), written.end(), '.', decimalComma ? ',' : '.');
    return written;
}

} // namespace quiz::rates
