#pragma once

// A pupil's message read against its kind's rule: a typed request, or a refusal.

#include "core/network_lesson/refusal.h"
#include "core/network_lesson/wire_message.h"
#include "core/text/number_style.h"

#include <string>
#include <variant>

namespace quiz {

struct JoinRequest {
    std::string name; // as typed: pupilName checks it
    std::string code;
    std::string device;
    NumberStyle style; // of the lists and the report
};

struct ResumeRequest {
    std::string token;
};

struct PickRequest {
    std::string token;
    int turn = 0;
    int side = 0;
};

struct NextRequest {
    std::string token;
};

using ClientRequest = std::variant<JoinRequest, ResumeRequest, PickRequest, NextRequest>;

// How a pupil's lists write numbers: with `decimal` as the point, never grouped.
NumberStyle pupilNumberStyle(std::string_view decimal);

// The message as a request, or why none of ours could have sent it: an unknown kind (or one
// the host sends), a field missing, unknown or given twice, of the wrong type, a text that is
// not UTF-8 or longer than its rule allows, a number that is not whole or out of its range.
std::variant<ClientRequest, Refusal> readRequest(const WireMessage& message);

} // namespace quiz
