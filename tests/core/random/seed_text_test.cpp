#include "core/random/seed_text.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using quiz::seedFromText;

struct SeedCase {
    const char* text;
    std::optional<std::uint32_t> seed;
};

TEST(SeedTextTest, TakesDigitsUpToTheLargestSeedOnly) {
    const SeedCase cases[] = {
        {"0", 0u},
        {"0042", 42u},
        {"4294967295", 4294967295u},
        {"4294967296", std::nullopt},
        {"99999999999", std::nullopt},
        {"", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {" 1", std::nullopt},
        {"1e3", std::nullopt},
        {"١٢", std::nullopt}, // digits of another script
    };
    for (const SeedCase& test : cases) {
        EXPECT_EQ(seedFromText(test.text), test.seed) << test.text;
    }
}

} // namespace
