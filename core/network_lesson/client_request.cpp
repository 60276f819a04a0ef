#include "core/network_lesson/client_request.h"

#include "core/network_lesson/message_kinds.h"
#include "core/text/message_text.h"
#include "core/text/utf8_text.h"

#include <cmath>
#include <optional>
#include <set>

namespace quiz {

namespace {

using namespace wire_field;

constexpr std::string_view kPoint = ".";
constexpr std::string_view kComma = ",";

std::optional<Refusal> checkText(const FieldRule& rule, const std::string& text) {
    if (!isValidUtf8(text)) {
        return Refusal{RefusalId::NotUtf8, std::string(rule.name)};
    }
    if (static_cast<double>(text.size()) > rule.most) {
        return Refusal{RefusalId::OversizeField, std::string(rule.name)};
    }
    if (static_cast<double>(text.size()) < rule.least) {
        return Refusal{RefusalId::MissingField, std::string(rule.name)};
    }
    if (rule.name == kDecimal && text != kPoint && text != kComma) {
        return Refusal{RefusalId::OutOfRange, std::string(rule.name)};
    }
    return std::nullopt;
}

std::optional<Refusal> checkValue(const FieldRule& rule, const WireValue& value) {
    const auto wrongType = Refusal{RefusalId::WrongType, std::string(rule.name)};
    if (rule.type == WireType::Text) {
        const auto* text = std::get_if<std::string>(&value);
        return text ? checkText(rule, *text) : wrongType;
    }
    // Pupils send no flags or lists: their rules are the host's.
    const auto* number = std::get_if<double>(&value);
    if (rule.type != WireType::Number || !number) {
        return wrongType;
    }
    if (!std::isfinite(*number) || std::trunc(*number) != *number || *number < rule.least ||
        *number > rule.most) {
        return Refusal{RefusalId::OutOfRange, std::string(rule.name)};
    }
    return std::nullopt;
}

// Every field known, once, of its type and within its bounds; every field needed, there.
std::optional<Refusal> checkFields(const KindRule& kind, const WireMessage& message) {
    std::set<std::string_view> seen;
    for (const WireField& field : message.fields) {
        if (!seen.insert(field.name).second) {
            return Refusal{RefusalId::RepeatedField, shortenedForMessage(field.name)};
        }
        if (field.name == kKind) {
            continue;
        }
        const FieldRule* rule = fieldRule(kind, field.name);
        if (!rule) {
            return Refusal{RefusalId::UnknownField, shortenedForMessage(field.name)};
        }
        if (auto refusal = checkValue(*rule, field.value)) {
            return refusal;
        }
    }
    for (const FieldRule& rule : kind.fields) {
        if (!rule.optional && !seen.contains(rule.name)) {
            return Refusal{RefusalId::MissingField, std::string(rule.name)};
        }
    }
    return std::nullopt;
}

std::string textOf(const WireMessage& message, std::string_view name) {
    return std::string(message.text(name).value_or(std::string_view()));
}

int numberOf(const WireMessage& message, std::string_view name) {
    return static_cast<int>(message.number(name).value_or(0));
}

// A message whose fields are checked, as its kind's request.
ClientRequest requestOf(std::string_view kind, const WireMessage& message) {
    if (kind == wire_kind::kJoin) {
        return JoinRequest{.name = textOf(message, kName),
                           .code = textOf(message, kCode),
                           .device = textOf(message, kDevice),
                           .style = pupilNumberStyle(message.text(kDecimal).value_or(kComma))};
    }
    if (kind == wire_kind::kPick) {
        return PickRequest{.token = textOf(message, kToken),
                           .turn = numberOf(message, kTurn),
                           .side = numberOf(message, kSide)};
    }
    if (kind == wire_kind::kResume) {
        return ResumeRequest{textOf(message, kToken)};
    }
    return NextRequest{textOf(message, kToken)};
}

} // namespace

NumberStyle pupilNumberStyle(std::string_view decimal) {
    return {.decimalSeparator = std::string(decimal), .groupSeparator = "", .groupSize = 0};
}

std::variant<ClientRequest, Refusal> readRequest(const WireMessage& message) {
    const WireValue* kindValue = message.find(kKind);
    if (!kindValue) {
        return Refusal{RefusalId::MissingField, std::string(kKind)};
    }
    const auto* kind = std::get_if<std::string>(kindValue);
    if (!kind) {
        return Refusal{RefusalId::WrongType, std::string(kKind)};
    }
    const KindRule* rule = kindRule(*kind);
    if (!rule || !rule->fromPupil) {
        return Refusal{RefusalId::UnknownKind, shortenedForMessage(*kind)};
    }
    if (auto refusal = checkFields(*rule, message)) {
        return *refusal;
    }
    return requestOf(*kind, message);
}

} // namespace quiz
