#pragma once

// A pupil's quiz in a lesson hosted on the network: joins, sends picks and asks for turns over
// a WebSocket, and comes back to the same turn with its token when the connection drops.

#include "core/network_lesson/host_messages.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <QWebSocket>

#include <optional>

namespace quiz {

inline constexpr int kReconnectMs = 1000;

struct JoinDetails {
    QString name;
    QString code;
    QString device;  // this device's own key, the same each time
    QString decimal; // "," or "."
};

// The socket's address for a lesson's http address: ws://host:port/lesson.
QUrl lessonSocketUrl(const QUrl& lessonAddress);

class LessonClient : public QObject {
    Q_OBJECT
public:
    LessonClient(QUrl lessonAddress, JoinDetails details, QObject* parent = nullptr,
                 int reconnectMs = kReconnectMs);

    void open();
    void close();
    // The pick of the turn on screen: 0 for the first list, 1 for the second.
    void pick(int side);
    void next();
    bool isJoined() const { return !token_.isEmpty(); }

signals:
    void joined(const QString& pupil);
    void turnDealt(const quiz::DealtTurn& turn);
    void turnJudged(const quiz::JudgedTurn& judged);
    // The host's words; `closes` when the lesson will not go on without the pupil's doing.
    void refused(const QString& text, bool closes);
    void reconnecting();
    void reconnected();

private:
    void greet();
    void read(const QString& text);
    bool readHostMessage(const QJsonObject& message);
    void dropped();
    void send(const QJsonObject& message);

    QUrl address_;
    JoinDetails details_;
    QWebSocket socket_;
    QTimer retry_;
    QString token_;
    int turn_ = 0;
    bool closing_ = false;
    bool wasDropped_ = false;
};

} // namespace quiz
