#pragma once

// How numbers are written for the user. The window builds it from the regional settings;
// the core never asks the system, so every text it makes depends only on its inputs.

#include <string>

namespace quiz {

struct NumberStyle {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
    int groupSize = 3; // digits per group of the whole part; 0 or less turns grouping off
};

} // namespace quiz
