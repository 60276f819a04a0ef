#include "service/network/lesson_host.h"

#include "core/network_lesson/lesson_replies.h"
#include "core/network_lesson/message_kinds.h"
#include "service/network/local_peer.h"
#include "service/network/page_files.h"
#include "service/network/wire_json.h"

#include <QDateTime>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketServer>

namespace quiz {

namespace {

constexpr QByteArrayView kHeadEnd = "\r\n\r\n";
constexpr auto kMalformed = "malformed-json";
constexpr auto kBinary = "binary-frame";
constexpr auto kIdle = "idle";

QByteArray response(QByteArrayView status, const QByteArray& type, const QByteArray& body) {
    QByteArray text = "HTTP/1.1 " + status.toByteArray() + "\r\n";
    if (!type.isEmpty()) {
        text += "Content-Type: " + type + "\r\n";
    }
    text += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    // Nothing from elsewhere: the page's own files and its own socket.
    text += "Content-Security-Policy: default-src 'self'; connect-src 'self' ws: wss:\r\n"
            "X-Content-Type-Options: nosniff\r\nCache-Control: no-store\r\n"
            "Connection: close\r\n\r\n";
    return text + body;
}

// Whether the head asks to upgrade to a WebSocket: a header "Upgrade: websocket".
bool asksUpgrade(const QList<QByteArray>& lines) {
    for (const QByteArray& line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.first(colon).trimmed().toLower() == "upgrade" &&
            line.sliced(colon + 1).trimmed().toLower() == "websocket") {
            return true;
        }
    }
    return false;
}

std::string localTimeNow() {
    const QDateTime now = QDateTime::currentDateTime();
    return now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODate).toStdString();
}

// The refusal's name, which a connection closed for it gives as its reason.
QString closeReason(const Reply& reply) {
    if (!reply.messages.empty()) {
        if (const auto reason = reply.messages.back().text(wire_field::kReason)) {
            return QString::fromUtf8(reason->data(), static_cast<qsizetype>(reason->size()));
        }
    }
    return QStringLiteral("refused");
}

// A name comes in as NFC, so that "Е" + U+0308 is the pupil "Ё": the core, with no composition
// tables of its own, then tells names apart by case folding only (pupilKey).
void composeName(WireMessage& message) {
    for (WireField& field : message.fields) {
        auto* text = std::get_if<std::string>(&field.value);
        if (field.name == wire_field::kName && text) {
            *text = QString::fromStdString(*text)
                        .normalized(QString::NormalizationForm_C)
                        .toStdString();
        }
    }
}

} // namespace

LessonHost::LessonHost(QString folder, LessonSetup setup, HostOptions options,
                       std::unique_ptr<SecretSource> secrets, RandomSource& codeRandom,
                       QObject* parent)
    : QObject(parent), files_(std::move(folder), setup.host, options.spoolFolder),
      lesson_(setup, codeRandom, std::move(secrets)), options_(std::move(options)) {
    lesson_.restore(files_.readBack());
    clock_.start();
    server_ = new QTcpServer(this);
    server_->setMaxPendingConnections(options_.mostConnections);
    connect(server_, &QTcpServer::newConnection, this, &LessonHost::accept);
    webSockets_ = new QWebSocketServer(QStringLiteral("realdataquiz"),
                                       QWebSocketServer::NonSecureMode, this);
    webSockets_->setHandshakeTimeout(options_.requestTime);
    connect(webSockets_, &QWebSocketServer::newConnection, this, &LessonHost::takeSocket);
    retry_.setParent(this); // so that it moves to the host's thread with it
    retry_.setInterval(options_.retryTime);
    connect(&retry_, &QTimer::timeout, this, &LessonHost::retryRows);
}

// The folder back, the rows that waited reach it without a pupil answering again. That they
// wait was told as each came; only rows refused now for good are news.
void LessonHost::retryRows() {
    const Filing filing = files_.retry();
    if (filing.lost > 0) {
        emit rowNotWritten(filing.problem, static_cast<int>(filing.lost));
    }
    keepRetrying();
}

// Not restarted by each answer that waits, so that answers failing often still let it fire.
void LessonHost::keepRetrying() {
    if (files_.waiting() == 0) {
        retry_.stop();
    } else if (!retry_.isActive()) {
        retry_.start();
    }
}

LessonHost::~LessonHost() = default;

bool LessonHost::listen(QString& problem) {
    if (server_->listen(options_.address, options_.port)) {
        return true;
    }
    problem = server_->errorString();
    return false;
}

QHostAddress LessonHost::address() const {
    return server_->serverAddress();
}

quint16 LessonHost::port() const {
    return server_->serverPort();
}

