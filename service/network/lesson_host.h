#pragma once

// The lesson on the school network: the pupils' page over HTTP and their messages over a
// WebSocket on the same port, each answered by the lesson and each judged row written first.

#include "core/network_lesson/network_lesson.h"
#include "service/network/pupil_files.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <chrono>
#include <memory>
#include <string>

class QTcpServer;
class QTcpSocket;
class QWebSocket;
class QWebSocketServer;

namespace quiz {

struct HostOptions {
    QHostAddress address = QHostAddress::Any;
    quint16 port = 0;         // 0: any free port
    bool anyPeer = false;     // answer peers beyond the local network too
    int mostConnections = 200; // the page's, the sockets' and those still sending a request
    // A request's head must have come by then; a pupil's socket that says nothing for so long
    // is closed (the page comes back by itself).
    std::chrono::milliseconds requestTime = std::chrono::seconds(10);
    std::chrono::milliseconds idleTime = std::chrono::minutes(20);
    // While judged rows wait for the class folder, they are tried again this often.
    std::chrono::milliseconds retryTime = std::chrono::seconds(5);
    std::string spoolFolder; // where waiting rows are kept on this computer too; empty: nowhere
    qint64 mostMessageBytes = 4096; // far above a pupil's largest message
    qint64 mostHeadBytes = 8192;
};

class LessonHost : public QObject {
    Q_OBJECT

public:
    // The lesson's pupils are read back from the rows `setup.host` wrote in `folder`. Throws as
    // NetworkLesson does for a setup it cannot deal.
    LessonHost(QString folder, LessonSetup setup, HostOptions options,
               std::unique_ptr<SecretSource> secrets, RandomSource& codeRandom,
               QObject* parent = nullptr);
    ~LessonHost() override;

    // False, with the system's reason, when the address cannot be listened on.
    bool listen(QString& problem);
    QHostAddress address() const;
    quint16 port() const;
    const std::string& joinCode() const { return lesson_.joinCode(); }
    // From each pupil's next turn on. False when the setup cannot deal turns: the last stays.
    bool changeSetup(LessonSetup setup);
    int connections() const { return static_cast<int>(requests_.size() + sockets_.size()); }

signals:
    // A judged row that is not in the pupil's file, and why: it waits for the folder to be back,
    // or `lost` rows were refused for good.
    void rowNotWritten(const QString& problem, int lost);

private:
    void accept();
    void readHead(QTcpSocket* socket);
    void serveHead(QTcpSocket* socket, const QByteArray& head);
    void finish(QTcpSocket* socket, const QByteArray& answer);
    void takeSocket();
    void answer(QWebSocket* socket, const QString& text);
    void forget(QTcpSocket* socket);
    void retryRows();
    void keepRetrying();

    PupilFiles files_;
    NetworkLesson lesson_;
    HostOptions options_;
    QElapsedTimer clock_;
    QTcpServer* server_ = nullptr;
    QWebSocketServer* webSockets_ = nullptr;
    QSet<QTcpSocket*> requests_; // before their request is read whole
    QSet<QWebSocket*> sockets_;
    QTimer retry_; // runs only while rows wait
};

} // namespace quiz
