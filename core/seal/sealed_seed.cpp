#include "core/seal/sealed_seed.h"

#include "core/seal/sodium_text.h"

#include <sodium.h>

#include <array>

namespace quiz {

using namespace seal_detail;

namespace {

// The seed, its origin and the run, little-endian whatever the system.
constexpr std::size_t kPlainBytes = 4 + 1 + 8;
constexpr std::size_t kSealedBytes = kPlainBytes + crypto_box_SEALBYTES;
static_assert(((kSealedBytes + 2) / 3) * 4 == kSealedSeedMostCharacters);

using Plain = std::array<unsigned char, kPlainBytes>;

Plain plainOf(const RunSeed& seed) {
    Plain plain{};
    for (std::size_t i = 0; i < 4; ++i) {
        plain[i] = static_cast<unsigned char>(seed.seed >> (8 * i));
    }
    plain[4] = static_cast<unsigned char>(seed.origin);
    for (std::size_t i = 0; i < 8; ++i) {
        plain[5 + i] = static_cast<unsigned char>(seed.run >> (8 * i));
    }
    return plain;
}

std::optional<RunSeed> runSeedOf(const Plain& plain) {
    if (plain[4] > static_cast<unsigned char>(SeedOrigin::Lesson)) {
        return std::nullopt;
    }
    RunSeed seed;
    for (std::size_t i = 0; i < 4; ++i) {
        seed.seed |= static_cast<std::uint32_t>(plain[i]) << (8 * i);
    }
    seed.origin = static_cast<SeedOrigin>(plain[4]);
    for (std::size_t i = 0; i < 8; ++i) {
        seed.run |= static_cast<std::uint64_t>(plain[5 + i]) << (8 * i);
    }
    return seed;
}

} // namespace

std::uint64_t newRunId() {
    std::uint64_t run = 0;
    if (sodiumReady()) {
        randombytes_buf(&run, sizeof run);
    }
    return run;
}

std::string sealSeed(const RunSeed& seed, std::string_view publicKey) {
    const auto key = fromBase64(publicKey, crypto_box_PUBLICKEYBYTES);
    if (!key || !sodiumReady()) {
        return {};
    }
    const Plain plain = plainOf(seed);
    std::array<unsigned char, kSealedBytes> sealed{};
    if (crypto_box_seal(sealed.data(), plain.data(), plain.size(), key->data()) != 0) {
        return {};
    }
    return base64(sealed.data(), sealed.size());
}

std::optional<RunSeed> openSeed(std::string_view sealed, const SealKeys& keys) {
    const auto box = fromBase64(sealed, kSealedBytes);
    const auto publicKey = fromBase64(keys.publicKey, crypto_box_PUBLICKEYBYTES);
    auto secretKey = fromBase64(keys.secretKey, crypto_box_SECRETKEYBYTES);
    if (!box || !publicKey || !secretKey || !sodiumReady()) {
        return std::nullopt;
    }
    Plain plain{};
    const bool opened = crypto_box_seal_open(plain.data(), box->data(), box->size(),
                                             publicKey->data(), secretKey->data()) == 0;
    sodium_memzero(secretKey->data(), secretKey->size());
    return opened ? runSeedOf(plain) : std::nullopt;
}

} // namespace quiz
