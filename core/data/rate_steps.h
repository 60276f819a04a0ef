#pragma once

// Thousands separators misread as decimal points, seen as a column's value jumping a
// thousandfold from one row to the next.

#include "core/data/rate_cells.h"

#include <string>
#include <string_view>

namespace quiz::rates {

bool isThousandfold(std::string_view a, std::string_view b);

// The power of ten of a checked value's first digit that is not 0: 2 for "123.4", -2 for
// "0.01". Values whose powers differ by less than 2 are less than 100 times apart, so most
// values are compared by this alone, which costs less than reading them.
inline int leadingPower(std::string_view value, const Makeup& makeup) {
    if (value.front() != '0') { // the digits before the separator tell, or the length
        if (makeup.separators == 0) {
            return static_cast<int>(value.size()) - 1;
        }
        std::size_t point = 1;
        while (isDigit(value[point])) {
            ++point;
        }
        return static_cast<int>(point) - 1;
    }
    std::size_t point = 0;
    while (point < value.size() && isDigit(value[point])) {
        ++point;
    }
    std::size_t first = 0;
    while (first < value.size() && (value[first] == '0' || !isDigit(value[first]))) {
        ++first;
    }
    return static_cast<int>(point) - static_cast<int>(first) - (first < point ? 1 : 0);
}

// The last value read in a column, which the next one is compared with, gaps or not.
struct LastValue {
    std::string_view text;     // empty before the first
    int power = 0;             // leadingPower(text)
    bool decimalComma = false; // made a point in `text` since

    // The value as the file wrote it.
    std::string asWritten() const;
};

} // namespace quiz::rates
