#pragma once

// The Bulgarian texts of the windows and the services, written as UTF-8 literals, as Qt strings.

#include <QString>

namespace quiz {

inline QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace quiz
