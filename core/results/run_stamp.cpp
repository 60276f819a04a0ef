#include "core/results/run_stamp.h"

#include <utility>

namespace quiz {

RunStamp::RunStamp(std::function<std::uint64_t()> newRun) : newRun_(std::move(newRun)) {}

const RunStamp::Stamp& RunStamp::forTurn(std::uint32_t seed, SeedOrigin origin, int turn,
                                         std::string_view publicKey) {
    if (!started_ || seed != seed_ || turn <= lastTurn_) {
        started_ = true;
        seed_ = seed;
        stamp_ = {newRun_(), {}};
        key_.clear();
    }
    lastTurn_ = turn;
    // Sealed once a stream and key: a sealed box reads otherwise each time it is made.
    if (publicKey != key_ || (stamp_.sealedSeed.empty() && !publicKey.empty())) {
        key_ = publicKey;
        stamp_.sealedSeed = sealSeed({.seed = seed, .origin = origin, .run = stamp_.run}, key_);
    }
    return stamp_;
}

} // namespace quiz
