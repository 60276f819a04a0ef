#pragma once

// The host's secrets and the session tokens made of them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quiz {

// The host's unguessable numbers: sessions' tokens, pupils' seeds and runs' identities. A test
// hands in its own.
class SecretSource {
public:
    virtual ~SecretSource() = default;
    virtual std::uint64_t next64() = 0;
};

// The system's random numbers, by libsodium. Throws std::runtime_error where there are none.
class SystemSecrets final : public SecretSource {
public:
    std::uint64_t next64() override;
};

inline constexpr std::size_t kTokenHexDigits = 32; // 128 bits

// 128 bits of `secrets` as kTokenHexDigits lowercase hex digits.
std::string newSessionToken(SecretSource& secrets);
// Whether `text` could be a token at all: kTokenHexDigits lowercase hex digits.
bool isTokenShape(std::string_view text);

} // namespace quiz
