#include "core/text/leading_number.h"

#include <charconv>
#include <limits>

namespace quiz {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The index just past the run of digits that starts at `from`.
std::size_t skipDigits(std::string_view text, std::size_t from) {
    while (from < text.size() && isDigit(text[from])) {
        ++from;
    }
    return from;
}

// Length of the longest "digits[.digits]" prefix, or 0 when it holds no digit at all.
std::size_t decimalPrefixLength(std::string_view text) {
    const std::size_t wholeEnd = skipDigits(text, 0);
    if (wholeEnd == text.size() || text[wholeEnd] != '.') {
        return wholeEnd;
    }
    const std::size_t fractionEnd = skipDigits(text, wholeEnd + 1);
    const bool hasDigit = wholeEnd > 0 || fractionEnd > wholeEnd + 1;
    return hasDigit ? fractionEnd : 0;
}

bool hasNonZeroIntegerDigit(std::string_view number) {
    for (const char c : number) {
        if (c == '.') {
            return false;
        }
        if (c != '0') {
            return true;
        }
    }
    return false;
}

} // namespace

double parseLeadingNumber(std::string_view text) {
    const std::size_t firstNonBlank = text.find_first_not_of(" \t");
    if (firstNonBlank == std::string_view::npos) {
        return 0.0;
    }
    text.remove_prefix(firstNonBlank);

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::string_view number = text.substr(0, decimalPrefixLength(text));
    if (number.empty()) {
        return 0.0;
    }

    double magnitude = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), magnitude,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Without an exponent, only hundreds of integer digits overflow; anything else underflows.
        magnitude = hasNonZeroIntegerDigit(number) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -magnitude : magnitude;
}

} // namespace quiz
