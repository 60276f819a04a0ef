#pragma once

// Where the reveal chart puts each value: the range it shows, its ticks and their decimals.

#include "core/turns/turn.h"

#include <vector>

namespace quiz {

struct ChartScale {
    double low = 0.0;          // the value at the bottom of the plot
    double high = 1.0;         // the value at the top
    std::vector<double> ticks; // round numbers on the value axis, bottom to top, evenly spaced
    int tickDecimals = 0;      // all that the ticks have, so neighbouring ones never read the same

    // 0 at the bottom of the plot, 1 at the top.
    double heightFraction(double value) const { return (value - low) / (high - low); }
    // 0 for the first position of a list, 1 for the last.
    static double widthFraction(int position);
};

// Both lists and the band (where there is one), with a margin of 5 % of their range above and
// below.
ChartScale chartScale(const Turn& turn);

} // namespace quiz
