// The teacher's network panel over the program's own host, on loopback: it starts, keeps one
// lesson while serving, says in Bulgarian why it cannot listen, and starts anew after a stop.

#include "app/panel_hosting.h"
#include "service/lesson/lesson_file.h"
#include "tests/support/lesson_client.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <vector>

using namespace quiz;

Q_DECLARE_METATYPE(quiz::InboundPermission)

class PanelHostingTest : public QObject {
    Q_OBJECT

private slots:
    void servesOneLessonUntilStopped() {
        const QTemporaryDir folder;
        PanelHosting hosting(folder.path(), QHostAddress::LocalHost);
        const auto first = hosting.start(0);
        const auto* started = std::get_if<HostingSwitch::Started>(&first);
        QVERIFY(started != nullptr);
        QCOMPARE(started->address.scheme(), QStringLiteral("http"));
        QCOMPARE(started->address.host(), QStringLiteral("127.0.0.1"));
        QVERIFY(started->address.port() > 0);
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9]{4,6}$"))
                    .match(started->joinCode)
                    .hasMatch());
        // Pressed again while serving: the same lesson, not a second one.
        const auto again = hosting.start(0);
        QCOMPARE(std::get<HostingSwitch::Started>(again).address, started->address);
        QCOMPARE(std::get<HostingSwitch::Started>(again).joinCode, started->joinCode);
        // Its port is taken while it serves, and free once stopped.
        QTcpServer rival;
        QVERIFY(!rival.listen(QHostAddress::LocalHost, static_cast<quint16>(started->address.port())));
        hosting.stop();
        QVERIFY(!hosting.serving());
        QVERIFY(rival.listen(QHostAddress::LocalHost, static_cast<quint16>(started->address.port())));
    }

    // The teacher applies another level while a pupil plays: the host, dealing away from the
    // window's thread, deals it from the pupil's next turn once it has read the settings.
    void aChangedLessonReachesPupilsFromTheirNextTurn() {
        const QTemporaryDir folder;
        PanelHosting hosting(folder.path(), QHostAddress::LocalHost);
        const auto started = std::get<HostingSwitch::Started>(hosting.start(0));
        QVERIFY(hosting.hosting()->host().thread() != QThread::currentThread());
        QString socketUrl = started.address.toString();
        testing::LessonClient pupil(QStringLiteral("desk-1-of-the-class"));
        QVERIFY(pupil.open(socketUrl.replace(QStringLiteral("http://"), QStringLiteral("ws://")) +
                           QStringLiteral("lesson")));
        pupil.join(QStringLiteral("Вера"), started.joinCode);
        const QJsonObject first = pupil.receiveKind(QStringLiteral("turn"));
        QVERIFY2(!first.isEmpty(), qPrintable(pupil.closeReason()));
        QCOMPARE(first[QStringLiteral("level")].toInt(), 0);

        QFile settings(lessonSettingsPath(folder.path()));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("# Real or generated data: the lesson's settings\r\nlevel=3\r\n"
                       "data=ecb\r\nend\r\n");
        settings.close();
        int level = 0;
        int turns = 0;
        // Each turn before the host reads the file is still level 0; a few seconds at most.
        while (level != 3 && ++turns < 200) {
            pupil.pick(pupil.turn, 0);
            QVERIFY(!pupil.receiveKind(QStringLiteral("judged")).isEmpty());
            pupil.next();
            level = pupil.receiveKind(QStringLiteral("turn"))[QStringLiteral("level")].toInt();
            QVERIFY(level == 0 || level == 3);
            QTest::qWait(20);
        }
        QCOMPARE(level, 3);
    }

    // The panel over a host the command line started shows the port pupils must use.
    void thePanelShowsTheLessonItServes() {
        const QTemporaryDir folder;
        PanelHosting hosting(folder.path(), QHostAddress::LocalHost);
        const auto started = std::get<HostingSwitch::Started>(hosting.start(0));
        NetworkPanel panel(hosting, QStringLiteral("учител"), QStringLiteral("8а"));
        QVERIFY(panel.start());
        QCOMPARE(panel.findChild<QSpinBox*>(QStringLiteral("networkPort"))->value(),
                 started.address.port());
        QVERIFY(!panel.qrImage().isNull());
        panel.stop();
        QVERIFY(!hosting.serving());
    }

    // The class folder gone mid-lesson: the pick is still judged, and the teacher is told.
    void anAnswerTheFolderRefusesIsToldToTheTeacher() {
        QTemporaryDir folder;
        PanelHosting hosting(folder.path(), QHostAddress::LocalHost);
        NetworkPanel panel(hosting, QStringLiteral("учител"), QStringLiteral("8а"));
        QStringList told;
        hosting.onRowNotWritten([&](const QString& problem) {
            told.append(problem);
            panel.warnRowNotWritten(problem);
        });
        QVERIFY(panel.start());
        const QUrl address = hosting.hosting()->address();
        testing::LessonClient pupil(QStringLiteral("device-of-ivan"));
        QVERIFY(pupil.open(QStringLiteral("ws://127.0.0.1:%1/lesson").arg(address.port())));
        pupil.join(QStringLiteral("Иван"), hosting.hosting()->joinCode());
        QCOMPARE(pupil.receiveKind(QStringLiteral("joined"))["kind"].toString(),
                 QStringLiteral("joined"));
        const QJsonObject turn = pupil.receiveKind(QStringLiteral("turn"));
        QVERIFY(folder.remove());
        pupil.pick(turn["turn"].toInt(), 0);
        QCOMPARE(pupil.receiveKind(QStringLiteral("judged"))["kind"].toString(),
                 QStringLiteral("judged"));
        QCOMPARE(told.size(), 1);
        QVERIFY(panel.findChild<QLabel*>(QStringLiteral("networkStatus"))
                    ->text()
                    .startsWith(QStringLiteral("Отговор не е записан в папката на класа: ")));

        // The folder back, the answer reaches it with nobody answering again.
        QVERIFY(QDir().mkpath(folder.path()));
        QStringList files;
        QVERIFY(testing::LessonClient::waitUntil([&] {
            files = QDir(folder.path()).entryList({QStringLiteral("*.csv")}, QDir::Files);
            return !files.isEmpty();
        }));
        QFile file(QDir(folder.path()).filePath(files.front()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 3); // the header, the row and the end of the last line
        QVERIFY(QString::fromUtf8(lines[1]).contains(QStringLiteral("Иван")));
    }

    // Serving behind a firewall that turns the pupils away: the panel says so with what to ask
    // IT, and offers the folder lesson; the firewall is asked about the port listened on.
    void aBlockingFirewallIsToldToTheTeacher_data() {
        QTest::addColumn<InboundPermission>("firewall");
        QTest::addColumn<bool>("told");
        QTest::newRow("blocked") << InboundPermission::Blocked << true;
        QTest::newRow("allowed") << InboundPermission::Allowed << false;
        QTest::newRow("cannot tell") << InboundPermission::Unknown << false;
    }
    void aBlockingFirewallIsToldToTheTeacher() {
        QFETCH(InboundPermission, firewall);
        QFETCH(bool, told);
        const QTemporaryDir folder;
        std::vector<quint16> asked;
        PanelHosting hosting(folder.path(), QHostAddress::LocalHost, [&](quint16 port) {
            asked.push_back(port);
            return firewall;
        });
        NetworkPanel panel(hosting, QStringLiteral("учител"), QStringLiteral("8а"));
        panel.show();
        // Any free port, as --serve 0 gives it; the panel then shows that lesson.
        const auto port =
            static_cast<quint16>(std::get<HostingSwitch::Started>(hosting.start(0)).address.port());
        QVERIFY(panel.start());
        QCOMPARE(asked, (std::vector<quint16>{port, port}));
        const QString said = panel.findChild<QLabel*>(QStringLiteral("networkStatus"))->text();
        QCOMPARE(said.startsWith(QStringLiteral("Защитната стена на Windows")), told);
        QCOMPARE(said.contains(QStringLiteral("порт %1").arg(port)), told);
        QCOMPARE(panel.findChild<QPushButton*>(QStringLiteral("networkFolderLesson"))->isVisible(),
                 told);
        QVERIFY(panel.serving());
    }

    void aTakenPortIsRefusedInOneBulgarianLine() {
        const QTemporaryDir folder;
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
        PanelHosting hosting(folder.path(), QHostAddress::LocalHost);
        const auto outcome = hosting.start(taken.serverPort());
        const auto* failed = std::get_if<HostingSwitch::Failed>(&outcome);
        QVERIFY(failed != nullptr);
        QVERIFY2(failed->reason.startsWith(QStringLiteral("Урокът не може да слуша на порт %1: ")
                                               .arg(taken.serverPort())),
                 qPrintable(failed->reason));
        QVERIFY(!failed->reason.contains(u'\n'));
        QVERIFY(!hosting.serving());
    }
};

QTEST_MAIN(PanelHostingTest)
#include "panel_hosting_test.moc"
