#include "core/data/draw_map.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <stdexcept>

using namespace quiz;

namespace {

constexpr std::uint32_t kValues = 1U << 24; // every r the random source can deliver
constexpr float kLargestR = 1.0F - 0x1p-24F;

float rAt(std::uint32_t k) {
    return static_cast<float>(k) * 0x1p-24F;
}

// round(k * 100 / 2^24), ties to even, in integer arithmetic alone.
std::uint32_t percentOf(std::uint32_t k) {
    const std::uint64_t scaled = std::uint64_t{k} * 100;
    const std::uint64_t whole = scaled >> 24;
    const std::uint64_t rest = scaled & (kValues - 1);
    const std::uint64_t half = kValues / 2;
    const bool up = rest > half || (rest == half && whole % 2 == 1);
    return static_cast<std::uint32_t>(whole + (up ? 1 : 0));
}

} // namespace

TEST(DrawMap, EdgesOfTheScale) {
    EXPECT_EQ(currencyNoFrom(0.0F), 1);
    EXPECT_EQ(currencyNoFrom(0.125F), 1);    // 12.5 rounds to 12, and 12 mod 6 + 1 is 1
    EXPECT_EQ(currencyNoFrom(0.135F), 3);    // 13.5 and a hair more: 14, and 14 mod 6 + 1 is 3
    EXPECT_EQ(currencyNoFrom(kLargestR), 5); // rounds to 100: 100 mod 6 + 1
    EXPECT_EQ(sideFrom(kLargestR), 0);
    EXPECT_EQ(sideFrom(0.125F), 0);
    EXPECT_EQ(sideFrom(0.01F), 1);
    EXPECT_EQ(offsetFrom(kLargestR, 26000), 1'000'000 % 26000);
    EXPECT_EQ(offsetFrom(0.0F, 26000), 0);
    EXPECT_EQ(offsetFrom(rAt(436191), 26000), 25999); // r * 1e6 = 25999.009...
    EXPECT_THROW(offsetFrom(0.5F, 0), std::invalid_argument);
}

// The stated odds (16.5 %, 17 %, 17 %, 17 %, 16.5 %, 16 % and 50/50) follow from rounding
// the double product; rounding it in single precision would shift some of the ties.
TEST(DrawMap, OddsOverEveryPossibleR) {
    std::array<std::uint32_t, 7> currencies{};
    std::array<std::uint32_t, 7> expectedCurrencies{};
    std::array<std::uint32_t, 2> sides{};
    for (std::uint32_t k = 0; k < kValues; ++k) {
        const float r = rAt(k);
        ++currencies[static_cast<std::size_t>(currencyNoFrom(r))];
        ++expectedCurrencies[percentOf(k) % 6 + 1];
        ++sides[static_cast<std::size_t>(sideFrom(r))];
    }
    EXPECT_EQ(currencies, expectedCurrencies);
    EXPECT_EQ(currencies[0], 0U);

    const std::array<double, 7> odds{0.0, 0.165, 0.17, 0.17, 0.17, 0.165, 0.16};
    for (std::size_t number = 1; number <= 6; ++number) {
        EXPECT_NEAR(currencies[number] / double{kValues}, odds[number], 1e-6) << number;
    }
    EXPECT_NEAR(sides[0] / double{kValues}, 0.5, 1e-6);
    EXPECT_EQ(sides[0] + sides[1], kValues);
}
