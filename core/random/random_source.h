#pragma once

// Where a turn's random values come from, so that a test can hand in exact ones.

#include <cstdint>
#include <random>

namespace quiz {

class RandomSource {
public:
    virtual ~RandomSource() = default;

    // The next value of the stream: single precision, 0 <= r < 1, 24 bits of resolution.
    virtual float next() = 0;
};

// The program's stream, seeded once. std::mt19937 is specified to the bit by the C++
// standard, so one seed gives the same values with every compiler and library.
class SeededRandomSource final : public RandomSource {
public:
    explicit SeededRandomSource(std::uint32_t seed);

    // A fresh seed for each run: the clock mixed with std::random_device where it works.
    static std::uint32_t seedFromClock();

    float next() override;
    std::uint32_t seed() const { return seed_; }
    // How many values the stream has given, so that two places in it can be compared.
    std::uint64_t taken() const { return taken_; }
    // Moves on `count` values without making them.
    void skip(std::uint64_t count);

private:
    std::uint32_t seed_;
    std::mt19937 engine_;
    std::uint64_t taken_ = 0;
};

} // namespace quiz