bool LessonHost::changeSetup(LessonSetup setup) {
    try {
        lesson_.changeSetup(std::move(setup));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void LessonHost::accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        if ((!options_.anyPeer && !isLocalNetworkPeer(socket->peerAddress())) ||
            connections() >= options_.mostConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        requests_.insert(socket);
        auto* timer = new QTimer(socket);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, socket, &QTcpSocket::abort);
        timer->start(options_.requestTime);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readHead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { forget(socket); });
        connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] { forget(socket); });
    }
}

void LessonHost::forget(QTcpSocket* socket) {
    if (requests_.remove(socket)) {
        socket->deleteLater();
    }
}

// The head is only peeked at: a WebSocket's handshake is read again by the WebSocket server.
void LessonHost::readHead(QTcpSocket* socket) {
    if (!requests_.contains(socket)) {
        return;
    }
    const QByteArray seen = socket->peek(options_.mostHeadBytes);
    const qsizetype end = seen.indexOf(kHeadEnd);
    if (end >= 0) {
        serveHead(socket, seen.first(end));
        return;
    }
    if (seen.size() >= options_.mostHeadBytes) {
        finish(socket, response("431 Request Header Fields Too Large", {}, {}));
    }
}

void LessonHost::serveHead(QTcpSocket* socket, const QByteArray& head) {
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> request = lines.first().trimmed().split(' ');
    const bool get = request.size() == 3 && request[0] == "GET";
    if (get && request[1] == QByteArrayView(kLessonSocketPath.data(), qsizetype(kLessonSocketPath.size())) && asksUpgrade(lines)) {
        requests_.remove(socket);
        socket->disconnect(this);
        qDeleteAll(socket->findChildren<QTimer*>(Qt::FindDirectChildrenOnly));
        webSockets_->handleConnection(socket);
        return;
    }
    const std::optional<PageFile> file = get ? pageFile(request[1]) : std::nullopt;
    finish(socket, file ? response("200 OK", file->contentType, file->body)
                   : get ? response("404 Not Found", "text/plain; charset=utf-8", "404\n")
                         : response("405 Method Not Allowed", {}, {}));
}

// The answer goes out whole before the connection closes; the socket stays counted, and under
// the request's time bound, until it has.
void LessonHost::finish(QTcpSocket* socket, const QByteArray& answer) {
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    socket->readAll();
    socket->write(answer);
    socket->disconnectFromHost();
}

void LessonHost::takeSocket() {
    while (QWebSocket* socket = webSockets_->nextPendingConnection()) {
        socket->setParent(this);
        socket->setMaxAllowedIncomingFrameSize(static_cast<quint64>(options_.mostMessageBytes));
        socket->setMaxAllowedIncomingMessageSize(static_cast<quint64>(options_.mostMessageBytes));
        sockets_.insert(socket);
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        idle->setInterval(options_.idleTime);
        connect(idle, &QTimer::timeout, socket, [socket] {
            socket->close(QWebSocketProtocol::CloseCodeGoingAway, QString::fromLatin1(kIdle));
        });
        idle->start();
        connect(socket, &QWebSocket::textMessageReceived, this,
                [this, socket, idle](const QString& text) {
                    idle->start();
                    answer(socket, text);
                });
        connect(socket, &QWebSocket::binaryMessageReceived, socket, [socket] {
            socket->close(QWebSocketProtocol::CloseCodeDatatypeNotSupported,
                          QString::fromLatin1(kBinary));
        });
        connect(socket, &QWebSocket::disconnected, this, [this, socket] {
            sockets_.remove(socket);
            socket->deleteLater();
        });
    }
}

void LessonHost::answer(QWebSocket* socket, const QString& text) {
    if (!sockets_.contains(socket) || socket->state() != QAbstractSocket::ConnectedState) {
        return;
    }
    std::optional<WireMessage> message = wireFromJson(text.toUtf8());
    if (!message) {
        socket->close(QWebSocketProtocol::CloseCodeProtocolError, QString::fromLatin1(kMalformed));
        return;
    }
    composeName(*message);
    const std::string address = socket->peerAddress().toString().toStdString();
    const std::string time = localTimeNow();
    const Reply reply = respond(lesson_, *message,
                                {.address = address,
                                 .now = LessonTime(clock_.elapsed()),
                                 .localTime = time});
    // The row is in its file before the pupil hears the verdict: a host killed now loses none.
    if (reply.row) {
        if (const Filing filing = files_.append(*reply.row);
            !filing.problem.isEmpty() || filing.lost > 0) {
            emit rowNotWritten(filing.problem, static_cast<int>(filing.lost));
            keepRetrying();
        }
    }
    for (const WireMessage& each : reply.messages) {
        socket->sendTextMessage(QString::fromUtf8(wireToJson(each)));
    }
    if (reply.close) {
        socket->close(QWebSocketProtocol::CloseCodePolicyViolated, closeReason(reply));
    }
}

} // namespace quiz
