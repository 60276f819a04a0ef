#pragma once

// Listens for lessons' announcements and keeps those heard lately, newest address first.

#include "service/announce/lesson_announcement.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

#include <functional>

namespace quiz {

// Three announcements missed: the lesson has stopped or its computer has gone.
inline constexpr qint64 kLessonHeardForMs = 6000;

class LessonFinder : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<qint64()>; // steady milliseconds

    // `clock` by default is the system's steady clock; a test injects its own.
    explicit LessonFinder(QObject* parent = nullptr, Clock clock = {});

    // Starts hearing on the port, false (with the system's words in error()) where it cannot.
    bool listen(const QHostAddress& address = QHostAddress::AnyIPv4,
                quint16 port = kAnnouncePort);
    QString error() const { return socket_.errorString(); }
    quint16 port() const { return socket_.localPort(); }

    // The lessons heard in the last few seconds, in the order first heard.
    QList<LessonAnnouncement> lessons() const;

signals:
    // A lesson heard for the first time, or one forgotten.
    void lessonsChanged();

private:
    struct Heard {
        LessonAnnouncement announcement;
        qint64 at = 0;
    };
    void readPending();
    void forgetOld();

    Clock clock_;
    QUdpSocket socket_;
    QTimer forgetTimer_;
    QList<Heard> heard_;
};

} // namespace quiz
