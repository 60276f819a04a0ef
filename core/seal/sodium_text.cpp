#include "core/seal/sodium_text.h"

#include <sodium.h>

namespace quiz::seal_detail {

namespace {

constexpr int kVariant = sodium_base64_VARIANT_ORIGINAL;

} // namespace

bool sodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

std::string base64(const unsigned char* bytes, std::size_t size) {
    std::string text(sodium_base64_encoded_len(size, kVariant), '\0');
    sodium_bin2base64(text.data(), text.size(), bytes, size, kVariant);
    text.resize(text.size() - 1); // the closing NUL
    return text;
}

std::optional<std::vector<unsigned char>> fromBase64(std::string_view text, std::size_t size) {
    if (text.size() != sodium_base64_encoded_len(size, kVariant) - 1) {
        return std::nullopt;
    }
    std::vector<unsigned char> bytes(size);
    std::size_t length = 0;
    const char* end = nullptr;
    if (sodium_base642bin(bytes.data(), bytes.size(), text.data(), text.size(), nullptr, &length,
                          &end, kVariant) != 0 ||
        length != size || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace quiz::seal_detail
