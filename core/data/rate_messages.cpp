#include "core/data/rate_messages.h"

namespace quiz {

namespace {

std::string idText(RateReason reason, const std::vector<std::string>& arguments) {
    std::string text = rateReasonName(reason);
    if (arguments.empty()) {
        return text;
    }
    text += '(';
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        text += (i == 0 ? "" : ", ") + arguments[i];
    }
    return text + ')';
}

} // namespace

RateFileError::RateFileError(std::string place, RateReason reason,
                             std::vector<std::string> arguments)
    : std::runtime_error(place + ": " + idText(reason, arguments)), place_(std::move(place)),
      reason_(reason), arguments_(std::move(arguments)) {}

} // namespace quiz
