#include "service/announce/lesson_announcement.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <utility>

namespace quiz {

namespace {

const QString kVersionKey = QStringLiteral("v");
const QString kAddressKey = QStringLiteral("url");
const QString kTeacherKey = QStringLiteral("teacher");
const QString kClassKey = QStringLiteral("class");

bool isPlainName(const QString& name) {
    if (name.trimmed().isEmpty() || name.size() > kMostAnnouncedNameChars) {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format;
    });
}

// The ranges kept for networks of one's own (RFC 1918 and IPv6's unique local addresses).
bool isPrivateUse(const QHostAddress& host) {
    static const std::array<std::pair<QHostAddress, int>, 4> ranges{{
        {QHostAddress(QStringLiteral("10.0.0.0")), 8},
        {QHostAddress(QStringLiteral("172.16.0.0")), 12},
        {QHostAddress(QStringLiteral("192.168.0.0")), 16},
        {QHostAddress(QStringLiteral("fc00::")), 7},
    }};
    return std::any_of(ranges.begin(), ranges.end(),
                       [&](const auto& range) { return host.isInSubnet(range); });
}

bool isLocalHost(const QHostAddress& host) {
    if (host.isNull() || host.isMulticast() || host.isBroadcast()) {
        return false;
    }
    return host.isLoopback() || host.isLinkLocal() || isPrivateUse(host);
}

std::optional<QString> textField(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    if (!value.isString()) {
        return std::nullopt;
    }
    return value.toString();
}

} // namespace

QByteArray announcementDatagram(const LessonAnnouncement& announcement) {
    QJsonObject object;
    object.insert(kVersionKey, kAnnouncementVersion);
    object.insert(kAddressKey, announcement.address.toString(QUrl::FullyEncoded));
    object.insert(kTeacherKey, announcement.teacher);
    object.insert(kClassKey, announcement.className);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

bool isLocalLessonAddress(const QUrl& address) {
    if (!address.isValid() || address.scheme() != QLatin1String("http") ||
        !address.userInfo().isEmpty() || address.hasQuery() || address.hasFragment() ||
        address.port() < 1) {
        return false;
    }
    const QString path = address.path();
    if (!path.isEmpty() && path != QLatin1String("/")) {
        return false;
    }
    // A name would be resolved by whoever the network's DNS says: only addresses are taken.
    QHostAddress host;
    return host.setAddress(address.host()) && isLocalHost(host);
}

std::optional<LessonAnnouncement> readAnnouncement(const QByteArray& datagram) {
    if (datagram.size() > kMostAnnouncementBytes) {
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(datagram, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    const QJsonValue version = object.value(kVersionKey);
    if (!version.isDouble() || version.toDouble() != kAnnouncementVersion || object.size() != 4) {
        return std::nullopt;
    }
    const auto address = textField(object, kAddressKey);
    const auto teacher = textField(object, kTeacherKey);
    const auto className = textField(object, kClassKey);
    if (!address || !teacher || !className || !isPlainName(*teacher) || !isPlainName(*className)) {
        return std::nullopt;
    }
    const QUrl url(*address, QUrl::StrictMode);
    if (!isLocalLessonAddress(url)) {
        return std::nullopt;
    }
    return LessonAnnouncement{url, *teacher, *className};
}

} // namespace quiz
