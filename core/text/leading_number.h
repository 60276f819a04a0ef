#pragma once

// Reading a number from the start of a text, the same under every locale.

#include <string_view>

namespace quiz {

// Skips leading blanks and tabs, then reads an optional sign and the longest decimal prefix
// with "." as the point ("1.47x" gives 1.47, "1,5" gives 1). No number at all gives 0.
// Locale-free whatever setlocale() says, since the stored texts always use ".".
double parseLeadingNumber(std::string_view text);

} // namespace quiz
