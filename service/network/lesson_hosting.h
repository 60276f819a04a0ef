#pragma once

// The teacher's lesson hosted on the network: a host made from the class folder's settings and
// kept up with them as the lesson panel writes them, dealing on a thread of its own.

#include "core/network_lesson/lesson_setup.h"
#include "core/random/random_source.h"
#include "service/network/lesson_host.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QThread>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <optional>

namespace quiz {

// What the settings file in `folder` sets for the network lesson: its level, data and class seed,
// the teacher's key; `host` is the name every row carries. Without usable settings, the quiz's
// own defaults.
LessonSetup lessonSetupFrom(const QString& folder, const std::string& host);

class LessonHosting : public QObject {
    Q_OBJECT

public:
    ~LessonHosting() override;

    // Listening for the lesson of `folder` at `address` and `port` (0: any free one), or null with
    // the system's reason in `problem`; answering only the local network unless `anyNetwork`.
    static std::unique_ptr<LessonHosting> listen(const QString& folder, const QHostAddress& address,
                                                 quint16 port, QString& problem,
                                                 bool anyNetwork = false);

    // "http://HOST:PORT/ CODE": where the pupils go and what they type.
    QString announcement() const;
    QUrl address() const;
    QString joinCode() const { return joinCode_; }
    // Lives on the hosting's own thread: connect to its signals, never call it from here.
    LessonHost& host() { return *host_; }

private:
    LessonHosting(QString folder, std::string hostName);
    void followSettings();

    QString folder_;
    std::string hostName_;
    // Dealing a level-4 turn takes milliseconds: forty of them must not stall the teacher's view.
    QThread thread_;
    LessonHost* host_ = nullptr; // deleted on thread_, where it runs
    QHostAddress listened_;
    quint16 port_ = 0;
    QString joinCode_;
    std::optional<QByteArray> settings_; // the settings file as last read; none when missing
    QTimer poll_;
};

} // namespace quiz
