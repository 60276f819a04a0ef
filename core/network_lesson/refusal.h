#pragma once

// Why the host refuses a pupil's message: its id, wire name, words, and whether it closes.

#include <cstdint>
#include <string>
#include <string_view>

namespace quiz {

enum class RefusalId : std::uint8_t {
    // A pupil can put these right and try again.
    WrongCode,
    NameEmpty,
    NameTooLong,
    NameHasControls,
    NameLikeFormula, // would run as a formula where a spreadsheet opens the class's files
    NameTaken, // by a pupil on another device: choose another
    TooManyWrongCodes,
    LessonFull,
    UnknownToken, // the host no longer knows the session: join again
    NotOnScreen,  // a pick of a turn that is not the one shown
    AlreadyAnswered,
    NotAnswered, // a new turn asked for before the one shown is answered
    // No page of ours sends these: the connection closes.
    UnknownKind,
    MissingField,
    UnknownField,
    RepeatedField,
    WrongType,
    OversizeField,
    OutOfRange,
    NotUtf8,
};

// A refusal, with the field at fault where one is.
struct Refusal {
    RefusalId id = RefusalId::UnknownKind;
    std::string field{};

    bool operator==(const Refusal&) const = default;
};

// "wrong-code", "name-taken", …: ASCII, for the page and a connection's close reason.
std::string_view refusalName(RefusalId id);
// What the pupil reads, in Bulgarian.
std::string_view refusalText(RefusalId id);
// Whether the connection closes with it: a message no page of ours sends.
bool closesConnection(RefusalId id);
inline constexpr std::size_t kRefusalCount = static_cast<std::size_t>(RefusalId::NotUtf8) + 1;

} // namespace quiz
