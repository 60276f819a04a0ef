#include "core/network_lesson/lesson_replies.h"

#include "core/network_lesson/client_request.h"

#include <type_traits>

namespace quiz {

namespace {

Reply refused(Refusal refusal) {
    const bool close = closesConnection(refusal.id);
    return {.messages = {refusedMessage(refusal)}, .row = std::nullopt, .close = close};
}

Reply viewReply(const std::variant<PupilView, RefusalId>& outcome) {
    if (const auto* refusal = std::get_if<RefusalId>(&outcome)) {
        return refused({*refusal});
    }
    return {.messages = viewMessages(std::get<PupilView>(outcome))};
}

Reply joinReply(const std::variant<Joined, RefusalId>& outcome) {
    if (const auto* refusal = std::get_if<RefusalId>(&outcome)) {
        return refused({*refusal});
    }
    const auto& joined = std::get<Joined>(outcome);
    Reply reply{.messages = {joinedMessage(joined)}};
    for (WireMessage& message : viewMessages(joined.view)) {
        reply.messages.push_back(std::move(message));
    }
    return reply;
}

Reply pickReply(std::variant<Judgement, RefusalId> outcome) {
    if (const auto* refusal = std::get_if<RefusalId>(&outcome)) {
        return refused({*refusal});
    }
    auto& judgement = std::get<Judgement>(outcome);
    return {.messages = {judgedMessage(judgement.shown)}, .row = std::move(judgement.row)};
}

} // namespace

Reply respond(NetworkLesson& lesson, const WireMessage& message, const Arrival& arrival) {
    auto read = readRequest(message);
    if (const auto* refusal = std::get_if<Refusal>(&read)) {
        return refused(*refusal);
    }
    return std::visit(
        [&](const auto& request) -> Reply {
            using Request = std::decay_t<decltype(request)>;
            if constexpr (std::is_same_v<Request, JoinRequest>) {
                return joinReply(lesson.join(request, arrival.address, arrival.now));
            } else if constexpr (std::is_same_v<Request, ResumeRequest>) {
                return viewReply(lesson.resume(request.token));
            } else if constexpr (std::is_same_v<Request, PickRequest>) {
                return pickReply(lesson.pick(request, arrival.localTime));
            } else {
                return viewReply(lesson.next(request.token));
            }
        },
        std::get<ClientRequest>(read));
}

} // namespace quiz
