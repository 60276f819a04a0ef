#pragma once

// The difficulty levels: how many there are. How each makes its list is made_up_list's; their
// names for people are the windows'.

namespace quiz {

inline constexpr int kLevelCount = 5; // 0, the quiz as designed, up to 4
// Chosen instead of a level: each turn dealt at the level the pupil's staircase has reached.
inline constexpr int kAdaptiveLevel = -1;

bool isLevel(int level);
// A level, or kAdaptiveLevel.
bool isLevelChoice(int level);

} // namespace quiz
