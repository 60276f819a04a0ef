#pragma once

// Draws built on the 24-bit stream alone. Standard-library distributions and std::shuffle are
// left to each library to define, so the same seed would deal other turns elsewhere.

#include "core/random/random_source.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace quiz {

// A whole number 0..count - 1, each as likely as 24 bits allow; one draw.
std::size_t indexFrom(float r, std::size_t count);

// Fisher–Yates from the last place down: count - 1 draws.
template <typename T> void shuffle(std::vector<T>& items, RandomSource& random) {
    for (std::size_t i = items.size(); i > 1; --i) {
        std::swap(items[i - 1], items[indexFrom(random.next(), i)]);
    }
}

// Two independent standard normal values by Box–Muller; two draws.
std::pair<double, double> normalPair(RandomSource& random);

} // namespace quiz
