#pragma once

// Unicode's simple case folding, so that names that differ only in case compare equal.

#include <string>
#include <string_view>

namespace quiz {

// The code point folded: "Ё" and "ё" give "ё", "ẞ" gives "ß"; one that has no case is itself.
char32_t caseFolded(char32_t point);

// Each character of the UTF-8 text folded, one for one (the simple folding, never "ss" for
// "ß"); bytes that are not UTF-8 are kept as they are. The text is not normalised first: a
// caller who needs "Е" + U+0308 to equal "Ё" passes NFC.
std::string caseFolded(std::string_view utf8);

} // namespace quiz
