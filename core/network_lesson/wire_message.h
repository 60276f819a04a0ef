#pragma once

// A message as named fields of plain values, as the service reads and writes JSON.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quiz {

// JSON's values as the lesson takes them: a number, a string, true or false, a list of strings;
// monostate for anything else (null, an object, a list of other values).
using WireValue = std::variant<std::monostate, bool, double, std::string, std::vector<std::string>>;

struct WireField {
    std::string name;
    WireValue value;

    bool operator==(const WireField&) const = default;
};

struct WireMessage {
    std::vector<WireField> fields; // in the order written; a name may come twice

    // The first field of that name, or null.
    const WireValue* find(std::string_view name) const;
    // The field's value as text or as a number; none when it is absent or of another type.
    std::optional<std::string_view> text(std::string_view name) const;
    std::optional<double> number(std::string_view name) const;

    bool operator==(const WireMessage&) const = default;
};

} // namespace quiz
