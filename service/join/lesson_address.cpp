#include "service/join/lesson_address.h"

#include "core/network_lesson/message_kinds.h"
#include "service/announce/lesson_announcement.h"

namespace quiz {

std::optional<QUrl> lessonAddressFromText(const QString& typed) {
    QUrl address(typed.trimmed(), QUrl::StrictMode);
    if (address.scheme() == QLatin1String("ws")) {
        // The socket's own address, as the host's page may show it, names the same lesson.
        if (address.path() == QLatin1String(kLessonSocketPath.data(), qsizetype(kLessonSocketPath.size()))) {
            address.setPath(QStringLiteral("/"));
        }
        address.setScheme(QStringLiteral("http"));
    }
    if (!isLocalLessonAddress(address)) {
        return std::nullopt;
    }
    return address;
}

} // namespace quiz
