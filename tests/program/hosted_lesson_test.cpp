// The real program hosting a lesson on loopback: a class of pupils playing at once, a dropped
// connection, a host started again over the same folder, and hostile peers beside them, with
// every judged answer in the class folder exactly once.

#include "tests/support/lesson_client.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

using namespace quiz::testing;
using namespace Qt::StringLiterals;

namespace {

constexpr int kPupils = 40;
constexpr int kTurns = 3;

// Every row in the folder's results files as "pupil|run|turn", and how often each occurs.
QMap<QString, int> rowsInFolder(const QString& folder) {
    QMap<QString, int> rows;
    for (const QFileInfo& info : QDir(folder).entryInfoList({QStringLiteral("*.csv")}, QDir::Files)) {
        QFile file(info.absoluteFilePath());
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QList<QByteArray> lines = file.readAll().split('\n');
        const QList<QByteArray> header = lines.first().trimmed().split(',');
        const qsizetype pupil = header.indexOf("pupil");
        const qsizetype run = header.indexOf("run");
        const qsizetype turn = header.indexOf("turn");
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QList<QByteArray> fields = lines[i].trimmed().split(',');
            if (fields.size() == header.size()) {
                ++rows[QString::fromUtf8(fields[pupil] + '|' + fields[run] + '|' + fields[turn])];
            }
        }
    }
    return rows;
}

QString pupilName(int index) {
    return QStringLiteral("Ученик %1").arg(index, 2, 10, QLatin1Char('0'));
}

} // namespace

class HostedLessonTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        host_ = startHost(process_, QStringLiteral(QUIZ_PROGRAM), folder_.path());
        QVERIFY2(!host_.url.isEmpty(), process_.readAllStandardError().constData());
        QVERIFY(host_.url.startsWith(QStringLiteral("http://127.0.0.1:")));
    }

    void aClassPlaysAtOnce() {
        for (int i = 0; i < kPupils; ++i) {
            pupils_.push_back(
                std::make_unique<LessonClient>(QStringLiteral("device-%1-of-the-class").arg(i)));
            QVERIFY(pupils_.back()->open(host_.socketUrl()));
        }
        for (int i = 0; i < kPupils; ++i) {
            pupils_[i]->join(pupilName(i), host_.code);
        }
        for (auto& pupil : pupils_) {
            QCOMPARE(pupil->receive()["kind"].toString(), QStringLiteral("joined"));
            QCOMPARE(pupil->receive()["kind"].toString(), QStringLiteral("turn"));
        }
        playTurns(kTurns);
        QCOMPARE(judged_, kPupils * kTurns);
    }

    void aDroppedConnectionComesBackToTheSameTurn() {
        LessonClient& pupil = *pupils_.front();
        pupil.drop();
        LessonClient again(QStringLiteral("device-0-of-the-class"));
        QVERIFY(again.open(host_.socketUrl()));
        again.token = pupil.token;
        again.resume();
        const QJsonObject turn = again.receive();
        QCOMPARE(turn["kind"].toString(), QStringLiteral("turn"));
        QCOMPARE(turn["turn"].toInt(), kTurns + 1);
        again.pick(kTurns + 1, 0);
        const QJsonObject judged = again.receiveKind(QStringLiteral("judged"));
        QCOMPARE(judged["answered"].toInt(), kTurns + 1);
        ++judged_;
        // The old connection's token is the session's; the pupil plays on through the new one.
        pupils_.front() = std::make_unique<LessonClient>(QStringLiteral("device-0-of-the-class"));
        QVERIFY(pupils_.front()->open(host_.socketUrl()));
        pupils_.front()->token = again.token;
        pupils_.front()->next();
        QCOMPARE(pupils_.front()->receive()["kind"].toString(), QStringLiteral("turn"));
        for (std::size_t i = 1; i < pupils_.size(); ++i) {
            pupils_[i]->pick(kTurns + 1, 1);
            QCOMPARE(pupils_[i]->receive()["kind"].toString(), QStringLiteral("judged"));
            ++judged_;
            pupils_[i]->next();
            QCOMPARE(pupils_[i]->receive()["kind"].toString(), QStringLiteral("turn"));
        }
    }

    // Before the hostile peers, whose wrong codes block loopback for a while. While one device
    // plays a name, another device with that name in another case or
    // spelling is refused; the first device back with it is the same pupil, spelt as it first
    // was (composed); Latin look-alikes are another pupil.
    void namesAreComparedAsPeopleReadThem_data() {
        QTest::addColumn<QString>("playing");
        QTest::addColumn<QString>("claimed");
        QTest::addColumn<bool>("samePupil");
        QTest::newRow("small letters") << u"Вера"_s << u"вера"_s << true;
        QTest::newRow("capitals") << u"Марин Петров"_s << u"МАРИН ПЕТРОВ"_s << true;
        QTest::newRow("Ё decomposed") << u"Ёлка"_s << u"Е\u0308лка"_s << true;
        QTest::newRow("Й decomposed, in small letters") << u"И\u0306ордан"_s << u"йордан"_s << true;
        QTest::newRow("Latin look-alikes") << u"Сава"_s << u"Caba"_s << false;
        QTest::newRow("e and ë") << u"Zoë"_s << u"Zoe"_s << false;
    }
    void namesAreComparedAsPeopleReadThem() {
        QFETCH(QString, playing);
        QFETCH(QString, claimed);
        QFETCH(bool, samePupil);
        const QString composed = playing.normalized(QString::NormalizationForm_C);
        LessonClient first(u"device-of-"_s + composed);
        QVERIFY(first.open(host_.socketUrl()));
        first.join(playing, host_.code);
        QCOMPARE(first.receive()["pupil"].toString(), composed);
        const int turn = first.receive()["turn"].toInt();
        LessonClient second(u"another-device-of-"_s + composed);
        QVERIFY(second.open(host_.socketUrl()));
        second.join(claimed, host_.code);
        const QJsonObject answer = second.receive();
        if (!samePupil) {
            QCOMPARE(answer["kind"].toString(), u"joined"_s);
            QCOMPARE(answer["pupil"].toString(), claimed);
            return;
        }
        QCOMPARE(answer["reason"].toString(), u"name-taken"_s);
        LessonClient back(u"device-of-"_s + composed);
        QVERIFY(back.open(host_.socketUrl()));
        back.join(claimed, host_.code);
        QCOMPARE(back.receive()["pupil"].toString(), composed);
        QCOMPARE(back.receive()["turn"].toInt(), turn);
    }

    void hostilePeersChangeNothing_data() {
        QTest::addColumn<QString>("attack");
        for (const char* attack : {"wrong codes", "a huge frame", "invalid JSON", "a binary frame",
                                   "many connections", "a request that never ends",
                                   "paths outside the page", "a message of the host's"}) {
            QTest::newRow(attack) << QString::fromLatin1(attack);
        }
    }
    void hostilePeersChangeNothing() {
        QFETCH(QString, attack);
        attackWith(attack);
        QCOMPARE(process_.state(), QProcess::Running);
        // The class's answers and no other.
        QCOMPARE(rowsInFolder(folder_.path()).size(), judged_);
        playTurns(1); // the class plays on
    }

    void everyJudgedAnswerIsInTheFolderOnce() {
        const QMap<QString, int> rows = rowsInFolder(folder_.path());
        QCOMPARE(rows.size(), judged_);
        for (auto row = rows.begin(); row != rows.end(); ++row) {
            QVERIFY2(row.value() == 1, qPrintable(row.key()));
        }
    }

    // Started again over the same folder, the host knows each pupil and their count.
    void aRestartedHostKeepsItsPupils() {
        const int answered = judged_ / kPupils;
        pupils_.clear();
        process_.kill();
        QVERIFY(process_.waitForFinished(kWaitMs));
        host_ = startHost(process_, QStringLiteral(QUIZ_PROGRAM), folder_.path());
        QVERIFY(!host_.url.isEmpty());
        for (const int i : {0, 17, kPupils - 1}) {
            LessonClient pupil(QStringLiteral("device-%1-of-the-class").arg(i));
            QVERIFY(pupil.open(host_.socketUrl()));
            pupil.join(pupilName(i), host_.code);
            const QJsonObject joined = pupil.receive();
            QCOMPARE(joined["kind"].toString(), QStringLiteral("joined"));
            QCOMPARE(joined["answered"].toInt(), answered);
            QCOMPARE(pupil.receive()["turn"].toInt(), answered + 1);
            pupil.pick(answered + 1, 0);
            QCOMPARE(pupil.receive()["answered"].toInt(), answered + 1);
            ++judged_;
        }
        everyJudgedAnswerIsInTheFolderOnce();
    }

    // The class folder away, a host killed with answers waiting for it: started again once the
    // folder is back, the host finds them on this computer and the pupil's count has them, also
    // when the folder went before the pupil's file could be made.
    void aHostKilledWhileTheFolderIsAwayLosesNoAnswer_data() {
        QTest::addColumn<int>("awayFrom");
        QTest::newRow("after the pupil's file was made") << 2;
        QTest::newRow("before the pupil's first answer") << 1;
    }

    void aHostKilledWhileTheFolderIsAwayLosesNoAnswer() {
        QFETCH(const int, awayFrom);
        QTemporaryDir base;
        const QString folder = base.filePath(QStringLiteral("8а"));
        const QString away = base.filePath(QStringLiteral("8а (далеч)"));
        QVERIFY(QDir().mkpath(folder));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), base.filePath(QStringLiteral("data")));
        QProcess host;
        HostedLesson lesson = startHost(host, QStringLiteral(QUIZ_PROGRAM), folder, environment);
        QVERIFY(!lesson.url.isEmpty());
        // A classmate answered before the folder went: it is no empty mount point when back.
        LessonClient classmate(QStringLiteral("device-of-kalin"));
        QVERIFY(classmate.open(lesson.socketUrl()));
        classmate.join(QStringLiteral("Калин"), lesson.code);
        QCOMPARE(classmate.receive()["kind"].toString(), QStringLiteral("joined"));
        classmate.pick(classmate.receive()["turn"].toInt(), 1);
        QCOMPARE(classmate.receive()["kind"].toString(), QStringLiteral("judged"));
        LessonClient pupil(QStringLiteral("device-of-bozhana"));
        QVERIFY(pupil.open(lesson.socketUrl()));
        pupil.join(QStringLiteral("Божана"), lesson.code);
        QCOMPARE(pupil.receive()["kind"].toString(), QStringLiteral("joined"));
        for (int turn = 1; turn <= 2; ++turn) {
            QCOMPARE(pupil.receive()["turn"].toInt(), turn);
            if (turn == awayFrom) {
                QVERIFY(QDir().rename(folder, away));
            }
            pupil.pick(turn, 0);
            QCOMPARE(pupil.receive()["kind"].toString(), QStringLiteral("judged"));
            pupil.next();
        }
        host.kill();
        QVERIFY(host.waitForFinished(kWaitMs));
        QVERIFY(QDir().rename(away, folder));

        lesson = startHost(host, QStringLiteral(QUIZ_PROGRAM), folder, environment);
        QVERIFY(!lesson.url.isEmpty());
        LessonClient back(QStringLiteral("device-of-bozhana"));
        QVERIFY(back.open(lesson.socketUrl()));
        back.join(QStringLiteral("Божана"), lesson.code);
        QCOMPARE(back.receive()["answered"].toInt(), 2);
        const QMap<QString, int> rows = rowsInFolder(folder);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.values(), (QList<int>{1, 1, 1}));
        host.kill();
        host.waitForFinished(kWaitMs);
    }

