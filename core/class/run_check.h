#pragma once

// One run's replay in the class view, kept between refreshes so that new rows continue it.

#include "core/turns/turn_replay.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quiz {

// One run's replay and the rows it has taken, so that new rows continue it.
struct RunCheck {
    struct Row {
        int turn;
        int level;
        std::string data;
        std::string currency;
        int realSide;
    };
    RunCheck(std::uint32_t seed, const DataFinder& finder) : replay(seed, finder) {}
    RunReplay replay;
    std::vector<Row> rows;
    std::vector<ReplayVerdict> verdicts;
};

} // namespace quiz
