#include "core/text/share_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace quiz;

TEST(SharePercent, RoundsToTenthsButNeverToANothingOrAWholeItIsNot) {
    const NumberStyle comma{.decimalSeparator = ","};
    const struct {
        double share;
        const char* percent;
        ShareBound bound;
    } cases[] = {
        {0.0, "0\u00a0%", ShareBound::Exact},       {0.00049, "0,1\u00a0%", ShareBound::Under},
        {0.00099, "0,1\u00a0%", ShareBound::Under}, {0.001, "0,1\u00a0%", ShareBound::Exact},
        {0.125, "12,5\u00a0%", ShareBound::Exact},  {0.3125, "31,3\u00a0%", ShareBound::Exact},
        {0.75, "75\u00a0%", ShareBound::Exact},     {0.999, "99,9\u00a0%", ShareBound::Exact},
        {0.9996, "99,9\u00a0%", ShareBound::Over},  {1.0, "100\u00a0%", ShareBound::Exact},
    };
    for (const auto& c : cases) {
        const SharePercent written = sharePercent(c.share, comma);
        EXPECT_EQ(written.percent, c.percent) << c.share;
        EXPECT_EQ(written.bound, c.bound) << c.share;
    }
    EXPECT_EQ(sharePercent(0.125, NumberStyle{}).percent, "12.5\u00a0%");
}

TEST(SharePercent, RefusesWhatIsNoShare) {
    for (const double share : {-0.1, 1.5, std::nan("")}) {
        EXPECT_THROW(sharePercent(share, NumberStyle{}), std::invalid_argument) << share;
    }
}
