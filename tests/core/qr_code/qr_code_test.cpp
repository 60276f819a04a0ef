// The QR code of a lesson's address: the modules a phone's reader looks for, and texts that
// make no code refused.

#include "core/qr_code/qr_code.h"

#include <gtest/gtest.h>

#include <string>

namespace quiz {
namespace {

// A finder pattern: a dark ring, a light ring, a dark 3×3 centre, with its top-left at (top, left).
void expectFinderAt(const QrCode& code, int top, int left) {
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 7; ++c) {
            const bool ring = r == 0 || r == 6 || c == 0 || c == 6;
            const bool centre = r >= 2 && r <= 4 && c >= 2 && c <= 4;
            EXPECT_EQ(code.dark(top + r, left + c), ring || centre) << r << "," << c;
        }
    }
}

TEST(QrCode, DrawsTheFinderAndTimingPatternsOfAnAddress) {
    for (const std::string address :
         {"http://192.168.1.20:8080/", "http://10.0.0.7:80/", "http://[fe80::1]:8080/"}) {
        const auto code = qrCodeOf(address);
        ASSERT_TRUE(code.has_value()) << address;
        ASSERT_EQ((code->size - 17) % 4, 0);
        ASSERT_EQ(code->modules.size(), static_cast<std::size_t>(code->size * code->size));
        expectFinderAt(*code, 0, 0);
        expectFinderAt(*code, 0, code->size - 7);
        expectFinderAt(*code, code->size - 7, 0);
        for (int i = 8; i < code->size - 8; ++i) {
            EXPECT_EQ(code->dark(6, i), i % 2 == 0) << address << " column " << i;
        }
    }
}

TEST(QrCode, GivesEachAddressItsOwnCode) {
    EXPECT_NE(qrCodeOf("http://192.168.1.20:8080/"), qrCodeOf("http://192.168.1.21:8080/"));
    EXPECT_EQ(qrCodeOf("http://192.168.1.20:8080/"), qrCodeOf("http://192.168.1.20:8080/"));
}

TEST(QrCode, RefusesTextsThatMakeNoCode) {
    EXPECT_FALSE(qrCodeOf("").has_value());
    EXPECT_FALSE(qrCodeOf(std::string("http://a\0b", 10)).has_value());
    EXPECT_FALSE(qrCodeOf(std::string(8000, 'a')).has_value()); // beyond the largest code
}

} // namespace
} // namespace quiz