#ifdef Q_OS_UNIX
    // Under a limit on the size of files (a login's ulimit), an answer the folder cannot take
    // is reported, not the end of the host, and no half of a row is left in the pupil's file.
    void aFileSizeLimitEndsNeitherTheHostNorARow() {
        QTemporaryDir folder;
        QProcess host;
        host.setChildProcessModifier([] {
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 130; // the header's line and a few bytes of a row
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        const HostedLesson lesson = startHost(host, QStringLiteral(QUIZ_PROGRAM), folder.path());
        QVERIFY(!lesson.url.isEmpty());
        LessonClient pupil(QStringLiteral("device-under-a-limit"));
        QVERIFY(pupil.open(lesson.socketUrl()));
        pupil.join(QStringLiteral("Ана"), lesson.code);
        QCOMPARE(pupil.receive()["kind"].toString(), QStringLiteral("joined"));
        pupil.pick(pupil.receive()["turn"].toInt(), 0);
        QCOMPARE(pupil.receive()["kind"].toString(), QStringLiteral("judged"));
        QCOMPARE(host.state(), QProcess::Running);
        const QStringList files = QDir(folder.path()).entryList({QStringLiteral("*.csv")});
        QCOMPARE(files.size(), 1);
        QFile file(QDir(folder.path()).filePath(files.front()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY(content.endsWith("\r\n")); // no part of a row after it
        QCOMPARE(content.count('\n'), 1);  // the header alone
        host.kill();
        host.waitForFinished(kWaitMs);
    }
#endif

    void cleanupTestCase() {
        pupils_.clear();
        process_.kill();
        process_.waitForFinished(kWaitMs);
    }

private:
    void playTurns(int turns) {
        for (int t = 0; t < turns; ++t) {
            std::vector<int> shown;
            for (auto& pupil : pupils_) {
                shown.push_back(pupil->turn);
            }
            for (std::size_t i = 0; i < pupils_.size(); ++i) {
                pupils_[i]->pick(shown[i], static_cast<int>(i % 2));
            }
            for (auto& pupil : pupils_) {
                const QJsonObject judged = pupil->receive();
                QCOMPARE(judged["kind"].toString(), QStringLiteral("judged"));
                ++judged_;
                pupil->next();
            }
            for (auto& pupil : pupils_) {
                QCOMPARE(pupil->receive()["kind"].toString(), QStringLiteral("turn"));
            }
        }
    }

    void attackWith(const QString& attack);
    void manyConnections();

    QTemporaryDir folder_;
    QProcess process_;
    HostedLesson host_;
    std::vector<std::unique_ptr<LessonClient>> pupils_;
    int judged_ = 0;
};

// The answer to a request written as it is, up to the host's closing.
QByteArray rawRequest(const HostedLesson& host, const QByteArray& request) {
    const QUrl url(host.url);
    QTcpSocket socket;
    socket.connectToHost(url.host(), static_cast<quint16>(url.port()));
    if (!socket.waitForConnected(kWaitMs)) {
        return {};
    }
    socket.write(request);
    LessonClient::waitUntil([&] { return socket.state() == QAbstractSocket::UnconnectedState; });
    return socket.readAll();
}

void HostedLessonTest::attackWith(const QString& attack) {
    LessonClient hostile(QStringLiteral("a-hostile-device"));
    QVERIFY(hostile.open(host_.socketUrl()));
    if (attack == QStringLiteral("wrong codes")) {
        const QString wrong = host_.code == QStringLiteral("1000") ? QStringLiteral("1001")
                                                                   : QStringLiteral("1000");
        for (int i = 0; i < 100; ++i) {
            hostile.join(QStringLiteral("Натрапник"), wrong);
            const QJsonObject refused = hostile.receive();
            QCOMPARE(refused["kind"].toString(), QStringLiteral("refused"));
        }
        // Past the limit even the right code is refused from there.
        hostile.join(QStringLiteral("Натрапник"), host_.code);
        QCOMPARE(hostile.receive()["reason"].toString(), QStringLiteral("too-many-wrong-codes"));
    } else if (attack == QStringLiteral("a huge frame")) {
        // Well formed, so that only the bound on a frame's size closes it.
        hostile.sendRaw(QStringLiteral("{\"kind\":\"join\",\"name\":\"") +
                        QString(1 << 20, u'x') + QStringLiteral("\"}"));
        QVERIFY(hostile.waitClosed());
        QCOMPARE(hostile.socket().closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);
    } else if (attack == QStringLiteral("invalid JSON")) {
        hostile.sendRaw(QStringLiteral("{kind: join"));
        QVERIFY(hostile.waitClosed());
        QCOMPARE(hostile.closeReason(), QStringLiteral("malformed-json"));
    } else if (attack == QStringLiteral("a binary frame")) {
        hostile.socket().sendBinaryMessage(QByteArray(16, '\0'));
        QVERIFY(hostile.waitClosed());
    } else if (attack == QStringLiteral("a message of the host's")) {
        hostile.send({{"kind", "judged"}, {"turn", 1}});
        QCOMPARE(hostile.receive()["kind"].toString(), QStringLiteral("refused"));
        QVERIFY(hostile.waitClosed());
        QCOMPARE(hostile.closeReason(), QStringLiteral("unknown-kind"));
    } else if (attack == QStringLiteral("many connections")) {
        manyConnections();
    } else if (attack == QStringLiteral("a request that never ends")) {
        const QUrl url(host_.url);
        QTcpSocket endless;
        endless.connectToHost(url.host(), static_cast<quint16>(url.port()));
        QVERIFY(endless.waitForConnected(kWaitMs));
        endless.write("GET / HTTP/1.1\r\nHost: x\r\n");
        playTurns(1); // while it waits
        QVERIFY(LessonClient::waitUntil(
            [&] { return endless.state() == QAbstractSocket::UnconnectedState; }, 3 * kWaitMs));
    } else if (attack == QStringLiteral("paths outside the page")) {
        for (const char* path : {"/../../etc/passwd", "/%2e%2e/%2e%2e/etc/passwd", "//etc/passwd",
                                 "/page.js/../../../etc/passwd", "/index.html", "/lesson"}) {
            const QByteArray answer =
                rawRequest(host_, QByteArray("GET ") + path + " HTTP/1.1\r\nHost: x\r\n\r\n");
            QVERIFY2(answer.startsWith("HTTP/1.1 404 "), path);
        }
        QVERIFY(rawRequest(host_, "GET / HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 200 "));
    }
}

// Far more sockets than the host takes: exactly those beyond its bound are closed, and the
// class's stay.
void HostedLessonTest::manyConnections() {
    constexpr int kMany = 260;
    constexpr int kBound = 200; // the host's, with the class's own and the hostile client's among them
    std::vector<std::unique_ptr<QWebSocket>> sockets;
    for (int i = 0; i < kMany; ++i) {
        sockets.push_back(std::make_unique<QWebSocket>());
        sockets.back()->open(QUrl(host_.socketUrl()));
    }
    const auto count = [&](QAbstractSocket::SocketState state) {
        return std::count_if(sockets.begin(), sockets.end(),
                             [state](const auto& socket) { return socket->state() == state; });
    };
    QVERIFY(LessonClient::waitUntil([&] {
        return count(QAbstractSocket::UnconnectedState) + count(QAbstractSocket::ConnectedState) ==
               kMany;
    }));
    QCOMPARE(count(QAbstractSocket::UnconnectedState), kMany + kPupils + 1 - kBound);
    sockets.clear();
}

QTEST_GUILESS_MAIN(HostedLessonTest)
#include "hosted_lesson_test.moc"
