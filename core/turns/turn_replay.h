#pragma once

// Whether the answered turns of one run could have come from its seed: each row's real side
// and currency replayed through the turns before it.

#include "core/data/data_set.h"
#include "core/random/random_source.h"
#include "core/turns/turn_memo.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// The data set a row's `data` names ("catalogue", "ecb", "name@hash"), or null when unknown.
using DataFinder = std::function<std::shared_ptr<const DataSet>(std::string_view id)>;

// The fields of a row the replay needs.
struct ReplayRow {
    int turn = 0;
    int level = 0;
    std::string_view data;
    std::string_view currency;
    int realSide = 0;
};

enum class ReplayVerdict {
    Possible,   // the seed deals this turn as the row says, or may have
    Impossible, // the seed deals another side or currency at this turn
    Unchecked,  // turns without a row or unknown data leave the stream's place open
};

// Follows one run's rows in rising turn order. A turn without a row was dealt at a level and
// with data the rows do not say, so from there on each level and each data set the run named
// is tried: a row that none of them explains is Unchecked, never Impossible.
class RunReplay {
public:
    // Turns found in `memo` are not dealt again.
    RunReplay(std::uint32_t seed, DataFinder finder, TurnMemo* memo = &TurnMemo::shared());

    // The next row, of a turn above the last one given.
    ReplayVerdict check(const ReplayRow& row);

private:
    // The seed's stream, at one place.
    using Stream = SeededRandomSource;

    // What the stream deals at `level` from `data`, the stream moved past the turn.
    TurnOutcome deal(Stream& stream, const DataSet& data, int level);
    bool skipTurn();
    void keepDistinct();

    DataFinder finder_;
    TurnMemo* memo_;
    std::vector<Stream> places_; // where the stream may stand before the next turn
    bool exact_ = true;          // one place, known from the rows alone
    bool lost_ = false;          // the place can no longer be told
    int nextTurn_ = 1;
    std::set<std::string, std::less<>> named_; // the data the run's rows named
};

} // namespace quiz
