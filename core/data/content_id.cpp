#include "core/data/content_id.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace quiz {

namespace {

constexpr std::uint64_t kMultiplier1 = 0x87c37b91114253d5ULL;
constexpr std::uint64_t kMultiplier2 = 0x4cf5ad432745937fULL;
constexpr std::size_t kWordBytes = 8;
constexpr std::size_t kIdDigits = 12;

std::uint64_t rotateLeft(std::uint64_t value, int bits) {
    return (value << bits) | (value >> (64 - bits));
}

// Little-endian whatever the machine, so that every system names a file alike.
std::uint64_t wordAt(std::string_view bytes, std::size_t at, std::size_t count) {
    std::uint64_t word = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&word, bytes.data() + at, count);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            word |= std::uint64_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
        }
    }
    return word;
}

// MurmurHash3's finaliser: every input bit reaches every output bit.
std::uint64_t mixedFinal(std::uint64_t hash) {
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53ULL;
    hash ^= hash >> 33;
    return hash;
}

std::uint64_t hashOf(std::string_view bytes) {
    std::uint64_t hash = 0x9e3779b97f4a7c15ULL ^ bytes.size();
    std::size_t at = 0;
    for (; at + kWordBytes <= bytes.size(); at += kWordBytes) {
        hash ^= rotateLeft(wordAt(bytes, at, kWordBytes) * kMultiplier1, 31) * kMultiplier2;
        hash = rotateLeft(hash, 27) * 5 + 0x52dce729;
    }
    if (at < bytes.size()) {
        hash ^= rotateLeft(wordAt(bytes, at, bytes.size() - at) * kMultiplier1, 31) * kMultiplier2;
    }
    return mixedFinal(hash);
}

} // namespace

std::string contentId(std::string_view bytes) {
    static constexpr std::array<char, 16> kDigits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                     '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    const std::uint64_t hash = hashOf(bytes);
    std::string id(kIdDigits, '0');
    for (std::size_t i = 0; i < kIdDigits; ++i) {
        id[i] = kDigits[(hash >> (60 - 4 * i)) & 0xf];
    }
    return id;
}

} // namespace quiz
