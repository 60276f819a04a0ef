#pragma once

// The lesson's messages: each kind, who sends it, its fields' names, types and bounds.
// The JSON side reads and writes them without a rule of its own.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quiz {

// Where on the host's port a pupil's page or quiz opens the lesson's WebSocket.
inline constexpr std::string_view kLessonSocketPath = "/lesson";

// The kinds, in the "kind" field of every message.
namespace wire_kind {
// From a pupil's page or quiz.
inline constexpr std::string_view kJoin = "join";
inline constexpr std::string_view kResume = "resume";
inline constexpr std::string_view kPick = "pick";
inline constexpr std::string_view kNext = "next";
// From the host.
inline constexpr std::string_view kJoined = "joined";
inline constexpr std::string_view kTurn = "turn";
inline constexpr std::string_view kJudged = "judged";
inline constexpr std::string_view kRefused = "refused";
} // namespace wire_kind

namespace wire_field {
inline constexpr std::string_view kKind = "kind";
inline constexpr std::string_view kName = "name";         // the pupil's, as typed
inline constexpr std::string_view kCode = "code";         // the lesson's join code, as typed
inline constexpr std::string_view kDevice = "device";     // the device's own key, kept by it
inline constexpr std::string_view kDecimal = "decimal";   // "," or ".": how the lists write numbers
inline constexpr std::string_view kToken = "token";       // the session's, from "joined"
inline constexpr std::string_view kTurn = "turn";         // the pupil's turn number, from 1
inline constexpr std::string_view kSide = "side";         // 0 for the first list, 1 for the second
inline constexpr std::string_view kPupil = "pupil";       // the name as the host keeps it
inline constexpr std::string_view kAnswered = "answered"; // turns answered so far
inline constexpr std::string_view kRightCount = "right_count";
inline constexpr std::string_view kFirst = "first";       // the first list's texts
inline constexpr std::string_view kSecond = "second";     // the second list's
inline constexpr std::string_view kCurrency = "currency"; // "щатски долар - USD"
inline constexpr std::string_view kLevel = "level";
inline constexpr std::string_view kRight = "right"; // whether the pick was the real list
inline constexpr std::string_view kRealSide = "real_side";
inline constexpr std::string_view kSpread = "spread"; // the real values' spread, as written
inline constexpr std::string_view kReport = "report"; // the quiz's lines after the pick
inline constexpr std::string_view kReason = "reason"; // a refusal's name
inline constexpr std::string_view kText = "text";     // a refusal's words for the pupil
inline constexpr std::string_view kClose = "close";   // whether the connection closes with it
inline constexpr std::string_view kField = "field";   // the field a refusal is about, if one
} // namespace wire_field

enum class WireType : std::uint8_t { Text, Number, Flag, Texts };

struct FieldRule {
    std::string_view name;
    WireType type = WireType::Text;
    bool optional = false;
    // A text's bytes, a whole number's value, a list's entries: from least to most.
    double least = 0;
    double most = 0;
};

struct KindRule {
    std::string_view kind;
    bool fromPupil = false;
    std::span<const FieldRule> fields; // besides "kind"
};

// Every kind, those a pupil sends first.
std::span<const KindRule> messageKinds();
// The kind's rule, or null for a kind there is none of.
const KindRule* kindRule(std::string_view kind);
// The field's rule in the kind, or null.
const FieldRule* fieldRule(const KindRule& kind, std::string_view name);

// Bounds the host holds pupils' messages to, named once for the rules and the checks.
inline constexpr std::size_t kNameMostBytes = 256; // longer is no name typed: oversize
inline constexpr std::size_t kCodeMostBytes = 32;
inline constexpr std::size_t kDeviceLeastBytes = 8;
inline constexpr std::size_t kDeviceMostBytes = 128;
inline constexpr std::size_t kTokenMostBytes = 64;
inline constexpr double kMostTurnNumber = 1e9;

} // namespace quiz
