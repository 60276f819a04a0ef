#include "service/join/lesson_client.h"

#include "core/network_lesson/message_kinds.h"
#include "service/words/utf8_string.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quiz {

namespace {

QString key(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QJsonValue field(const QJsonObject& message, std::string_view name) {
    return message.value(key(name));
}

std::string text(const QJsonObject& message, std::string_view name) {
    return field(message, name).toString().toStdString();
}

int whole(const QJsonObject& message, std::string_view name) {
    return field(message, name).toInt();
}

std::vector<std::string> texts(const QJsonObject& message, std::string_view name) {
    std::vector<std::string> all;
    for (const QJsonValue& value : field(message, name).toArray()) {
        all.push_back(value.toString().toStdString());
    }
    return all;
}

// Whether every field the kind's rule names is there, of its type, and no other.
bool followsItsRule(const QJsonObject& message, const KindRule& rule) {
    for (auto it = message.begin(); it != message.end(); ++it) {
        if (it.key() != key(wire_field::kKind) && !fieldRule(rule, it.key().toStdString())) {
            return false;
        }
    }
    for (const FieldRule& f : rule.fields) {
        const QJsonValue value = field(message, f.name);
        if (value.isUndefined() && f.optional) {
            continue;
        }
        const bool typed = (f.type == WireType::Text && value.isString()) ||
                           (f.type == WireType::Number && value.isDouble()) ||
                           (f.type == WireType::Flag && value.isBool()) ||
                           (f.type == WireType::Texts && value.isArray());
        if (!typed) {
            return false;
        }
    }
    return true;
}

DealtTurn dealtTurn(const QJsonObject& message) {
    return DealtTurn{whole(message, wire_field::kTurn),
                     {texts(message, wire_field::kFirst), texts(message, wire_field::kSecond)},
                     text(message, wire_field::kCurrency),
                     whole(message, wire_field::kLevel)};
}

JudgedTurn judgedTurn(const QJsonObject& message) {
    return JudgedTurn{whole(message, wire_field::kTurn),
                      whole(message, wire_field::kSide),
                      field(message, wire_field::kRight).toBool(),
                      whole(message, wire_field::kRealSide),
                      text(message, wire_field::kSpread),
                      texts(message, wire_field::kReport),
                      whole(message, wire_field::kAnswered),
                      whole(message, wire_field::kRightCount)};
}

} // namespace

QUrl lessonSocketUrl(const QUrl& lessonAddress) {
    QUrl socket = lessonAddress;
    socket.setScheme(QStringLiteral("ws"));
    socket.setPath(QString::fromLatin1(kLessonSocketPath.data(), qsizetype(kLessonSocketPath.size())));
    return socket;
}

LessonClient::LessonClient(QUrl lessonAddress, JoinDetails details, QObject* parent,
                           int reconnectMs)
    : QObject(parent), address_(std::move(lessonAddress)), details_(std::move(details)) {
    retry_.setSingleShot(true);
    retry_.setInterval(reconnectMs);
    connect(&retry_, &QTimer::timeout, this, &LessonClient::open);
    connect(&socket_, &QWebSocket::connected, this, &LessonClient::greet);
    connect(&socket_, &QWebSocket::textMessageReceived, this, &LessonClient::read);
    connect(&socket_, &QWebSocket::disconnected, this, &LessonClient::dropped);
}

void LessonClient::open() {
    closing_ = false;
    socket_.open(lessonSocketUrl(address_));
}

void LessonClient::close() {
    closing_ = true;
    retry_.stop();
    socket_.close();
}

void LessonClient::pick(int side) {
    send({{key(wire_field::kKind), key(wire_kind::kPick)},
          {key(wire_field::kToken), token_},
          {key(wire_field::kTurn), turn_},
          {key(wire_field::kSide), side}});
}

void LessonClient::next() {
    send({{key(wire_field::kKind), key(wire_kind::kNext)}, {key(wire_field::kToken), token_}});
}

void LessonClient::greet() {
    if (wasDropped_) {
        wasDropped_ = false;
        emit reconnected();
    }
    if (!token_.isEmpty()) {
        send({{key(wire_field::kKind), key(wire_kind::kResume)}, {key(wire_field::kToken), token_}});
        return;
    }
    send({{key(wire_field::kKind), key(wire_kind::kJoin)},
          {key(wire_field::kName), details_.name},
          {key(wire_field::kCode), details_.code},
          {key(wire_field::kDevice), details_.device},
          {key(wire_field::kDecimal), details_.decimal}});
}

void LessonClient::read(const QString& text) {
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject() || !readHostMessage(document.object())) {
        // Not our host's words: better no lesson than a wrong one.
        close();
        emit refused(utf8("Урокът изпрати съобщение, което програмата не разбира."),
                     true);
    }
}

bool LessonClient::readHostMessage(const QJsonObject& message) {
    const std::string kind = text(message, wire_field::kKind);
    const KindRule* rule = kindRule(kind);
    if (!rule || rule->fromPupil || !followsItsRule(message, *rule)) {
        return false;
    }
    if (kind == wire_kind::kJoined) {
        token_ = field(message, wire_field::kToken).toString();
        emit joined(field(message, wire_field::kPupil).toString());
    } else if (kind == wire_kind::kTurn) {
        const DealtTurn turn = dealtTurn(message);
        turn_ = turn.number;
        emit turnDealt(turn);
    } else if (kind == wire_kind::kJudged) {
        emit turnJudged(judgedTurn(message));
    } else if (text(message, wire_field::kReason) == refusalName(RefusalId::UnknownToken)) {
        // The host has forgotten the session (it restarted): the same name and code again.
        token_.clear();
        greet();
    } else {
        emit refused(field(message, wire_field::kText).toString(),
                     field(message, wire_field::kClose).toBool());
    }
    return true;
}

void LessonClient::dropped() {
    if (closing_) {
        return;
    }
    if (!wasDropped_) {
        wasDropped_ = true;
        emit reconnecting();
    }
    retry_.start();
}

void LessonClient::send(const QJsonObject& message) {
    socket_.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
}

} // namespace quiz
