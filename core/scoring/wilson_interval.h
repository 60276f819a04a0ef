#pragma once

// Where a share of right answers probably lies: Wilson's 95 % score interval for k right of n.

namespace quiz {

struct ShareInterval {
    double low = 0.0;
    double high = 1.0;

    bool operator==(const ShareInterval&) const = default;
};

// Unlike "share ± 1.96 standard errors" it stays within 0..1 and is not zero wide at 0 or n
// right, which a handful of answers at one level often are. No answers: the whole 0..1.
ShareInterval wilsonInterval(int right, int answered);

} // namespace quiz
