#pragma once

// A short name for a data file's bytes, the same on every system and in every run: a logged row
// names the teacher's file it was played from, and the teacher's view finds that file again.

#include <string>
#include <string_view>

namespace quiz {

// 12 hex digits (48 bits) of a 64-bit hash of `bytes`. Not a cryptographic hash: anyone who
// can put a file in the class folder can name its id anyway, and a file's id is only looked
// for among the files there.
std::string contentId(std::string_view bytes);

} // namespace quiz
