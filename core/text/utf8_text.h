#pragma once

// UTF-8 as files bring it: the byte-order mark some programs put first, and well-formedness.

#include <cstddef>
#include <string_view>

namespace quiz {

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The text without the byte-order mark it may start with.
std::string_view withoutByteOrderMark(std::string_view text);

bool isContinuationByte(char c);

// The length of the well-formed UTF-8 sequence at `at`, 1 for ASCII, or 0: overlong forms,
// surrogates, code points past U+10FFFF and cut sequences are not well-formed.
std::size_t utf8SequenceLength(std::string_view text, std::size_t at);

bool isValidUtf8(std::string_view text);

// The code point at `at` and its length in bytes; length 0 where no well-formed sequence starts.
struct Utf8Character {
    char32_t codePoint = 0;
    std::size_t length = 0;
};
Utf8Character utf8CharacterAt(std::string_view text, std::size_t at);

} // namespace quiz
