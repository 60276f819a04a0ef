#include "core/network_lesson/client_request.h"

#include "core/network_lesson/lesson_replies.h"
#include "core/network_lesson/message_kinds.h"
#include "tests/core/network_lesson/lesson_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

using namespace quiz;
using namespace quiz::wire_field;

namespace {

const std::string kSomeToken(32, 'a');

WireMessage join(std::string code = "123456") {
    return joinMessage("Иван", std::move(code));
}

// The join with the field set to `value`, or added when it has none.
WireMessage joinWith(std::string_view name, WireValue value) {
    WireMessage sent = join();
    const auto same = std::find_if(sent.fields.begin(), sent.fields.end(),
                                   [&](const WireField& f) { return f.name == name; });
    if (same == sent.fields.end()) {
        sent.fields.push_back({std::string(name), std::move(value)});
    } else {
        same->value = std::move(value);
    }
    return sent;
}

WireMessage joinWithout(std::string_view name) {
    WireMessage sent = join();
    std::erase_if(sent.fields, [&](const WireField& f) { return f.name == name; });
    return sent;
}

WireMessage pick(WireValue turn, WireValue side) {
    return pickMessage(kSomeToken, std::move(turn), std::move(side));
}

struct HostileCase {
    std::string label;
    WireMessage sent;
    RefusalId refused;
    std::string field;
};

} // namespace

// A message no page of ours sends closes the connection with its reason, and changes nothing.
TEST(ClientRequest, RefusesWhatNoPageOfOursSends) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinite = std::numeric_limits<double>::infinity();
    WireMessage twice = join();
    twice.fields.push_back({std::string(kName), std::string("Петър")});
    const std::vector<HostileCase> cases{
        {"no kind", {{{std::string(kName), std::string("x")}}}, RefusalId::MissingField, "kind"},
        {"a kind that is a number", {{{std::string(kKind), 5.0}}}, RefusalId::WrongType, "kind"},
        {"an unknown kind", wireMessage("shutdown", {}), RefusalId::UnknownKind, "shutdown"},
        {"a kind the host sends", wireMessage("judged", {}), RefusalId::UnknownKind, "judged"},
        {"a join without its code", joinWithout(kCode), RefusalId::MissingField, "code"},
        {"a join without a device", joinWithout(kDevice), RefusalId::MissingField, "device"},
        {"a device key too short", joinWith(kDevice, "abc"), RefusalId::MissingField, "device"},
        {"a field no kind has", joinWith("admin", true), RefusalId::UnknownField, "admin"},
        {"a field given twice", twice, RefusalId::RepeatedField, "name"},
        {"a name of a page", joinWith(kName, std::string(kNameMostBytes + 1, 'a')),
         RefusalId::OversizeField, "name"},
        {"a code of a page", join(std::string(kCodeMostBytes + 1, '1')), RefusalId::OversizeField,
         "code"},
        {"a name that is no UTF-8", joinWith(kName, "Ив\xC0\xAF"), RefusalId::NotUtf8, "name"},
        {"a name that is a list", joinWith(kName, std::vector<std::string>{"a"}),
         RefusalId::WrongType, "name"},
        {"a name that is null", joinWith(kName, WireValue{}), RefusalId::WrongType, "name"},
        {"a decimal point of neither kind", joinWith(kDecimal, ";"), RefusalId::OutOfRange,
         "decimal"},
        {"a side past the second list", pick(1.0, 2.0), RefusalId::OutOfRange, "side"},
        {"a side below the first", pick(1.0, -1.0), RefusalId::OutOfRange, "side"},
        {"a side halfway", pick(1.0, 0.5), RefusalId::OutOfRange, "side"},
        {"a side as text", pick(1.0, "0"), RefusalId::WrongType, "side"},
        {"turn 0", pick(0.0, 0.0), RefusalId::OutOfRange, "turn"},
        {"a turn past any lesson", pick(kMostTurnNumber + 1, 0.0), RefusalId::OutOfRange, "turn"},
        {"a turn that is no number", pick(nan, 0.0), RefusalId::OutOfRange, "turn"},
        {"an infinite turn", pick(infinite, 0.0), RefusalId::OutOfRange, "turn"},
        {"a pick without its side",
         wireMessage(wire_kind::kPick, {{std::string(kToken), "t"}, {std::string(kTurn), 1.0}}),
         RefusalId::MissingField, "side"},
        {"a token of a page",
         wireMessage(wire_kind::kResume,
                     {{std::string(kToken), std::string(kTokenMostBytes + 1, 'a')}}),
         RefusalId::OversizeField, "token"},
        {"a token that is a number", wireMessage(wire_kind::kNext, {{std::string(kToken), 7.0}}),
         RefusalId::WrongType, "token"},
    };
    NetworkLesson lesson = lessonWith(setupAt(0));
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.label);
        const Reply reply = respond(lesson, c.sent, arrivalFrom("10.0.0.3"));
        EXPECT_TRUE(reply.close);
        EXPECT_FALSE(reply.row);
        ASSERT_EQ(reply.messages.size(), 1U);
        EXPECT_EQ(reply.messages[0].text(kReason), refusalName(c.refused));
        EXPECT_EQ(reply.messages[0].text(kField), c.field);
    }
    EXPECT_EQ(lesson.pupilCount(), 0U);
}

// What a pupil can put right is refused with words for them, and the connection stays.
TEST(ClientRequest, KeepsTheConnectionForWhatAPupilCanPutRight) {
    NetworkLesson lesson = lessonWith(setupAt(0));
    WireMessage blankName = join(lesson.joinCode());
    blankName.fields[1].value = std::string(" ");
    const std::vector<std::pair<WireMessage, RefusalId>> cases{
        {join("000000"), RefusalId::WrongCode},
        {blankName, RefusalId::NameEmpty},
        {pick(1.0, 0.0), RefusalId::UnknownToken},
    };
    for (const auto& [sent, refused] : cases) {
        const Reply reply = respond(lesson, sent, arrivalFrom("10.0.0.3"));
        EXPECT_FALSE(reply.close) << refusalName(refused);
        ASSERT_EQ(reply.messages.size(), 1U);
        EXPECT_EQ(reply.messages[0].text(kReason), refusalName(refused));
        EXPECT_EQ(reply.messages[0].text(kText), refusalText(refused));
    }
}

TEST(ClientRequest, ReadsAJoinsNumberStyle) {
    for (const auto& [sent, decimal] : {std::pair(join(), ","), {joinWith(kDecimal, "."), "."}}) {
        const auto read = std::get<ClientRequest>(readRequest(sent));
        EXPECT_EQ(std::get<JoinRequest>(read).style.decimalSeparator, decimal);
    }
}
