#include "core/text/utf8_text.h"

#include <cstdint>
#include <cstring>

namespace quiz {

namespace {

// The index of the first byte at or after `from` that is not ASCII, eight bytes at a time, as
// a large file is mostly ASCII.
std::size_t skipAscii(std::string_view text, std::size_t from) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    for (std::uint64_t word = 0; text.size() - from >= sizeof word; from += sizeof word) {
        std::memcpy(&word, text.data() + from, sizeof word);
        if (word & kHighBits) {
            break;
        }
    }
    while (from < text.size() && static_cast<unsigned char>(text[from]) < 0x80) {
        ++from;
    }
    return from;
}

} // namespace

std::string_view withoutByteOrderMark(std::string_view text) {
    return text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size()) : text;
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return 1;
    }
    // The second byte's range depends on the lead, which rules out overlong forms,
    // surrogates and values above U+10FFFF in one check.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    }
    if (length == 0 || text.size() - at < length) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < low || second > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (!isContinuationByte(text[at + k])) {
            return 0;
        }
    }
    return length;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t at = skipAscii(text, 0); at < text.size(); at = skipAscii(text, at)) {
        const std::size_t length = utf8SequenceLength(text, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

Utf8Character utf8CharacterAt(std::string_view text, std::size_t at) {
    const std::size_t length = utf8SequenceLength(text, at);
    if (length == 0) {
        return {};
    }
    constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    constexpr unsigned kContinuationBits = 6;
    constexpr unsigned char kContinuationMask = 0x3F;
    char32_t point = static_cast<unsigned char>(text[at]) & kLeadBits[length];
    for (std::size_t i = 1; i < length; ++i) {
        point = (point << kContinuationBits) |
                (static_cast<unsigned char>(text[at + i]) & kContinuationMask);
    }
    return {point, length};
}

} // namespace quiz
