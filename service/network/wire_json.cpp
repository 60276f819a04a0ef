#include "service/network/wire_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>

namespace quiz {

namespace {

WireValue fromJsonList(const QJsonArray& array) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(array.size()));
    for (const QJsonValue& entry : array) {
        if (!entry.isString()) {
            return std::monostate{};
        }
        texts.push_back(entry.toString().toStdString());
    }
    return texts;
}

WireValue fromJson(const QJsonValue& value) {
    switch (value.type()) {
    case QJsonValue::Bool:
        return value.toBool();
    case QJsonValue::Double:
        return value.toDouble();
    case QJsonValue::String:
        return value.toString().toStdString();
    case QJsonValue::Array:
        return fromJsonList(value.toArray());
    default:
        return std::monostate{};
    }
}

QJsonValue toJson(const WireValue& value) {
    struct Visitor {
        QJsonValue operator()(std::monostate) const { return QJsonValue::Null; }
        QJsonValue operator()(bool flag) const { return flag; }
        QJsonValue operator()(double number) const { return number; }
        QJsonValue operator()(const std::string& text) const {
            return QString::fromStdString(text);
        }
        QJsonValue operator()(const std::vector<std::string>& texts) const {
            QJsonArray array;
            for (const std::string& text : texts) {
                array.append(QString::fromStdString(text));
            }
            return array;
        }
    };
    return std::visit(Visitor{}, value);
}

// One value's JSON text: a list of it, written compact, without its brackets.
QByteArray compactJson(const QJsonValue& value) {
    const QByteArray list = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return list.mid(1, list.size() - 2);
}

} // namespace

std::optional<WireMessage> wireFromJson(QByteArrayView json) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    WireMessage message;
    for (auto field = object.begin(); field != object.end(); ++field) {
        message.fields.push_back({field.key().toStdString(), fromJson(field.value())});
    }
    return message;
}

QByteArray wireToJson(const WireMessage& message) {
    // QJsonObject sorts its keys; written by hand, the fields keep the order the lesson gave.
    QByteArray json = "{";
    QSet<QString> written;
    for (const WireField& field : message.fields) {
        const QString name = QString::fromStdString(field.name);
        if (written.contains(name)) {
            continue;
        }
        written.insert(name);
        if (json.size() > 1) {
            json += ',';
        }
        json += compactJson(name) + ':' + compactJson(toJson(field.value));
    }
    return json + '}';
}

} // namespace quiz
