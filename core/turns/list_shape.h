#pragma once

// The shape of a list by what a pupil would look at (the order of its moves, how they cluster,
// how far it wanders, where it ends), and a made-up list's changes reordered towards a shape.

#include "core/random/random_source.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace quiz {

// Scale-free statistics: lag-1 autocorrelations of the changes and of their sizes, values
// below the first, range and start-to-end distance against the sum of |changes|, sign runs,
// the largest change's share, the changes' kurtosis (k + 2) / (k + 7).
inline constexpr std::size_t kShapeStatistics = 8;
using Shape = std::array<double, kShapeStatistics>;

// Where a Shape holds the start-to-end distance and the largest change against the sum of
// |changes|.
inline constexpr std::size_t kStartToEnd = 4;
inline constexpr std::size_t kLargestShare = 6;

// Of a list of at least three values.
Shape shapeOf(const std::vector<std::int64_t>& values);

// A weighted sum of squared differences, each statistic weighted by about one over its
// variance across lists of 43 values: 0 for one shape.
double shapeDistance(const Shape& one, const Shape& other);

// The part of shapeDistance that neither a reordering of the changes nor a steady drift much
// alters: the largest change's share and the kurtosis.
double orderFreeDistance(const Shape& one, const Shape& other);

// `shape` with each statistic moved by up to a quarter of its spread, either way alike: a
// made-up list aimed there is as likely to lie on one side of the real list as on the other.
// Moved further, the made-up lists spread wider than real ones, and the list nearer the usual
// shape is the real one. One draw per statistic.
Shape shapeNear(const Shape& shape, RandomSource& random);

// What is done to a made-up list after it is made (quoting it as the real one), so that its
// shape can be judged as it will be shown; none for a list shown as made.
using Finish = std::function<void(std::vector<std::int64_t>&)>;

// The list `start` plus `changes` summed, with its changes swapped kClimbSwaps times two by two
// at random (two draws a swap), each swap kept when it takes the finished list nearer `target`.
// The list is given back unfinished.
inline constexpr int kClimbSwaps = 300;
std::vector<std::int64_t> climbTowards(const Shape& target, std::int64_t start,
                                       std::vector<std::int64_t> changes, RandomSource& random,
                                       const Finish& finish = {});

} // namespace quiz
