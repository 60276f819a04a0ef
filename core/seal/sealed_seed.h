#pragma once

// A run's seed sealed for the teacher: written into the pupil's own file, it tells the pupil
// nothing, and the teacher's view opens it to replay the run.

#include "core/seal/seal_keys.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quiz {

// Where a run's seed came from: a seed typed with --seed is one the pupil knows.
enum class SeedOrigin : std::uint8_t { Own, CommandLine, Lesson };

// What a sealed seed holds. The run is sealed with it, so a seed moved to another run's rows
// does not open as that run's.
struct RunSeed {
    std::uint32_t seed = 0;
    SeedOrigin origin = SeedOrigin::Own;
    std::uint64_t run = 0;

    bool operator==(const RunSeed&) const = default;
};

// A new run's identity, from the system's random numbers.
std::uint64_t newRunId();

// `seed` sealed with `publicKey`, as base64; empty when the key is none. Each call gives other
// text for the same seed, so a run seals once and writes the same text on each row.
std::string sealSeed(const RunSeed& seed, std::string_view publicKey);

// What `sealed` holds, or none when it was not sealed with this pair's public key.
std::optional<RunSeed> openSeed(std::string_view sealed, const SealKeys& keys);

// The most characters a sealed seed takes; longer text is none.
inline constexpr std::size_t kSealedSeedMostCharacters = 84;

} // namespace quiz
