#pragma once

// The difficulty levels: how the made-up list of a turn is made, in the teacher's words.

#include <string_view>

namespace quiz {

inline constexpr int kLevelCount = 5; // 0, the quiz as designed, up to 4

bool isLevel(int level);
// A short Bulgarian name for the menu ("1 – случайно лутане").
std::string_view levelName(int level);
// One Bulgarian sentence for after the answer: how the made-up list was made and what a
// careful eye could still notice.
std::string_view levelExplanation(int level);

} // namespace quiz
