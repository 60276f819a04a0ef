#pragma once

// A lesson message as a JSON text and back, with no rule of its own: the core judges fields.

#include "core/network_lesson/wire_message.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace quiz {

// The object's fields as the lesson takes them: numbers, texts, flags and lists of texts; any
// other value (null, an object, a list holding something else) as monostate, for the lesson to
// refuse by name. None when the text is no JSON object at all.
std::optional<WireMessage> wireFromJson(QByteArrayView json);

// One JSON object, compact, in the fields' order; a name given twice is written once, first.
QByteArray wireToJson(const WireMessage& message);

} // namespace quiz
