#include "core/turns/turn_replay.h"

#include "core/data/catalogue.h"
#include "core/data/draw_map.h"
#include "core/turns/level.h"
#include "core/turns/turn.h"

#include <algorithm>

namespace quiz {

namespace {

// Places kept open over turns without a row; past this many the run is no longer checked.
constexpr std::size_t kMostPlaces = 32;
// A level-0 turn takes the window, the side and one value per made-up number, whatever the data.
constexpr std::uint64_t kLevelZeroDraws = 2 + kValueCount;

} // namespace

RunReplay::RunReplay(std::uint32_t seed, DataFinder finder, TurnMemo* memo)
    : finder_(std::move(finder)), memo_(memo), places_{Stream(seed)} {}

TurnOutcome RunReplay::deal(Stream& stream, const DataSet& data, int level) {
    const TurnPlace place{
        .seed = stream.seed(), .taken = stream.taken(), .level = level, .data = data.id()};
    if (std::optional<TurnOutcome> known = memo_->find(place)) {
        stream.skip(known->takenAfter - place.taken);
        return *std::move(known);
    }
    const Turn turn = NewTurn(stream, {}, data, level);
    TurnOutcome outcome{
        .realSide = turn.RealSide, .currency = turn.code, .takenAfter = stream.taken()};
    memo_->keep(place, outcome);
    return outcome;
}

void RunReplay::keepDistinct() {
    std::sort(places_.begin(), places_.end(),
              [](const Stream& a, const Stream& b) { return a.taken() < b.taken(); });
    places_.erase(
        std::unique(places_.begin(), places_.end(),
                    [](const Stream& a, const Stream& b) { return a.taken() == b.taken(); }),
        places_.end());
}

// A turn dealt but not answered: every level with every data set the run named.
bool RunReplay::skipTurn() {
    std::vector<std::shared_ptr<const DataSet>> data;
    for (const std::string& id : named_) {
        auto found = finder_(id);
        if (!found) {
            return false;
        }
        data.push_back(std::move(found));
    }
    std::vector<Stream> after;
    for (const Stream& place : places_) {
        for (int level = 0; level < kLevelCount; ++level) {
            for (const auto& set : data) {
                Stream stream = place;
                deal(stream, *set, level);
                after.push_back(std::move(stream));
            }
        }
    }
    places_ = std::move(after);
    keepDistinct();
    exact_ = false;
    return places_.size() <= kMostPlaces;
}

ReplayVerdict RunReplay::check(const ReplayRow& row) {
    if (lost_ || row.turn < nextTurn_ || !isLevel(row.level)) {
        lost_ = true;
        return ReplayVerdict::Unchecked;
    }
    named_.emplace(row.data);
    for (; nextTurn_ < row.turn; ++nextTurn_) {
        if (!skipTurn()) {
            lost_ = true;
            return ReplayVerdict::Unchecked;
        }
    }
    nextTurn_ = row.turn + 1;
    const std::shared_ptr<const DataSet> data = finder_(row.data);
    std::vector<Stream> matching;
    std::vector<Stream> dealt; // every place after the row's turn, as its fields say it was dealt
    for (Stream stream : places_) {
        bool same = false;
        if (data) {
            const TurnOutcome turn = deal(stream, *data, row.level);
            same = turn.realSide == row.realSide && turn.currency == row.currency;
        } else {
            // Unknown data still deals the side second; only a level-0 turn's length is known.
            const std::uint64_t start = stream.taken();
            stream.next();
            same = sideFrom(stream.next()) == row.realSide;
            while (row.level == 0 && stream.taken() < start + kLevelZeroDraws) {
                stream.next();
            }
        }
        (same ? matching : dealt).push_back(std::move(stream));
    }
    lost_ = !data && row.level != 0;
    if (matching.empty()) {
        // Only a place known from the rows alone can prove a row false.
        lost_ = lost_ || !exact_;
        places_ = std::move(dealt);
        return exact_ ? ReplayVerdict::Impossible : ReplayVerdict::Unchecked;
    }
    places_ = std::move(matching);
    return ReplayVerdict::Possible;
}

} // namespace quiz
