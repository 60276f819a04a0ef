#include "core/network_lesson/message_kinds.h"

#include "core/network_lesson/session_token.h"
#include "core/turns/level.h"

#include <algorithm>
#include <array>

namespace quiz {

namespace {

using namespace wire_field;

constexpr double kMostValues = 1000; // a list's texts: far more than a turn shows
constexpr double kMostLines = 100;
constexpr double kMostText = 4096;

constexpr std::array kJoinFields{
    FieldRule{kName, WireType::Text, false, 0, kNameMostBytes},
    FieldRule{kCode, WireType::Text, false, 0, kCodeMostBytes},
    FieldRule{kDevice, WireType::Text, false, kDeviceLeastBytes, kDeviceMostBytes},
    FieldRule{kDecimal, WireType::Text, true, 1, 1},
};
constexpr std::array kTokenFields{
    FieldRule{kToken, WireType::Text, false, 0, kTokenMostBytes},
};
constexpr std::array kPickFields{
    FieldRule{kToken, WireType::Text, false, 0, kTokenMostBytes},
    FieldRule{kTurn, WireType::Number, false, 1, kMostTurnNumber},
    FieldRule{kSide, WireType::Number, false, 0, 1},
};
constexpr std::array kJoinedFields{
    FieldRule{kToken, WireType::Text, false, kTokenHexDigits, kTokenHexDigits},
    FieldRule{kPupil, WireType::Text, false, 1, kNameMostBytes},
    FieldRule{kAnswered, WireType::Number, false, 0, kMostTurnNumber},
    FieldRule{kRightCount, WireType::Number, false, 0, kMostTurnNumber},
};
constexpr std::array kTurnFields{
    FieldRule{kTurn, WireType::Number, false, 1, kMostTurnNumber},
    FieldRule{kFirst, WireType::Texts, false, 1, kMostValues},
    FieldRule{kSecond, WireType::Texts, false, 1, kMostValues},
    FieldRule{kCurrency, WireType::Text, false, 1, kMostText},
    FieldRule{kLevel, WireType::Number, false, 0, kLevelCount - 1},
};
constexpr std::array kJudgedFields{
    FieldRule{kTurn, WireType::Number, false, 1, kMostTurnNumber},
    FieldRule{kSide, WireType::Number, false, 0, 1},
    FieldRule{kRight, WireType::Flag, false, 0, 0},
    FieldRule{kRealSide, WireType::Number, false, 0, 1},
    FieldRule{kSpread, WireType::Text, false, 1, kMostText},
    FieldRule{kReport, WireType::Texts, false, 1, kMostLines},
    FieldRule{kAnswered, WireType::Number, false, 1, kMostTurnNumber},
    FieldRule{kRightCount, WireType::Number, false, 0, kMostTurnNumber},
};
constexpr std::array kRefusedFields{
    FieldRule{kReason, WireType::Text, false, 1, kMostText},
    FieldRule{kText, WireType::Text, false, 1, kMostText},
    FieldRule{kClose, WireType::Flag, false, 0, 0},
    FieldRule{kField, WireType::Text, true, 1, kMostText},
};

constexpr std::array kKinds{
    KindRule{wire_kind::kJoin, true, kJoinFields},
    KindRule{wire_kind::kResume, true, kTokenFields},
    KindRule{wire_kind::kPick, true, kPickFields},
    KindRule{wire_kind::kNext, true, kTokenFields},
    KindRule{wire_kind::kJoined, false, kJoinedFields},
    KindRule{wire_kind::kTurn, false, kTurnFields},
    KindRule{wire_kind::kJudged, false, kJudgedFields},
    KindRule{wire_kind::kRefused, false, kRefusedFields},
};

} // namespace

std::span<const KindRule> messageKinds() {
    return kKinds;
}

const KindRule* kindRule(std::string_view kind) {
    const auto rule = std::find_if(kKinds.begin(), kKinds.end(),
                                   [&](const KindRule& k) { return k.kind == kind; });
    return rule == kKinds.end() ? nullptr : &*rule;
}

const FieldRule* fieldRule(const KindRule& kind, std::string_view name) {
    const auto rule = std::find_if(kind.fields.begin(), kind.fields.end(),
                                   [&](const FieldRule& f) { return f.name == name; });
    return rule == kind.fields.end() ? nullptr : &*rule;
}

} // namespace quiz
