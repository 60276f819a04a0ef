#include "core/network_lesson/host_messages.h"

#include "core/network_lesson/message_kinds.h"

namespace quiz {

namespace {

using namespace wire_field;

WireField number(std::string_view name, int value) {
    return {std::string(name), static_cast<double>(value)};
}

WireField text(std::string_view name, std::string value) {
    return {std::string(name), std::move(value)};
}

WireField kindField(std::string_view kind) {
    return text(kKind, std::string(kind));
}

} // namespace

WireMessage joinedMessage(const Joined& joined) {
    return {{kindField(wire_kind::kJoined), text(kToken, joined.token), text(kPupil, joined.pupil),
             number(kAnswered, joined.view.answered), number(kRightCount, joined.view.rightCount)}};
}

WireMessage turnMessage(const DealtTurn& turn) {
    return {{kindField(wire_kind::kTurn),
             number(kTurn, turn.number),
             {std::string(kFirst), turn.lists[0]},
             {std::string(kSecond), turn.lists[1]},
             text(kCurrency, turn.currency),
             number(kLevel, turn.level)}};
}

WireMessage judgedMessage(const JudgedTurn& judged) {
    return {{kindField(wire_kind::kJudged),
             number(kTurn, judged.number),
             number(kSide, judged.side),
             {std::string(kRight), judged.right},
             number(kRealSide, judged.realSide),
             text(kSpread, judged.spread),
             {std::string(kReport), judged.report},
             number(kAnswered, judged.answered),
             number(kRightCount, judged.rightCount)}};
}

WireMessage refusedMessage(const Refusal& refusal) {
    WireMessage message{{kindField(wire_kind::kRefused),
                         text(kReason, std::string(refusalName(refusal.id))),
                         text(kText, std::string(refusalText(refusal.id))),
                         {std::string(kClose), closesConnection(refusal.id)}}};
    if (!refusal.field.empty()) {
        message.fields.push_back(text(kField, refusal.field));
    }
    return message;
}

std::vector<WireMessage> viewMessages(const PupilView& view) {
    std::vector<WireMessage> messages{turnMessage(view.turn)};
    if (view.judged) {
        messages.push_back(judgedMessage(*view.judged));
    }
    return messages;
}

} // namespace quiz
