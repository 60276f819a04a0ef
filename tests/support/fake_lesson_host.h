#pragma once

// A lesson's host faked on loopback for tests: hears what the quiz sends, says what it is told.

#include "core/network_lesson/message_kinds.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QWebSocket>
#include <QWebSocketServer>

#include <memory>
#include <string_view>

namespace quiz::fake_host {

inline constexpr int kWaitMs = 5000; // a bound on loopback, never a measure

inline QString key(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

inline QJsonObject turnMessage(int number, const QJsonArray& first = {"1,95583", "1,95601"},
                               const QJsonArray& second = {"1,95410", "1,95722"}) {
    return {{key(wire_field::kKind), key(wire_kind::kTurn)},
            {key(wire_field::kTurn), number},
            {key(wire_field::kFirst), first},
            {key(wire_field::kSecond), second},
            {key(wire_field::kCurrency), QStringLiteral("щатски долар - USD")},
            {key(wire_field::kLevel), 1}};
}

inline QJsonObject joinedMessage(const QString& token, const QString& pupil) {
    return {{key(wire_field::kKind), key(wire_kind::kJoined)}, {key(wire_field::kToken), token},
            {key(wire_field::kPupil), pupil}, {key(wire_field::kAnswered), 0},
            {key(wire_field::kRightCount), 0}};
}

inline QJsonObject judgedMessage(int number, int side, bool right, const QJsonArray& report) {
    return {{key(wire_field::kKind), key(wire_kind::kJudged)}, {key(wire_field::kTurn), number},
            {key(wire_field::kSide), side},   {key(wire_field::kRight), right},
            {key(wire_field::kRealSide), right ? side : 1 - side},
            {key(wire_field::kSpread), QStringLiteral("0,003")},
            {key(wire_field::kReport), report}, {key(wire_field::kAnswered), 1},
            {key(wire_field::kRightCount), right ? 1 : 0}};
}

inline QJsonObject refusedMessage(const QString& reason, const QString& text, bool closes) {
    return {{key(wire_field::kKind), key(wire_kind::kRefused)},
            {key(wire_field::kReason), reason},
            {key(wire_field::kText), text},
            {key(wire_field::kClose), closes}};
}

// The host's side: each message the quiz sent, and its socket to answer on.
struct FakeHost {
    QWebSocketServer server{QStringLiteral("fake"), QWebSocketServer::NonSecureMode};
    std::unique_ptr<QWebSocket> pupil;
    QList<QJsonObject> heard;

    FakeHost() {
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&server, &QWebSocketServer::newConnection, [this] {
            pupil.reset(server.nextPendingConnection());
            QObject::connect(pupil.get(), &QWebSocket::textMessageReceived, [this](const QString& t) {
                heard.append(QJsonDocument::fromJson(t.toUtf8()).object());
            });
        });
    }
    QUrl address() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort()));
    }
    bool waitForMessages(qsizetype count) {
        return QTest::qWaitFor([&] { return heard.size() >= count; }, kWaitMs);
    }
    void say(const QJsonObject& message) {
        pupil->sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson()));
    }
    QString kindOf(qsizetype index) const {
        return heard.at(index).value(key(wire_field::kKind)).toString();
    }
};

} // namespace quiz::fake_host
