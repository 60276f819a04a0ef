#include "core/network_lesson/wire_message.h"

#include <algorithm>

namespace quiz {

const WireValue* WireMessage::find(std::string_view name) const {
    const auto field = std::find_if(fields.begin(), fields.end(),
                                    [&](const WireField& f) { return f.name == name; });
    return field == fields.end() ? nullptr : &field->value;
}

std::optional<std::string_view> WireMessage::text(std::string_view name) const {
    const WireValue* value = find(name);
    const auto* text = value ? std::get_if<std::string>(value) : nullptr;
    if (!text) {
        return std::nullopt;
    }
    return std::string_view(*text);
}

std::optional<double> WireMessage::number(std::string_view name) const {
    const WireValue* value = find(name);
    const auto* number = value ? std::get_if<double>(value) : nullptr;
    if (!number) {
        return std::nullopt;
    }
    return *number;
}

} // namespace quiz
