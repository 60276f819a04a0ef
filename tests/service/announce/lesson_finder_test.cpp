// The announcer and the finder on loopback: a lesson heard, heard once however often it is
// announced, forgotten once silent, and strangers' datagrams ignored.

#include "service/announce/lesson_announcer.h"
#include "service/announce/lesson_finder.h"

#include <QSignalSpy>
#include <QTest>
#include <QUdpSocket>

using namespace quiz;

namespace {

constexpr int kWaitMs = 5000; // a bound on a loopback datagram, never a measure

const LessonAnnouncement kLesson{QUrl(QStringLiteral("http://127.0.0.1:8080/")),
                                 QStringLiteral("Мария Иванова"), QStringLiteral("10А")};

} // namespace

class LessonFinderTest : public QObject {
    Q_OBJECT
private slots:
    void hearsAnAnnouncedLessonOnce();
    void forgetsASilentLesson();
    void ignoresStrangersDatagrams();
    void aLessonOnLoopbackIsAnnouncedOnLoopbackOnly();
};

void LessonFinderTest::hearsAnAnnouncedLessonOnce() {
    LessonFinder finder;
    QVERIFY2(finder.listen(QHostAddress::LocalHost, 0), qPrintable(finder.error()));
    QSignalSpy changed(&finder, &LessonFinder::lessonsChanged);
    LessonAnnouncer announcer(nullptr, QHostAddress::LocalHost, finder.port());
    announcer.start(kLesson);
    QVERIFY(changed.wait(kWaitMs));
    QCOMPARE(finder.lessons(), QList<LessonAnnouncement>{kLesson});
    // Announced again, then another lesson: once that one is heard, the first is still one.
    announcer.start(kLesson);
    LessonAnnouncer second(nullptr, QHostAddress::LocalHost, finder.port());
    const LessonAnnouncement other{QUrl(QStringLiteral("http://127.0.0.1:8081/")),
                                   QStringLiteral("Петров"), QStringLiteral("11Б")};
    second.start(other);
    QVERIFY(changed.wait(kWaitMs));
    QCOMPARE(finder.lessons(), (QList<LessonAnnouncement>{kLesson, other}));
    announcer.stop();
    QVERIFY(!announcer.isAnnouncing());
}

void LessonFinderTest::forgetsASilentLesson() {
    qint64 now = 1000;
    LessonFinder finder(nullptr, [&] { return now; });
    QVERIFY(finder.listen(QHostAddress::LocalHost, 0));
    QSignalSpy changed(&finder, &LessonFinder::lessonsChanged);
    LessonAnnouncer announcer(nullptr, QHostAddress::LocalHost, finder.port());
    announcer.start(kLesson);
    announcer.stop();
    QVERIFY(changed.wait(kWaitMs));
    now += kLessonHeardForMs - 1;
    QCOMPARE(finder.lessons().size(), 1);
    now += 1;
    QVERIFY(finder.lessons().isEmpty());
}

void LessonFinderTest::ignoresStrangersDatagrams() {
    LessonFinder finder;
    QVERIFY(finder.listen(QHostAddress::LocalHost, 0));
    QSignalSpy changed(&finder, &LessonFinder::lessonsChanged);
    QUdpSocket stranger;
    const LessonAnnouncement outside{QUrl(QStringLiteral("http://8.8.8.8:80/")),
                                     QStringLiteral("Някой"), QStringLiteral("10А")};
    stranger.writeDatagram(announcementDatagram(outside), QHostAddress::LocalHost, finder.port());
    stranger.writeDatagram("not a lesson", QHostAddress::LocalHost, finder.port());
    // A real lesson after them: once it is heard, the strangers' datagrams were read first.
    stranger.writeDatagram(announcementDatagram(kLesson), QHostAddress::LocalHost, finder.port());
    QVERIFY(changed.wait(kWaitMs));
    QCOMPARE(finder.lessons(), QList<LessonAnnouncement>{kLesson});
}

// A host listening on loopback (as the tests' hosts do) sends nothing onto the network: with
// the broadcast target, its announcement still reaches a finder on loopback.
void LessonFinderTest::aLessonOnLoopbackIsAnnouncedOnLoopbackOnly() {
    LessonFinder finder;
    QVERIFY2(finder.listen(QHostAddress::LocalHost, 0), qPrintable(finder.error()));
    QSignalSpy changed(&finder, &LessonFinder::lessonsChanged);
    LessonAnnouncer announcer(nullptr, QHostAddress::Broadcast, finder.port());
    const LessonAnnouncement onLoopback{QUrl(QStringLiteral("http://127.0.0.1:8080/")),
                                        QStringLiteral("Иванова"), QStringLiteral("10А")};
    announcer.start(onLoopback);
    QVERIFY(changed.wait(kWaitMs));
    QCOMPARE(finder.lessons(), QList<LessonAnnouncement>{onLoopback});
}

QTEST_GUILESS_MAIN(LessonFinderTest)
#include "lesson_finder_test.moc"
