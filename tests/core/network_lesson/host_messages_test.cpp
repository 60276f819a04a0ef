#include "core/network_lesson/host_messages.h"

#include "core/network_lesson/lesson_replies.h"
#include "core/network_lesson/message_kinds.h"
#include "tests/core/network_lesson/lesson_fixture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace quiz;
using namespace quiz::wire_field;

namespace {

// A value as its rule bounds it: a number itself, a text's bytes, a list's entries.
std::pair<WireType, double> typeAndSize(const WireValue& value) {
    if (std::holds_alternative<bool>(value)) {
        return {WireType::Flag, 0};
    }
    if (const auto* number = std::get_if<double>(&value)) {
        return {WireType::Number, *number};
    }
    if (const auto* texts = std::get_if<std::vector<std::string>>(&value)) {
        return {WireType::Texts, static_cast<double>(texts->size())};
    }
    return {WireType::Text, static_cast<double>(std::get<std::string>(value).size())};
}

// Every field the host writes is in its kind's rule, of its type and within its bounds, and
// every field the rule needs is there.
void expectByTheTable(const WireMessage& message) {
    const KindRule* rule = kindRule(message.text(kKind).value_or(""));
    ASSERT_TRUE(rule && !rule->fromPupil);
    std::set<std::string> names;
    for (const WireField& field : message.fields) {
        ASSERT_TRUE(names.insert(field.name).second) << field.name;
        const FieldRule* fieldRule = quiz::fieldRule(*rule, field.name);
        if (field.name == kKind) {
            continue;
        }
        ASSERT_NE(fieldRule, nullptr) << rule->kind << "." << field.name;
        const auto [type, size] = typeAndSize(field.value);
        EXPECT_EQ(type, fieldRule->type) << field.name;
        EXPECT_TRUE(type == WireType::Flag || (size >= fieldRule->least && size <= fieldRule->most))
            << field.name << " " << size;
    }
    for (const FieldRule& field : rule->fields) {
        EXPECT_TRUE(field.optional || names.contains(std::string(field.name))) << field.name;
    }
}

} // namespace

TEST(HostMessages, AreWrittenAsTheTableOfKindsSays) {
    NetworkLesson lesson = lessonWith(setupAt(kAdaptiveLevel));
    std::vector<WireMessage> sent;
    const auto send = [&](const WireMessage& message) {
        for (const WireMessage& reply :
             respond(lesson, message, arrivalFrom("10.0.0.3")).messages) {
            sent.push_back(reply);
        }
    };
    send(joinMessage("Иван", lesson.joinCode()));
    ASSERT_EQ(sent.size(), 2U); // joined, then the turn
    const std::string token(*sent[0].text(kToken));
    for (int turn = 1; turn <= 3; ++turn) {
        send(pickMessage(token, double(turn), 0.0));
        send(tokenMessage(wire_kind::kNext, token));
    }
    send(tokenMessage(wire_kind::kResume, token));
    std::set<std::string_view> reasons;
    for (std::size_t i = 0; i < kRefusalCount; ++i) {
        sent.push_back(refusedMessage({static_cast<RefusalId>(i), "name"}));
        reasons.insert(refusalName(static_cast<RefusalId>(i)));
    }
    EXPECT_EQ(reasons.size(), kRefusalCount);
    std::set<std::string> kinds;
    for (const WireMessage& message : sent) {
        expectByTheTable(message);
        kinds.insert(std::string(message.text(kKind).value_or("")));
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"joined", "turn", "judged", "refused"}));
}
