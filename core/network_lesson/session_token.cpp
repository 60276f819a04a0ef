#include "core/network_lesson/session_token.h"

#include "core/seal/sealed_seed.h"

#include <stdexcept>

namespace quiz {

std::uint64_t SystemSecrets::next64() {
    // newRunId gives 0 only where libsodium has no random numbers (a value of 0 by chance is
    // one in 2^64): a token of zeros would be everyone's.
    const std::uint64_t value = newRunId();
    if (value == 0) {
        throw std::runtime_error("the system gives no random numbers");
    }
    return value;
}

std::string newSessionToken(SecretSource& secrets) {
    constexpr std::string_view kHex = "0123456789abcdef";
    constexpr int kBitsPerDigit = 4;
    constexpr std::uint64_t kDigitMask = 0xF;
    std::string token;
    token.reserve(kTokenHexDigits);
    for (int half = 0; half < 2; ++half) {
        const std::uint64_t bits = secrets.next64();
        for (int shift = 64 - kBitsPerDigit; shift >= 0; shift -= kBitsPerDigit) {
            token.push_back(kHex[(bits >> shift) & kDigitMask]);
        }
    }
    return token;
}

bool isTokenShape(std::string_view text) {
    return text.size() == kTokenHexDigits &&
           text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

} // namespace quiz
