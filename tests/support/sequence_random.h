#pragma once

// A random source that hands out exactly the values a test lists, so a turn can be pinned.

#include "core/data/catalogue.h"
#include "core/random/random_source.h"

#include <cstddef>
#include <stdexcept>
#include <utility>
#include <vector>

class SequenceRandomSource final : public quiz::RandomSource {
public:
    explicit SequenceRandomSource(std::vector<float> values) : values_(std::move(values)) {}

    float next() override {
        if (drawn_ == values_.size()) {
            throw std::logic_error("the test's random sequence ran out");
        }
        return values_[drawn_++];
    }

    std::size_t drawn() const { return drawn_; }

private:
    std::vector<float> values_;
    std::size_t drawn_ = 0;
};

// The draws of one whole turn: series, side, then one offset per value, all made from `offset`.
inline std::vector<float> turnDraws(float series, float side, float offset = 0.0F) {
    std::vector<float> draws{series, side};
    draws.resize(2 + quiz::kValueCount, offset);
    return draws;
}

// The first draw that picks series `number` (1..6): r * 100 rounds to number - 1.
inline float seriesDraw(int number) {
    return static_cast<float>(number - 1) / 100.0F;
}

inline constexpr float kSideZero = 0.0F;
inline constexpr float kSideOne = 0.01F;
