#pragma once

// What a turn dealt from a place in a seed's stream, kept so that the class view's replay need
// not deal again a turn the lesson's host has just dealt.

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>

namespace quiz {

// Where in which stream a turn was dealt, at which level from which data set (its id).
struct TurnPlace {
    std::uint32_t seed = 0;
    std::uint64_t taken = 0; // values the stream had given before the turn
    int level = 0;
    std::string data;
};

// What the replay compares a row with, and where the stream stands after the turn.
struct TurnOutcome {
    int realSide = 0;
    std::string currency;
    std::uint64_t takenAfter = 0;
};

// A cache of NewTurn's outcome by place: only what NewTurn gave goes in, so a replay that finds
// a place here reaches the verdict it would have reached dealing the turn itself. Safe for the
// host's thread and the class view's reader at once.
class TurnMemo {
public:
    static constexpr std::size_t kMostPlaces = 1U << 16; // a long lesson's turns, ~12 MB

    explicit TurnMemo(std::size_t mostPlaces = kMostPlaces) : mostPlaces_(mostPlaces) {}

    // The program's own: the hosted lesson keeps its turns, the class view finds them.
    static TurnMemo& shared();

    // Full, it starts again empty: a later turn is likelier to be asked for than an older one.
    void keep(const TurnPlace& place, const TurnOutcome& outcome);
    std::optional<TurnOutcome> find(const TurnPlace& place) const;
    std::size_t size() const;
    std::uint64_t found() const; // places asked for and found, since made

private:
    using Key = std::tuple<std::uint32_t, std::uint64_t, int, std::string>;
    static Key keyOf(const TurnPlace& place);

    std::size_t mostPlaces_;
    mutable std::mutex mutex_;
    std::map<Key, TurnOutcome> outcomes_;
    mutable std::uint64_t found_ = 0;
};

} // namespace quiz
