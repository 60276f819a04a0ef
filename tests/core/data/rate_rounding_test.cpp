#include "core/data/rate_rounding.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quiz {
namespace {

TEST(RateRounding, RoundsLongValuesToSixDecimals) {
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases = {
        {"0.9108986183789483", "0.910899"},  // what a program writes from a double
        {"0,9108986183789483", "0.910899"},  // with a decimal comma
        {"1.0999994999999999", "1.099999"},  // below half stays down
        {"1.0999995000000000", "1.100000"},  // half goes up, zeros kept
        {"9.9999999999999999", "10.000000"}, // the carry adds a digit
        {"0.0000123456789012", "0.000012"},
        {"123456789.1234567", "123456789.123457"}, // fifteen digits, just
        {"1234567890.123456", std::nullopt},       // whole digits leave no room
        {"1234567890.1234567", std::nullopt},      // sixteen digits even rounded
        {"0.0000000123456789", std::nullopt},      // rounds to zero
        {"12345678901234567", std::nullopt},       // no decimals to round away
    };
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(roundedRate(value), rounded) << value;
        if (rounded) {
            EXPECT_LE(rounded->size(), value.size()) << value;
        }
    }
}

} // namespace
} // namespace quiz
