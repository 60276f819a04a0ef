#pragma once

// Where and why a rate file is refused: its name, line and field, and a reason with arguments.

#include "core/data/rate_table.h"
#include "core/text/message_text.h"

#include <string>
#include <string_view>
#include <vector>

namespace quiz::rates {

class Messages {
public:
    explicit Messages(std::string_view name) : name_(scrubControls(name)) {}

    [[noreturn]] void fail(RateReason reason, std::vector<std::string> arguments = {}) const {
        throw RateFileError(name_, reason, std::move(arguments));
    }
    [[noreturn]] void fail(std::size_t line, std::size_t field, RateReason reason,
                           std::vector<std::string> arguments = {}) const {
        throw RateFileError(name_ + ":" + std::to_string(line) + ":" + std::to_string(field),
                            reason, std::move(arguments));
    }

private:
    std::string name_;
};

} // namespace quiz::rates
