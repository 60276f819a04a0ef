#pragma once

// What ties a pupil's rows to their run without telling its seed: an identity for each stream
// of turns, and the stream's seed sealed once for the teacher.

#include "core/seal/sealed_seed.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quiz {

class RunStamp {
public:
    struct Stamp {
        std::uint64_t run = 0;
        std::string sealedSeed; // empty without the teacher's key

        bool operator==(const Stamp&) const = default;
    };

    // New identities from `newRun`; by default the system's random numbers.
    explicit RunStamp(std::function<std::uint64_t()> newRun = newRunId);

    // The stamp for a row of turn `turn` of the stream of `seed`. A new seed, or a turn number
    // that does not rise, is a new stream; a new key seals the stream's seed again.
    const Stamp& forTurn(std::uint32_t seed, SeedOrigin origin, int turn,
                         std::string_view publicKey);

private:
    std::function<std::uint64_t()> newRun_;
    bool started_ = false;
    std::uint32_t seed_ = 0;
    int lastTurn_ = 0;
    std::string key_;
    Stamp stamp_;
};

} // namespace quiz
