#include "core/network_lesson/join_code.h"

#include <algorithm>
#include <stdexcept>

namespace quiz {

namespace {

// 0 to `count` - 1 from one value of the stream; 24 bits leave each a fair share.
int drawBelow(RandomSource& random, int count) {
    const int value = static_cast<int>(random.next() * static_cast<float>(count));
    return std::clamp(value, 0, count - 1);
}

} // namespace

std::string drawJoinCode(RandomSource& random, int digits) {
    constexpr int kDecimal = 10;
    if (digits < kLeastCodeDigits || digits > kMostCodeDigits) {
        throw std::out_of_range("a join code has 4 to 6 digits, not " + std::to_string(digits));
    }
    std::string code;
    code.push_back(static_cast<char>('1' + drawBelow(random, kDecimal - 1)));
    while (static_cast<int>(code.size()) < digits) {
        code.push_back(static_cast<char>('0' + drawBelow(random, kDecimal)));
    }
    return code;
}

bool codeMatches(std::string_view typed, std::string_view code) {
    std::size_t matched = 0;
    for (const char c : typed) {
        if (c == ' ') {
            continue;
        }
        if (matched == code.size() || c != code[matched]) {
            return false;
        }
        ++matched;
    }
    return matched == code.size() && !code.empty();
}

} // namespace quiz
