#include "core/data/rate_runs.h"

namespace quiz::rates {

void ColumnRuns::closeOpen() {
    if (open_.size() > longest_.length) {
        longest_ = {openFirst_, open_.size()};
    }
    if (open_.size() >= static_cast<std::size_t>(kValueCount)) {
        if (open_.capacity() > 2 * open_.size()) {
            open_.shrink_to_fit();
        }
        kept_.push_back({openFirst_, std::move(open_), openDigits_});
    }
    open_.clear();
}

} // namespace quiz::rates
