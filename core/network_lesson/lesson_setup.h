#pragma once

// What the teacher sets for a lesson on the network: how turns are dealt, what rows say.

#include "core/data/data_set.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quiz {

struct LessonSetup {
    int level = 0; // a level, or kAdaptiveLevel: each pupil's own staircase
    std::shared_ptr<const DataSet> data = DataSet::catalogue();
    // One seed for the whole class, each pupil's turns from its start; none: each pupil their
    // own, drawn by the host and never sent.
    std::optional<std::uint32_t> classSeed{};
    std::string host{};    // the host computer's name, in every row
    std::string seedKey{}; // the teacher's public key, which seals each stream's seed in its rows
};

// Throws std::out_of_range for no level or kAdaptiveLevel, std::invalid_argument for no data.
void checkSetup(const LessonSetup& setup);

} // namespace quiz
