// The teacher's network panel over the program's own host, on loopback: it starts, keeps one
// lesson while serving, says in Bulgarian why it cannot listen, and starts anew after a stop.

#include "app/panel_hosting.h"
#include "core/results/result_row.h"
#include "service/lesson/lesson_file.h"
#include "service/system/system_path.h"
#include "tests/support/lesson_client.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <vector>

#include <csignal>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

using namespace quiz;

Q_DECLARE_METATYPE(quiz::InboundPermission)

namespace {

// A pupil joined to the panel's lesson, and their first turn.
QJsonObject joined(testing::LessonClient& pupil, PanelHosting& hosting, const QString& name) {
    const QUrl address = hosting.hosting()->address();
    if (!pupil.open(QStringLiteral("ws://127.0.0.1:%1/lesson").arg(address.port()))) {
        return {};
    }
    pupil.join(name, hosting.hosting()->joinCode());
    pupil.receiveKind(QStringLiteral("joined"));
    return pupil.receiveKind(QStringLiteral("turn"));
}

// Picks the first list of `turn`; true once the verdict is back.
bool judged(testing::LessonClient& pupil, const QJsonObject& turn) {
    pupil.pick(turn["turn"].toInt(), 0);
    return pupil.receiveKind(QStringLiteral("judged"))["kind"].toString() ==
           QStringLiteral("judged");
}

// The spools of waiting answers this computer holds.
QStringList spoolsKept() {
    return QDir(QString::fromStdString(answerSpoolFolder(QStringLiteral("lesson-spool"))))
        .entryList({QStringLiteral("*.spool")}, QDir::Files);
}

QString statusOf(const NetworkPanel& panel) {
    return panel.findChild<QLabel*>(QStringLiteral("networkStatus"))->text();
}

// The lines of the one results file in `folder`; none while there is no such file.
QList<QByteArray> linesIn(const QString& folder) {
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.csv")}, QDir::Files);
    QFile file(files.isEmpty() ? QString() : QDir(folder).filePath(files.front()));
    return files.size() == 1 && file.open(QIODevice::ReadOnly) ? file.readAll().split('\n')
                                                               : QList<QByteArray>{};
}

#ifdef Q_OS_UNIX
// The largest file this process may write, for as long as it lives; a write past it fails with
// EFBIG instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &before_);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = before_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, signal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit before_{};
    void (*signal_)(int) = nullptr;
};
#endif

} // namespace

class PanelHostingTest : public QObject {
    Q_OBJECT

private slots:
    // The host's spools in a folder of the test's own, not among the account's.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

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
        const QStringList spoolsBefore = spoolsKept();
        QTemporaryDir folder;
        PanelHosting hosting(folder.path(), QHostAddress::LocalHost);
        NetworkPanel panel(hosting, QStringLiteral("учител"), QStringLiteral("8а"));
        std::vector<int> told; // the rows lost, for each telling
        hosting.onRowNotWritten([&](const QString& problem, int lost) {
            told.push_back(lost);
            panel.warnRowNotWritten(problem, lost);
        });
        QVERIFY(panel.start());
        testing::LessonClient pupil(QStringLiteral("device-of-ivan"));
        QJsonObject turn = joined(pupil, hosting, QStringLiteral("Иван"));
        QVERIFY(folder.remove());
        QVERIFY(judged(pupil, turn));
        QCOMPARE(told, std::vector<int>{0});
        QVERIFY(statusOf(panel).startsWith(
            QStringLiteral("Отговор не е записан в папката на класа: ")));

        // The folder back, the answer reaches it with nobody answering again; the next answer
        // follows it, and the one that waited is not written twice.
        QVERIFY(QDir().mkpath(folder.path()));
        QVERIFY(
            testing::LessonClient::waitUntil([&] { return linesIn(folder.path()).size() == 3; }));
        pupil.next();
        turn = pupil.receiveKind(QStringLiteral("turn"));
        QVERIFY(judged(pupil, turn));
        const QList<QByteArray> lines = linesIn(folder.path());
        QCOMPARE(lines.size(), 4); // the header, two rows and the end of the last line
        QVERIFY(QString::fromUtf8(lines[1]).contains(QStringLiteral("Иван")));
        QVERIFY(lines[1] != lines[2]);
        QCOMPARE(told.size(), 1U);
        // What waited was kept on this computer too, and is let go once in the folder.
        panel.stop();
        QCOMPARE(spoolsKept(), spoolsBefore);
    }

#ifdef Q_OS_UNIX
    // A folder that refuses a row for good (here a file grown past the size the system allows):
    // the teacher is told the answer is lost, not that it waits.
    void anAnswerRefusedForGoodIsToldAsLost() {
        QTemporaryDir folder;
        PanelHosting hosting(folder.path(), QHostAddress::LocalHost);
        NetworkPanel panel(hosting, QStringLiteral("учител"), QStringLiteral("8а"));
        std::vector<int> told;
        hosting.onRowNotWritten([&](const QString& problem, int lost) {
            told.push_back(lost);
            panel.warnRowNotWritten(problem, lost);
        });
        QVERIFY(panel.start());
        testing::LessonClient pupil(QStringLiteral("device-of-ana"));
        const QJsonObject turn = joined(pupil, hosting, QStringLiteral("Ана"));
        {
            // Room for the header only: the row's write fails with EFBIG rather than a signal.
            const FileSizeLimit limit(static_cast<rlim_t>(csvHeader().size() + 8));
            QVERIFY(judged(pupil, turn));
            QVERIFY(testing::LessonClient::waitUntil([&] { return !told.empty(); }));
        }
        QCOMPARE(told, std::vector<int>{1});
        QVERIFY(statusOf(panel).startsWith(
            QStringLiteral("Папката на класа не прие отговори и те са загубени (1): файлът е ")));
        QCOMPARE(linesIn(folder.path()).size(), 2); // the header and the end of its line
    }
#endif

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
