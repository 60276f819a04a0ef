#include "core/results/run_stamp.h"

#include "core/seal/seal_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quiz;

// Each row of a stream carries one identity and one sealed text; anything that starts the turns
// anew starts a run of its own.
TEST(RunStamp, GivesEachStreamOneIdentityAndOneSealedSeed) {
    const SealKeys teacher = makeSealKeys();
    const SealKeys other = makeSealKeys();
    struct Step {
        const char* what;
        std::uint32_t seed;
        int turn;
        std::string key;
        std::uint64_t run;      // expected
        bool sealedAsBefore;    // the same text as the step before
    };
    const Step steps[] = {
        {"the first turn", 7, 1, teacher.publicKey, 1, false},
        {"the next turn", 7, 2, teacher.publicKey, 1, true},
        {"a turn skipped", 7, 4, teacher.publicKey, 1, true},
        {"another teacher's key", 7, 5, other.publicKey, 1, false},
        {"the class's seed starts", 9, 1, other.publicKey, 2, false},
        {"the same seed from turn 1 again", 9, 1, other.publicKey, 3, false},
        {"no key", 9, 2, "", 3, false},
    };
    std::uint64_t next = 0;
    RunStamp stamp([&] { return ++next; });
    std::string before;
    for (const Step& step : steps) {
        const RunStamp::Stamp got = stamp.forTurn(step.seed, SeedOrigin::Lesson, step.turn, step.key);
        EXPECT_EQ(got.run, step.run) << step.what;
        EXPECT_EQ(got.sealedSeed == before, step.sealedAsBefore) << step.what;
        const SealKeys& keys = step.key == teacher.publicKey ? teacher : other;
        if (step.key.empty()) {
            EXPECT_TRUE(got.sealedSeed.empty()) << step.what;
        } else {
            EXPECT_EQ(openSeed(got.sealedSeed, keys),
                      (RunSeed{.seed = step.seed, .origin = SeedOrigin::Lesson, .run = step.run}))
                << step.what;
        }
        before = got.sealedSeed;
    }
}
