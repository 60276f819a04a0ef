#include "core/data/rate_cells.h"

namespace quiz::rates {

std::size_t lineCount(std::string_view text) {
    std::size_t ends = 0;
    for (std::size_t at = text.find('\n'); at != std::string_view::npos;
         at = text.find('\n', at + 1)) {
        ++ends;
    }
    for (std::size_t at = text.find('\r'); at != std::string_view::npos;
         at = text.find('\r', at + 1)) {
        ends += text.substr(at + 1, 1) == "\n" ? 0 : 1;
    }
    return ends + 1;
}

RateReason notANumberProblem(std::string_view cell) {
    const std::string_view magnitude = cell.substr(1);
    return cell.size() > 1 && cell.front() == '-' && isNumberShaped(magnitude, makeup(magnitude))
               ? RateReason::NotPositive
               : RateReason::NotANumber;
}

} // namespace quiz::rates
