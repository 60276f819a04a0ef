#pragma once

// What the host tells a pupil (turn dealt, pick judged, joined, refused), and as messages.

#include "core/network_lesson/refusal.h"
#include "core/network_lesson/wire_message.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace quiz {

// A turn as the pupil sees it before the pick: nothing in it depends on which list is real.
struct DealtTurn {
    int number = 0; // the pupil's own count of turns, from 1
    std::array<std::vector<std::string>, 2> lists;
    std::string currency; // the currency's name, "щатски долар - USD"
    int level = 0;

    bool operator==(const DealtTurn&) const = default;
};

// The pick judged, as the pupil's screen shows it.
struct JudgedTurn {
    int number = 0;
    int side = 0; // the pick
    bool right = false;
    int realSide = 0;
    std::string spread;              // as the report writes it
    std::vector<std::string> report; // the quiz window's lines after the pick
    int answered = 0;                // the pupil's answers so far, this one included
    int rightCount = 0;

    bool operator==(const JudgedTurn&) const = default;
};

// Where a pupil stands: the turn on screen and, once picked, its verdict.
struct PupilView {
    DealtTurn turn;
    std::optional<JudgedTurn> judged{};
    int answered = 0;
    int rightCount = 0;
};

struct Joined {
    std::string token;
    std::string pupil;
    PupilView view;
};

WireMessage joinedMessage(const Joined& joined);
WireMessage turnMessage(const DealtTurn& turn);
WireMessage judgedMessage(const JudgedTurn& judged);
WireMessage refusedMessage(const Refusal& refusal);
// The turn on screen, then its verdict once picked.
std::vector<WireMessage> viewMessages(const PupilView& view);

} // namespace quiz
