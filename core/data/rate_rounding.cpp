#include "core/data/rate_rounding.h"

#include <algorithm>

namespace quiz {

int shownDecimals(int wholeDigits) {
    return std::clamp(kListDigits - wholeDigits, 0, kMostShownDecimals);
}

std::optional<std::string> roundedRate(std::string_view value, int decimals) {
    const std::size_t point = decimalSeparatorAt(value);
    const auto kept = static_cast<std::size_t>(std::max(decimals, 0));
    if (point == std::string_view::npos || value.size() - point - 1 <= kept) {
        return std::nullopt;
    }
    std::string digits(value.substr(0, point));
    digits.append(value.substr(point + 1, kept));
    if (value[point + 1 + kept] >= '5') {
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
    if (digits.size() > kMaxRateDigits || digits.find_first_not_of('0') == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t whole = digits.size() - kept;
    return kept == 0 ? digits : digits.substr(0, whole) + "." + digits.substr(whole);
}

} // namespace quiz
