#include "core/seal/seal_keys.h"

#include "core/seal/sodium_text.h"

#include <sodium.h>

#include <array>

namespace quiz {

using namespace seal_detail;

SealKeys makeSealKeys() {
    if (!sodiumReady()) {
        return {};
    }
    std::array<unsigned char, crypto_box_PUBLICKEYBYTES> publicKey{};
    std::array<unsigned char, crypto_box_SECRETKEYBYTES> secretKey{};
    crypto_box_keypair(publicKey.data(), secretKey.data());
    SealKeys keys{base64(publicKey.data(), publicKey.size()),
                  base64(secretKey.data(), secretKey.size())};
    sodium_memzero(secretKey.data(), secretKey.size());
    return keys;
}

bool isSealPublicKey(std::string_view text) {
    return fromBase64(text, crypto_box_PUBLICKEYBYTES).has_value();
}

std::optional<SealKeys> sealKeysOf(std::string_view secretKey) {
    std::optional<std::vector<unsigned char>> secret =
        fromBase64(secretKey, crypto_box_SECRETKEYBYTES);
    if (!secret || !sodiumReady()) {
        return std::nullopt;
    }
    std::array<unsigned char, crypto_box_PUBLICKEYBYTES> publicKey{};
    const bool worked = crypto_scalarmult_base(publicKey.data(), secret->data()) == 0;
    sodium_memzero(secret->data(), secret->size());
    if (!worked) {
        return std::nullopt;
    }
    return SealKeys{base64(publicKey.data(), publicKey.size()), std::string(secretKey)};
}

} // namespace quiz
