#include "core/network_lesson/wrong_code_limit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quiz;
using std::chrono::seconds;

namespace {

struct Attempt {
    std::string address;
    int second;   // when
    bool wrong;   // recorded as a wrong code unless blocked
    bool blocked; // what blocked() says first
};

// Each attempt asks first, as a join does, and counts a wrong code only when let through.
void play(WrongCodeLimit& limit, const std::vector<Attempt>& attempts) {
    for (std::size_t i = 0; i < attempts.size(); ++i) {
        const Attempt& a = attempts[i];
        const LessonTime now = seconds(a.second);
        EXPECT_EQ(limit.blocked(a.address, now), a.blocked) << "attempt " << i;
        if (!a.blocked && a.wrong) {
            limit.recordWrong(a.address, now);
        }
    }
}

std::vector<Attempt> wrongFrom(const std::string& address, int count, int from, int every) {
    std::vector<Attempt> attempts;
    for (int i = 0; i < count; ++i) {
        attempts.push_back({address, from + i * every, true, false});
    }
    return attempts;
}

} // namespace

// Many addresses cost bounded memory, yet a flood of others does not free a blocked one.
TEST(WrongCodeLimit, KeepsABoundedNumberOfAddresses) {
    WrongCodeLimit limit({.allowed = 2, .window = seconds(600), .addresses = 4});
    std::vector<Attempt> attempts = wrongFrom("busy", 2, 0, 1);
    for (int i = 0; i < 20; ++i) {
        attempts.push_back({"other-" + std::to_string(i), 10 + i, true, false});
        attempts.push_back({"busy", 10 + i, true, true});
    }
    // The first others were dropped: each is let through again.
    attempts.push_back({"other-0", 40, true, false});
    attempts.push_back({"other-0", 41, true, false});
    attempts.push_back({"other-0", 42, true, true});
    play(limit, attempts);
}
