#pragma once

// One quiz turn: which series is shown, on which side, and the two lists of texts.

#include "core/number_style.h"
#include "core/random_source.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quiz {

// The values a generated list can take, both ends included.
struct Band {
    double low = 0.0;
    double high = 0.0;
};

struct Turn {
    std::int16_t CurrencyNo = 0; // 1..6, the series shown; 0 before the first turn
    int RealSide = 0;            // index of the list that holds the real series
    double Spread = 0.0;         // largest minus smallest real value
    std::array<std::vector<std::string>, 2> lists;
    std::array<std::vector<double>, 2> values; // the numbers the two lists' texts show
    Band band;                                 // where the generated values lie

    int generatedSide() const { return 1 - RealSide; }
};

// Largest minus smallest value; 0 for no values.
double spreadOf(const std::vector<double>& values);

// Draws and fills a new turn, consuming exactly 2 + 43 values of the stream: the series,
// the side, then one per generated value. Both lists are written in the given style: the
// stored texts keep their digits, only the separator follows the style.
Turn NewTurn(RandomSource& random, const NumberStyle& style);

} // namespace quiz
