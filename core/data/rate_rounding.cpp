#include "core/data/rate_rounding.h"

namespace quiz {

std::optional<std::string> roundedRate(std::string_view value) {
    const std::size_t point = value.find_first_of(".,");
    if (point == std::string_view::npos ||
        value.size() - point - 1 <= static_cast<std::size_t>(kRoundedDecimals)) {
        return std::nullopt;
    }
    std::string digits(value.substr(0, point));
    digits.append(value.substr(point + 1, kRoundedDecimals));
    if (value[point + 1 + kRoundedDecimals] >= '5') {
        std::size_t at = digits.size();
        while (at > 0 && digits[at - 1] == '9') {
            digits[--at] = '0';
        }
        if (at == 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[at - 1];
        }
    }
    // Leading zeros stay, as the reader counts every digit written.
    const std::size_t whole = digits.size() - kRoundedDecimals;
    if (digits.size() > kMaxRateDigits ||
        digits.find_first_not_of('0') == std::string::npos) {
        return std::nullopt;
    }
    return digits.substr(0, whole) + "." + digits.substr(whole);
}

} // namespace quiz
