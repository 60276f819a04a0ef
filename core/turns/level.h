#pragma once

// The difficulty levels: how many there are. How each makes its list is made_up_list's; their
// names for people are the windows'.

#include <optional>
#include <string_view>

namespace quiz {

inline constexpr int kLevelCount = 5; // 0, the quiz as designed, up to 4
// Chosen instead of a level: each turn dealt at the level the pupil's staircase has reached.
inline constexpr int kAdaptiveLevel = -1;

bool isLevel(int level);
// A level, or kAdaptiveLevel.
bool isLevelChoice(int level);
// A level as typed: one digit of a level, or "auto" for kAdaptiveLevel; none for anything else.
std::optional<int> levelFromText(std::string_view text);

} // namespace quiz
