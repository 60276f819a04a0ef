// What a pupil's device holds before the pick: the same in form whichever list is real, and no
// spread, side or seed in it at all.

#include "core/network_lesson/lesson_replies.h"
#include "core/network_lesson/message_kinds.h"
#include "tests/core/network_lesson/lesson_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

using namespace quiz;
using namespace quiz::wire_field;

namespace {

// A message's form: its fields' names and types in order, the length of each list and the value
// of each number. Texts differ from turn to turn and token to token, and are left out.
std::string formOf(const WireMessage& message) {
    std::string form;
    for (const WireField& field : message.fields) {
        form += field.name + ":" + std::to_string(field.value.index());
        if (const auto* texts = std::get_if<std::vector<std::string>>(&field.value)) {
            form += "[" + std::to_string(texts->size()) + "]";
        } else if (const auto* number = std::get_if<double>(&field.value)) {
            form += "=" + std::to_string(*number);
        }
        form += " ";
    }
    return form;
}

struct Seen {
    std::array<std::set<std::string>, 2> forms; // by the real side
    std::set<std::string> names;
};

// Two turns of one pupil: what was sent before each pick (the join, then the next turn and a
// resume), filed by the side the pick shows real.
void dealTwoTurns(int level, std::uint64_t secrets, Seen& seen) {
    NetworkLesson lesson = lessonWith(setupAt(level), {}, secrets);
    const Arrival arrival = arrivalFrom("10.0.0.3");
    std::vector<WireMessage> before =
        respond(lesson, joinMessage("Иван", lesson.joinCode()), arrival).messages;
    const std::string token(before.at(0).text(kToken).value_or(""));
    for (int turn = 1; turn <= 2; ++turn) {
        if (turn == 2) {
            before = respond(lesson, tokenMessage(wire_kind::kNext, token), arrival).messages;
            before.push_back(
                respond(lesson, tokenMessage(wire_kind::kResume, token), arrival).messages.at(0));
        }
        const Reply judged = respond(lesson, pickMessage(token, double(turn), 0.0), arrival);
        ASSERT_TRUE(judged.row);
        const int real = judged.row->realSide;
        std::string form = "turn " + std::to_string(turn) + ": ";
        for (const WireMessage& message : before) {
            form += formOf(message) + "| ";
            for (const WireField& field : message.fields) {
                seen.names.insert(field.name);
            }
            // The only text besides the lists and the token names the currency.
            if (message.text(kKind) == wire_kind::kTurn) {
                EXPECT_EQ(message.text(kCurrency), judged.row->currencyName);
            }
        }
        seen.forms[static_cast<std::size_t>(real)].insert(form);
    }
}

} // namespace

TEST(BeforeThePick, NothingSentDependsOnWhichListIsReal) {
    constexpr int kLessons = 150;
    for (int level = 0; level < kLevelCount; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        Seen seen;
        for (int lesson = 0; lesson < kLessons; ++lesson) {
            dealTwoTurns(level, static_cast<std::uint64_t>(lesson) * 1000, seen);
        }
        // Both sides came up at each turn, and each turn was sent in one form whichever was real.
        EXPECT_EQ(seen.forms[0].size(), 2U);
        EXPECT_EQ(seen.forms[0], seen.forms[1]);
        EXPECT_EQ(seen.names,
                  (std::set<std::string>{"kind", "token", "pupil", "answered", "right_count",
                                         "turn", "first", "second", "currency", "level"}));
    }
}
