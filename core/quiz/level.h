#pragma once

// The difficulty levels: how many there are. How each makes its list is made_up_list's; their
// names for people are the windows'.

namespace quiz {

inline constexpr int kLevelCount = 5; // 0, the quiz as designed, up to 4

bool isLevel(int level);

} // namespace quiz
