#pragma once

// The text the window opens with: what the test is and what the pupil is asked to do.

#include <string_view>

namespace quiz {

// Seven Bulgarian lines in UTF-8, each ended by CR LF.
std::string_view introduction();

} // namespace quiz
