// The lesson's announcement: what a pupil's quiz takes from the network, and every datagram a
// stranger or another program could send refused.

#include "service/announce/lesson_announcement.h"

#include <QTest>

using namespace quiz;

namespace {

QByteArray datagramWith(const QByteArray& url, const QByteArray& teacher = "\"Иванова\"",
                        const QByteArray& klass = "\"10А\"", const QByteArray& version = "1") {
    return "{\"v\":" + version + ",\"url\":" + url + ",\"teacher\":" + teacher +
           ",\"class\":" + klass + "}";
}

} // namespace

class LessonAnnouncementTest : public QObject {
    Q_OBJECT
private slots:
    void readsItsOwnDatagramBack_data();
    void readsItsOwnDatagramBack();
    void refusesHostileDatagrams_data();
    void refusesHostileDatagrams();
};

void LessonAnnouncementTest::readsItsOwnDatagramBack_data() {
    QTest::addColumn<QString>("address");
    QTest::newRow("home network") << "http://192.168.1.20:8080/";
    QTest::newRow("school's ten") << "http://10.4.0.7:80/";
    QTest::newRow("private 172") << "http://172.20.3.4:8080";
    QTest::newRow("loopback") << "http://127.0.0.1:8080/";
    QTest::newRow("link-local v6") << "http://[fe80::1]:8080/";
}

void LessonAnnouncementTest::readsItsOwnDatagramBack() {
    QFETCH(QString, address);
    const LessonAnnouncement sent{QUrl(address), QStringLiteral("Мария Иванова"),
                                  QStringLiteral("10А клас")};
    const QByteArray datagram = announcementDatagram(sent);
    QVERIFY(datagram.size() <= kMostAnnouncementBytes);
    const auto heard = readAnnouncement(datagram);
    QVERIFY(heard.has_value());
    QCOMPARE(*heard, sent);
}

void LessonAnnouncementTest::refusesHostileDatagrams_data() {
    QTest::addColumn<QByteArray>("datagram");
    const QByteArray longName = '"' + QByteArray(kMostAnnouncedNameChars + 1, 'a') + '"';
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not JSON") << QByteArray("hello, lesson");
    QTest::newRow("a list") << QByteArray("[1,2]");
    QTest::newRow("oversize")
        << datagramWith("\"http://10.0.0.1:80/\"", '"' + QByteArray(kMostAnnouncementBytes, 'a') + '"');
    QTest::newRow("version 2") << datagramWith("\"http://10.0.0.1:80/\"", "\"Иванова\"", "\"10А\"", "2");
    QTest::newRow("version as text")
        << datagramWith("\"http://10.0.0.1:80/\"", "\"Иванова\"", "\"10А\"", "\"1\"");
    QTest::newRow("no version") << QByteArray(R"({"url":"http://10.0.0.1:80/","teacher":"И","class":"10А"})");
    QTest::newRow("extra field")
        << QByteArray(R"({"v":1,"url":"http://10.0.0.1:80/","teacher":"И","class":"10А","x":1})");
    QTest::newRow("teacher a number") << datagramWith("\"http://10.0.0.1:80/\"", "7");
    QTest::newRow("teacher empty") << datagramWith("\"http://10.0.0.1:80/\"", "\"  \"");
    QTest::newRow("teacher too long") << datagramWith("\"http://10.0.0.1:80/\"", longName);
    QTest::newRow("class with a control")
        << datagramWith("\"http://10.0.0.1:80/\"", "\"Иванова\"", "\"10\\u001bА\"");
    QTest::newRow("class missing") << QByteArray(R"({"v":1,"url":"http://10.0.0.1:80/","teacher":"И","klass":"1"})");
    QTest::newRow("https") << datagramWith("\"https://10.0.0.1:8443/\"");
    QTest::newRow("file") << datagramWith("\"file:///etc/passwd\"");
    QTest::newRow("public address") << datagramWith("\"http://8.8.8.8:80/\"");
    QTest::newRow("host name") << datagramWith("\"http://school.example:8080/\"");
    QTest::newRow("no port") << datagramWith("\"http://10.0.0.1/\"");
    QTest::newRow("a user") << datagramWith("\"http://me@10.0.0.1:80/\"");
    QTest::newRow("a path") << datagramWith("\"http://10.0.0.1:80/admin\"");
    QTest::newRow("a query") << datagramWith("\"http://10.0.0.1:80/?x=1\"");
    QTest::newRow("broadcast") << datagramWith("\"http://255.255.255.255:80/\"");
    QTest::newRow("multicast") << datagramWith("\"http://224.0.0.1:80/\"");
    QTest::newRow("url a number") << datagramWith("80");
}

void LessonAnnouncementTest::refusesHostileDatagrams() {
    QFETCH(QByteArray, datagram);
    QVERIFY(!readAnnouncement(datagram).has_value());
}

QTEST_GUILESS_MAIN(LessonAnnouncementTest)
#include "lesson_announcement_test.moc"
