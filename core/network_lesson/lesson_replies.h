#pragma once

// A pupil's message answered: the messages back, the row to append, whether to close.

#include "core/network_lesson/network_lesson.h"
#include "core/network_lesson/wire_message.h"
#include "core/results/result_row.h"

#include <optional>
#include <string_view>
#include <vector>

namespace quiz {

// Where and when a message came, as the service knows it.
struct Arrival {
    std::string_view address;   // the peer's, which wrong join codes are counted by
    LessonTime now{};           // the service's steady clock
    std::string_view localTime; // ISO 8601 with its offset, for a row
};

struct Reply {
    std::vector<WireMessage> messages; // in the order to send
    std::optional<ResultRow> row{};    // for the pupil's file: a pick judged
    bool close = false;                // after sending: a message no page of ours sends
};

// Reads the message, hands it to the lesson and says its outcome: "joined" and the pupil's
// view for a join, the view for a resume or a new turn, "judged" for a pick; "refused" for
// anything refused, which writes nothing.
Reply respond(NetworkLesson& lesson, const WireMessage& message, const Arrival& arrival);

} // namespace quiz
