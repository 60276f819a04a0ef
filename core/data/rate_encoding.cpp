#include "core/data/rate_encoding.h"

#include "core/data/rate_file_reasons.h"
#include "core/text/utf8_text.h"

#include <algorithm>
#include <array>

namespace quiz::rates {

namespace {

// Windows-1251 bytes 0x80..0xBF; 0xC0..0xFF are А..я in order. 0x98 is unassigned.
constexpr std::array<char16_t, 64> kWindows1251High{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

void appendUtf8(std::string& out, char16_t code) {
    if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (code & 0x3F));
}

std::string fromWindows1251(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            appendUtf8(out, byte >= 0xC0 ? char16_t(0x0410 + (byte - 0xC0))
                                         : kWindows1251High[byte - 0x80]);
        }
    }
    return out;
}

// How far into a file NUL bytes are counted to recognise UTF-16 without its byte-order mark.
constexpr std::size_t kUtf16Probe = 4096;

// Whether NULs fill one byte of many pairs and never the other, as in UTF-16 of ASCII digits
// and separators, whichever end comes first; a Cyrillic header's characters have no NUL, so
// the first pair alone does not tell. Other binary files hold NULs at both bytes.
bool hasUtf16Nuls(std::string_view bytes) {
    const std::size_t pairs = std::min(bytes.size(), kUtf16Probe) / 2;
    std::array<std::size_t, 2> nuls{};
    for (std::size_t i = 0; i < 2 * pairs; ++i) {
        nuls[i % 2] += bytes[i] == '\0' ? 1 : 0;
    }
    constexpr std::size_t kShare = 4; // at least one pair in four
    return (nuls[0] == 0) != (nuls[1] == 0) && kShare * (nuls[0] + nuls[1]) >= pairs;
}

// Whether the text is UTF-16, with or without its byte-order mark: a text file of ours never
// starts with a NUL byte beside another character, as UTF-16's ASCII characters do.
bool isUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
           (bytes.size() >= 2 && (bytes[0] == '\0') != (bytes[1] == '\0')) || hasUtf16Nuls(bytes);
}

} // namespace

std::string_view asUtf8(std::string_view bytes, std::string& converted, const Messages& messages) {
    if (isUtf16(bytes)) {
        messages.fail(RateReason::Utf16);
    }
    bytes = withoutByteOrderMark(bytes);
    if (isValidUtf8(bytes)) {
        return bytes;
    }
    converted = fromWindows1251(bytes);
    return converted;
}

} // namespace quiz::rates
