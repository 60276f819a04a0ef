#include "core/network_lesson/join_code.h"

#include "tests/support/sequence_random.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quiz;

TEST(JoinCode, HasItsDigitsOneDrawEachTheFirstNeverZero) {
    struct Case {
        std::vector<float> draws;
        std::string code;
    };
    const std::vector<Case> cases{
        {{0.0F, 0.0F, 0.0F, 0.0F}, "1000"},
        {{0.999F, 0.999F, 0.999F, 0.999F, 0.999F, 0.999F}, "999999"},
        {{0.5F, 0.25F, 0.75F, 0.05F, 0.95F}, "52709"},
    };
    for (const Case& c : cases) {
        SequenceRandomSource random(c.draws);
        EXPECT_EQ(drawJoinCode(random, static_cast<int>(c.draws.size())), c.code);
    }
    SequenceRandomSource random({0.5F, 0.5F, 0.5F, 0.5F, 0.5F, 0.5F, 0.5F});
    EXPECT_THROW(drawJoinCode(random, 3), std::out_of_range);
    EXPECT_THROW(drawJoinCode(random, 7), std::out_of_range);
}

TEST(JoinCode, MatchesAsTypedWithBlanksAnywhere) {
    const std::vector<std::pair<std::string, bool>> cases{
        {"123456", true},
        {"123 456", true},
        {" 1 2 3 4 5 6 ", true},
        {"12345", false},
        {"1234567", false},
        {"123457", false},
        {"", false},
        {"12345\t6", false},
        {"123456 7", false},
        {"１２３４５６", false},
    };
    for (const auto& [typed, matches] : cases) {
        EXPECT_EQ(codeMatches(typed, "123456"), matches) << "'" << typed << "'";
    }
    EXPECT_FALSE(codeMatches("", ""));
}
