#pragma once

// A value column's unbroken runs, gathered row by row as a rate file is read.

#include "core/data/catalogue.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

namespace quiz::rates {

// Rows counted from 0, in file order or in date order, as each use says.
struct Span {
    std::size_t first = 0;
    std::size_t length = 0;

    std::size_t last() const { return first + length - 1; }
};

// The widest parts of a run's values: the most digits before the separator and after it.
struct RunDigits {
    int whole = 0;
    int decimals = 0;
};

// A run long enough to keep, as the file lists it: `first` is its first row in file order.
struct KeptRun {
    std::size_t first = 0;
    std::vector<std::string_view> texts;
    RunDigits digits;
};

// One value column, gathered row by row: its runs long enough to keep, and the longest one
// seen. The open run's buffer is reused, so a column of short runs costs no more memory.
class ColumnRuns {
public:
    // `rowsLeft` bounds how long a run starting at `row` can grow: room for that many is
    // taken at once, as growing dozens of buffers step by step costs more than reading.
    // `whole` is the digits of `text` before its separator, as reading it found.
    void add(std::size_t row, std::string_view text, std::size_t rowsLeft, int whole) {
        if (open_.empty()) {
            openFirst_ = row;
            open_.reserve(rowsLeft);
            openDigits_ = {};
        }
        open_.push_back(text);
        openDigits_.whole = std::max(openDigits_.whole, whole);
        openDigits_.decimals =
            std::max(openDigits_.decimals, static_cast<int>(text.size()) - whole - 1);
    }

    // A gap or the end of the file ends the open run. Every missing cell comes here, most of
    // them with no run open.
    void close() {
        if (!open_.empty()) {
            closeOpen();
        }
    }

    std::vector<KeptRun>& kept() { return kept_; }
    const Span& longest() const { return longest_; }

private:
    void closeOpen();

    std::size_t openFirst_ = 0;
    std::vector<std::string_view> open_;
    RunDigits openDigits_;
    std::vector<KeptRun> kept_;
    Span longest_;
};

} // namespace quiz::rates
