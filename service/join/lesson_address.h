#pragma once

// A lesson's address as a pupil types it or a command line gives it, checked before connecting.

#include <QString>
#include <QUrl>

#include <optional>

namespace quiz {

// The lesson's http address for `typed`: http:// or ws:// (with or without the socket's path)
// to a computer on the local network by its IP address and port; none for anything else.
std::optional<QUrl> lessonAddressFromText(const QString& typed);

} // namespace quiz
