#include "service/network/lesson_hosting.h"

#include "core/network_lesson/session_token.h"
#include "service/lesson/lesson_file.h"
#include "service/lesson/lesson_follower.h"
#include "service/network/local_peer.h"
#include "service/system/login_names.h"
#include "service/system/system_path.h"

#include <QFile>
#include <QNetworkInterface>

#include <exception>

namespace quiz {

namespace {

constexpr int kSettingsPollMs = 1000;

// The join code drawn from the system's secrets: the class's seed must not tell it.
class SecretRandom final : public RandomSource {
public:
    float next() override {
        constexpr int kBits = 24;
        return static_cast<float>(secrets_.next64() >> (64 - kBits)) /
               static_cast<float>(1U << kBits);
    }

private:
    SystemSecrets secrets_;
};

std::optional<QByteArray> settingsBytes(const QString& folder) {
    QFile file(lessonSettingsPath(folder));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.read(static_cast<qint64>(kLessonSettingsMostBytes) + 1);
}

// The address pupils type: the one listened on, or for every address this computer's first
// on the local network.
QString reachableHost(const QHostAddress& listened) {
    QHostAddress address = listened;
    if (listened == QHostAddress::Any || listened == QHostAddress::AnyIPv4 ||
        listened == QHostAddress::AnyIPv6) {
        address = QHostAddress(QHostAddress::LocalHost);
        for (const QHostAddress& each : QNetworkInterface::allAddresses()) {
            if (each.protocol() == QAbstractSocket::IPv4Protocol && !each.isLoopback() &&
                isLocalNetworkPeer(each)) {
                address = each;
                break;
            }
        }
    }
    const QString text = address.toString();
    return address.protocol() == QAbstractSocket::IPv6Protocol ? u'[' + text + u']' : text;
}

} // namespace

LessonSetup lessonSetupFrom(const QString& folder, const std::string& host) {
    const LessonStart start = startLesson(folder, {});
    LessonSetup setup{.level = start.level, .host = host};
    if (start.data) {
        setup.data = start.data;
    }
    if (start.choices.seed.origin == SettingOrigin::Lesson) {
        setup.classSeed = start.seed;
    }
    if (start.lesson) {
        setup.seedKey = start.lesson->seedKey;
    }
    return setup;
}

LessonHosting::LessonHosting(QString folder, std::string hostName)
    : folder_(std::move(folder)), hostName_(std::move(hostName)) {
    thread_.setObjectName(QStringLiteral("lesson host"));
}

LessonHosting::~LessonHosting() {
    if (thread_.isRunning()) {
        // Closed where it runs, so that its sockets go with it before the thread ends.
        QMetaObject::invokeMethod(
            host_, [host = host_] { delete host; }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    } else {
        delete host_;
    }
}

std::unique_ptr<LessonHosting> LessonHosting::listen(const QString& folder,
                                                    const QHostAddress& address, quint16 port,
                                                    QString& problem, bool anyNetwork) {
    std::unique_ptr<LessonHosting> hosting(new LessonHosting(folder, hostName()));
    HostOptions options;
    options.address = address;
    options.port = port;
    options.anyPeer = anyNetwork;
    options.spoolFolder = answerSpoolFolder(QStringLiteral("lesson-spool"));
    try {
        hosting->settings_ = settingsBytes(hosting->folder_);
        SecretRandom codeRandom;
        hosting->host_ = new LessonHost(
            hosting->folder_, lessonSetupFrom(hosting->folder_, hosting->hostName_), options,
            std::make_unique<SystemSecrets>(), codeRandom);
    } catch (const std::exception& error) {
        problem = QString::fromUtf8(error.what());
    }
    if (!hosting->host_ || !hosting->host_->listen(problem)) {
        return nullptr;
    }
    hosting->listened_ = hosting->host_->address();
    hosting->port_ = hosting->host_->port();
    hosting->joinCode_ = QString::fromStdString(hosting->host_->joinCode());
    hosting->host_->moveToThread(&hosting->thread_);
    hosting->thread_.start();
    hosting->poll_.setInterval(kSettingsPollMs);
    connect(&hosting->poll_, &QTimer::timeout, hosting.get(), &LessonHosting::followSettings);
    hosting->poll_.start();
    return hosting;
}

QUrl LessonHosting::address() const {
    return QUrl(QStringLiteral("http://%1:%2/").arg(reachableHost(listened_)).arg(port_));
}

QString LessonHosting::announcement() const {
    return address().toString() + u' ' + joinCode();
}

// The panel writes the settings file whole; a change read is applied from each pupil's next turn.
void LessonHosting::followSettings() {
    std::optional<QByteArray> now = settingsBytes(folder_);
    if (now == settings_) {
        return;
    }
    settings_ = std::move(now);
    // Read on the host's thread: a teacher's data file can take the view's thread for long.
    QMetaObject::invokeMethod(host_, [host = host_, folder = folder_, name = hostName_] {
        try {
            host->changeSetup(lessonSetupFrom(folder, name));
        } catch (const std::exception&) {
            // Out of memory for a huge data file, say: the lesson goes on as it was.
        }
    });
}

} // namespace quiz
