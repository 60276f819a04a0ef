#include "core/network_lesson/session_token.h"

#include <gtest/gtest.h>

#include <string>

using namespace quiz;

namespace {

class TwoSecrets final : public SecretSource {
public:
    std::uint64_t next64() override { return next_++ == 0 ? 0x0123456789ABCDEFULL : 0xF0ULL; }

private:
    int next_ = 0;
};

} // namespace

TEST(SessionToken, IsTwoSecretsInHexOfItsOwnShape) {
    TwoSecrets secrets;
    EXPECT_EQ(newSessionToken(secrets), "0123456789abcdef00000000000000f0");
    for (const std::string_view other :
         {"0123456789abcdef00000000000000f", "0123456789abcdef00000000000000f00",
          "0123456789ABCDEF00000000000000F0", "0123456789abcdef00000000000000g0", ""}) {
        EXPECT_FALSE(isTokenShape(other)) << other;
    }
    SystemSecrets system;
    const std::string token = newSessionToken(system);
    EXPECT_TRUE(isTokenShape(token));
    EXPECT_NE(token, newSessionToken(system));
}
