#include "core/seal/seal_keys.h"
#include "core/seal/sealed_seed.h"

#include <gtest/gtest.h>

#include <string>

using namespace quiz;

TEST(SealedSeed, OpensOnlyWithTheKeyItWasSealedFor) {
    const SealKeys teacher = makeSealKeys();
    const SealKeys other = makeSealKeys();
    const RunSeed seed{.seed = 4'000'000'001U, .origin = SeedOrigin::CommandLine,
                       .run = 0x0123456789abcdefULL};
    const std::string sealed = sealSeed(seed, teacher.publicKey);
    ASSERT_EQ(sealed.size(), kSealedSeedMostCharacters);
    EXPECT_EQ(openSeed(sealed, teacher), seed);
    // Sealed again, the same seed reads otherwise: only the run's one text ties its rows.
    EXPECT_NE(sealSeed(seed, teacher.publicKey), sealed);

    std::string flipped = sealed;
    flipped[10] = flipped[10] == 'A' ? 'B' : 'A';
    struct Case {
        const char* what;
        std::string sealed;
        SealKeys keys;
    };
    const Case refused[] = {
        {"another teacher's key", sealed, other},
        {"a byte changed", flipped, teacher},
        {"cut short", sealed.substr(0, sealed.size() - 4), teacher},
        {"the seed in plain", "4000000001", teacher},
        {"nothing", "", teacher},
        {"a public key that is not the pair's", sealed, {other.publicKey, teacher.secretKey}},
    };
    for (const Case& c : refused) {
        EXPECT_FALSE(openSeed(c.sealed, c.keys)) << c.what;
    }
}

TEST(SealKeys, TellsAPublicKeyAndGivesThePairOfASecretKey) {
    const SealKeys keys = makeSealKeys();
    EXPECT_TRUE(isSealPublicKey(keys.publicKey));
    EXPECT_EQ(sealKeysOf(keys.secretKey), keys);
    struct Case {
        const char* what;
        std::string text;
    };
    const Case notKeys[] = {
        {"empty", ""},
        {"one character short", keys.publicKey.substr(1)},
        {"a character that is no base64", "*" + keys.publicKey.substr(1)},
        {"with a line end", keys.publicKey + "\r\n"},
    };
    for (const Case& c : notKeys) {
        EXPECT_FALSE(isSealPublicKey(c.text)) << c.what;
        EXPECT_TRUE(sealSeed({}, c.text).empty()) << c.what;
    }
    EXPECT_FALSE(sealKeysOf("not a key"));
    EXPECT_NE(newRunId(), newRunId());
}
