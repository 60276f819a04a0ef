#pragma once

// The teacher's key pair for sealing seeds, as text: the public key goes into the class folder,
// the secret key stays in the teacher's own settings.

#include <optional>
#include <string>
#include <string_view>

namespace quiz {

struct SealKeys {
    std::string publicKey; // base64, as lesson.ini holds it
    std::string secretKey; // base64; never written into the class folder

    bool operator==(const SealKeys&) const = default;
};

// A new pair from the system's random numbers.
SealKeys makeSealKeys();

// Whether `text` is a public key as makeSealKeys writes it.
bool isSealPublicKey(std::string_view text);

// The pair of a stored secret key, its public key worked out again; none when `secretKey` is
// no secret key.
std::optional<SealKeys> sealKeysOf(std::string_view secretKey);

} // namespace quiz
