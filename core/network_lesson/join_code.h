#pragma once

// The lesson's join code: a few digits, new for each lesson, that a pupil types to join it.

#include "core/random/random_source.h"

#include <string>
#include <string_view>

namespace quiz {

inline constexpr int kLeastCodeDigits = 4;
inline constexpr int kMostCodeDigits = 6;

// `digits` digits (kLeastCodeDigits to kMostCodeDigits, else std::out_of_range), one draw of
// `random` each, the first never 0 so that no page or spreadsheet drops it.
std::string drawJoinCode(RandomSource& random, int digits);
// Whether `typed` is `code`, blanks anywhere in it ignored ("123 456").
bool codeMatches(std::string_view typed, std::string_view code);

} // namespace quiz
