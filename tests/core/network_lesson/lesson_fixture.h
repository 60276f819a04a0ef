#pragma once

// A lesson on the network for the tests, and the messages a pupil's page sends.

#include "core/network_lesson/lesson_replies.h"
#include "core/network_lesson/message_kinds.h"
#include "core/network_lesson/network_lesson.h"
#include "core/random/random_source.h"
#include "core/turns/level.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Distinct, well-mixed values (splitmix64), the same in every run.
class CountedSecrets final : public quiz::SecretSource {
public:
    explicit CountedSecrets(std::uint64_t start) : state_(start) {}
    std::uint64_t next64() override {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

private:
    std::uint64_t state_;
};

inline constexpr std::string_view kAnswerTime = "2026-12-08T09:15:00+02:00";
inline constexpr std::string_view kLessonHost = "TEACHER-PC";

inline quiz::LessonSetup setupAt(int level,
                                 std::shared_ptr<const quiz::DataSet> data = quiz::DataSet::ecb()) {
    return {.level = level, .data = std::move(data), .host = std::string(kLessonHost)};
}

inline quiz::NetworkLesson lessonWith(quiz::LessonSetup setup, quiz::LessonLimits limits = {},
                                      std::uint64_t secrets = 0) {
    quiz::SeededRandomSource codeRandom(2026);
    return quiz::NetworkLesson(std::move(setup), codeRandom,
                               std::make_unique<CountedSecrets>(secrets), limits);
}

inline quiz::JoinRequest joinRequest(const quiz::NetworkLesson& lesson, std::string name,
                                     std::string device) {
    return {.name = std::move(name),
            .code = lesson.joinCode(),
            .device = std::move(device),
            .style = quiz::pupilNumberStyle(",")};
}

// Joins, failing the test on a refusal.
inline quiz::Joined joined(quiz::NetworkLesson& lesson, std::string name, std::string device) {
    auto outcome = lesson.join(joinRequest(lesson, std::move(name), std::move(device)), "10.0.0.7",
                               quiz::LessonTime{0});
    if (const auto* refusal = std::get_if<quiz::RefusalId>(&outcome)) {
        ADD_FAILURE() << "join refused: " << quiz::refusalName(*refusal);
        return {};
    }
    return std::get<quiz::Joined>(std::move(outcome));
}

inline quiz::PickRequest pickOf(const std::string& token, int turn, int side) {
    return {.token = token, .turn = turn, .side = side};
}

// Picks, failing the test on a refusal.
inline quiz::Judgement judged(quiz::NetworkLesson& lesson, const quiz::PickRequest& pick) {
    auto outcome = lesson.pick(pick, kAnswerTime);
    if (const auto* refusal = std::get_if<quiz::RefusalId>(&outcome)) {
        ADD_FAILURE() << "pick refused: " << quiz::refusalName(*refusal);
        return {};
    }
    return std::get<quiz::Judgement>(std::move(outcome));
}

// The messages as a page sends them.
inline quiz::WireMessage wireMessage(std::string_view kind, std::vector<quiz::WireField> fields) {
    fields.insert(fields.begin(), {std::string(quiz::wire_field::kKind), std::string(kind)});
    return {std::move(fields)};
}

inline quiz::WireMessage joinMessage(std::string name, std::string code,
                                     std::string device = "device-0001") {
    using namespace quiz::wire_field;
    return wireMessage(quiz::wire_kind::kJoin, {{std::string(kName), std::move(name)},
                                                {std::string(kCode), std::move(code)},
                                                {std::string(kDevice), std::move(device)}});
}

inline quiz::WireMessage pickMessage(const std::string& token, quiz::WireValue turn,
                                     quiz::WireValue side) {
    using namespace quiz::wire_field;
    return wireMessage(quiz::wire_kind::kPick, {{std::string(kToken), token},
                                                {std::string(kTurn), std::move(turn)},
                                                {std::string(kSide), std::move(side)}});
}

inline quiz::WireMessage tokenMessage(std::string_view kind, const std::string& token) {
    return wireMessage(kind, {{std::string(quiz::wire_field::kToken), token}});
}

inline quiz::Arrival arrivalFrom(std::string_view address) {
    return {.address = address, .now = quiz::LessonTime{0}, .localTime = kAnswerTime};
}
