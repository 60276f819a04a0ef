#include "core/text/share_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace quiz;

TEST(ShareText, RoundsToTenthsButNeverToANothingOrAWholeItIsNot) {
    const NumberStyle comma{.decimalSeparator = ","};
    const struct {
        double share;
        const char* text;
    } cases[] = {
        {0.0, "0\u00a0%"},     {0.00049, "под 0,1\u00a0%"}, {0.00099, "под 0,1\u00a0%"},
        {0.001, "0,1\u00a0%"}, {0.125, "12,5\u00a0%"},      {0.3125, "31,3\u00a0%"},
        {0.75, "75\u00a0%"},   {0.999, "99,9\u00a0%"},      {0.9996, "над 99,9\u00a0%"},
        {1.0, "100\u00a0%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shareText(c.share, comma), c.text) << c.share;
    }
    EXPECT_EQ(shareText(0.125, NumberStyle{}), "12.5\u00a0%");
}

TEST(ShareText, RefusesWhatIsNoShare) {
    for (const double share : {-0.1, 1.5, std::nan("")}) {
        EXPECT_THROW(shareText(share, NumberStyle{}), std::invalid_argument) << share;
    }
}
