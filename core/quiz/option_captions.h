#pragma once

// The captions of the two options, which name the lists below them wherever a side is named.

#include <array>
#include <string_view>

namespace quiz {

inline constexpr std::array<std::string_view, 2> kOptionCaptions{"Твърдо да", "Може би"};

} // namespace quiz
