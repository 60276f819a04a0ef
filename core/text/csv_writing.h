#pragma once

// Writing CSV as RFC 4180 does, for the files the program writes.

#include <string>
#include <string_view>

namespace quiz {

inline constexpr std::string_view kCsvLineEnd = "\r\n";

// A field as RFC 4180 writes it: quoted when it holds the separator, a quote or a line break,
// and also when it starts or ends with a blank, which spreadsheets would otherwise trim.
std::string csvQuoted(std::string_view text, std::string_view separator = ",");

} // namespace quiz
