#pragma once

// Sends a hosted lesson's announcement every two seconds, so pupils' quizzes find it.

#include "service/announce/lesson_announcement.h"

#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

namespace quiz {

inline constexpr int kAnnounceIntervalMs = 2000;

class LessonAnnouncer : public QObject {
    Q_OBJECT
public:
    // To the whole local network by default; a test names loopback and its own port. A lesson
    // at a loopback address is announced on loopback whatever the target.
    explicit LessonAnnouncer(QObject* parent = nullptr,
                             QHostAddress target = QHostAddress::Broadcast,
                             quint16 port = kAnnouncePort);

    // Announces now and then every interval, until stopped or started with another lesson.
    void start(const LessonAnnouncement& announcement);
    void stop();
    bool isAnnouncing() const { return timer_.isActive(); }

private:
    void send();

    QHostAddress target_;
    QHostAddress to_; // the target, or this computer for a lesson on loopback
    quint16 port_;
    QUdpSocket socket_;
    QTimer timer_;
    QByteArray datagram_;
};

} // namespace quiz
