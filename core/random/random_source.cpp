#include "core/random/random_source.h"

#include <chrono>
#include <exception>

namespace quiz {

SeededRandomSource::SeededRandomSource(std::uint32_t seed) : seed_(seed), engine_(seed) {}

std::uint32_t SeededRandomSource::seedFromClock() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    auto seed = static_cast<std::uint32_t>(ticks) ^ static_cast<std::uint32_t>(ticks >> 32);
    try {
        seed ^= std::random_device{}();
    } catch (const std::exception&) {
        // No entropy device here: the clock alone still differs from run to run.
    }
    return seed;
}

void SeededRandomSource::skip(std::uint64_t count) {
    engine_.discard(count);
    taken_ += count;
}

float SeededRandomSource::next() {
    ++taken_;
    // The top 24 bits scaled by 2^-24 are exact in a float and can never reach 1.0.
    constexpr float kScale = 0x1p-24F;
    return static_cast<float>(engine_() >> 8) * kScale;
}

} // namespace quiz
