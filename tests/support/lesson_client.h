#pragma once

// A pupil's side of a hosted lesson for tests and the bench: a WebSocket that sends the page's
// messages and keeps what the host sends back, waited for within a bound.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QWebSocket>

#include <deque>

namespace quiz::testing {

inline constexpr int kWaitMs = 20000; // a bound for a loaded machine, never a measure

class LessonClient {
public:
    explicit LessonClient(QString device) : device_(std::move(device)) {
        QObject::connect(&socket_, &QWebSocket::textMessageReceived, [this](const QString& text) {
            inbox_.push_back(QJsonDocument::fromJson(text.toUtf8()).object());
        });
        QObject::connect(&socket_, &QWebSocket::disconnected, [this] {
            closed_ = true;
            closeReason_ = socket_.closeReason();
        });
    }

    // Qt WebSockets 6.4 leaks the close's text when a socket still open is destroyed; a client
    // dropped first leaves nothing behind, and a test's leak check stays the quiz's own.
    ~LessonClient() { socket_.abort(); }
    LessonClient(const LessonClient&) = delete;
    LessonClient& operator=(const LessonClient&) = delete;

    bool open(const QString& url) {
        closed_ = false;
        socket_.open(QUrl(url));
        return waitUntil([this] {
            return socket_.state() == QAbstractSocket::ConnectedState || closed_;
        }) && !closed_;
    }
    void send(const QJsonObject& message) {
        socket_.sendTextMessage(
            QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
    }
    void sendRaw(const QString& text) { socket_.sendTextMessage(text); }
    void join(const QString& name, const QString& code) {
        send({{"kind", "join"}, {"name", name}, {"code", code}, {"device", device_},
              {"decimal", ","}});
    }
    void pick(int turn, int side) {
        send({{"kind", "pick"}, {"token", token}, {"turn", turn}, {"side", side}});
    }
    void next() { send({{"kind", "next"}, {"token", token}}); }
    void resume() { send({{"kind", "resume"}, {"token", token}}); }

    // The next message the host sent; an empty object when none came within the bound.
    QJsonObject receive() {
        waitUntil([this] { return !inbox_.empty() || closed_; });
        if (inbox_.empty()) {
            return {};
        }
        QJsonObject message = inbox_.front();
        inbox_.pop_front();
        if (message["kind"] == QStringLiteral("joined")) {
            token = message["token"].toString();
        } else if (message["kind"] == QStringLiteral("turn")) {
            turn = message["turn"].toInt();
        }
        return message;
    }
    // Messages up to and including one of `kind`; that one, or empty.
    QJsonObject receiveKind(const QString& kind) {
        for (;;) {
            QJsonObject message = receive();
            if (message.isEmpty() || message["kind"].toString() == kind) {
                return message;
            }
        }
    }
    bool waitClosed() {
        return waitUntil([this] { return closed_; });
    }
    void drop() { socket_.abort(); }
    QString closeReason() const { return closeReason_; }
    QWebSocket& socket() { return socket_; }

    QString token;
    int turn = 0; // the last dealt

    template <typename Done>
    static bool waitUntil(Done done, int ms = kWaitMs) {
        const QDeadlineTimer deadline(ms);
        while (!done() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        return done();
    }

private:
    QWebSocket socket_;
    QString device_;
    std::deque<QJsonObject> inbox_;
    bool closed_ = false;
    QString closeReason_;
};

// The program hosting a lesson of `folder` on loopback: its address and join code once it
// printed them, or empty ones.
struct HostedLesson {
    QString url;  // http://127.0.0.1:PORT/
    QString code;

    QString socketUrl() const {
        QString ws = url;
        return ws.replace(QStringLiteral("http://"), QStringLiteral("ws://")) +
               QStringLiteral("lesson");
    }
};

inline HostedLesson
startHost(QProcess& process, const QString& program, const QString& folder,
          QProcessEnvironment environment = QProcessEnvironment::systemEnvironment()) {
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!environment.contains(QStringLiteral("XDG_DATA_HOME"))) {
        // The host's spools beside the lesson, not among the account's own.
        environment.insert(QStringLiteral("XDG_DATA_HOME"), folder + QStringLiteral("/.data"));
    }
    process.setProcessEnvironment(environment);
    process.start(program, {QStringLiteral("--teacher"), folder, QStringLiteral("--serve"),
                            QStringLiteral("127.0.0.1:0")});
    LessonClient::waitUntil([&] {
        return process.canReadLine() || process.state() == QProcess::NotRunning;
    });
    const QStringList words = QString::fromUtf8(process.readLine()).trimmed().split(u' ');
    if (words.size() != 2) {
        return {};
    }
    return {words[0], words[1]};
}

} // namespace quiz::testing
