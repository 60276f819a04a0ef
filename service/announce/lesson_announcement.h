#pragma once

// The small datagram a hosted lesson sends on the school network: where it is, whose, which class.

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

namespace quiz {

// The one port lessons are announced on and heard at.
inline constexpr quint16 kAnnouncePort = 45454;
inline constexpr int kAnnouncementVersion = 1;
// Far more than a lesson's address and two names need; a longer datagram is no announcement.
inline constexpr qsizetype kMostAnnouncementBytes = 1024;
inline constexpr qsizetype kMostAnnouncedNameChars = 120;

struct LessonAnnouncement {
    QUrl address;      // http://192.168.1.20:8080/
    QString teacher;   // as the teacher's program names them
    QString className; // the class folder's name

    bool operator==(const LessonAnnouncement&) const = default;
};

// The announcement as its datagram: versioned JSON, compact.
QByteArray announcementDatagram(const LessonAnnouncement& announcement);

// The datagram as an announcement, or none for anything another program or a stranger could
// send: oversize, not a JSON object, another version, a field missing or of another type, a
// name empty, too long or with control characters, an address that is not http to a host on
// the local network (a private, link-local or loopback IP address, with no user, query or
// fragment).
std::optional<LessonAnnouncement> readAnnouncement(const QByteArray& datagram);

// Whether the address is one a pupil's quiz may connect to on the teacher's word.
bool isLocalLessonAddress(const QUrl& address);

} // namespace quiz
