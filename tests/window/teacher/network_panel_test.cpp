// The teacher's „Урок в мрежата“ panel against a fake host: serving shows the address, the code
// and the address's QR code; stopping takes them away; a host that cannot listen is explained
// with what to ask IT; and the lesson is announced on the network while it is served.

#include "core/qr_code/qr_code.h"
#include "service/announce/lesson_announcer.h"
#include "service/announce/lesson_finder.h"
#include "window/teacher/network_panel.h"
#include "window/teacher/teacher_window.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <qrencode.h>

#include <vector>

using namespace quiz;

namespace {

constexpr int kWaitMs = 5000; // a bound on a loopback datagram, never a measure

class FakeHost : public HostingSwitch {
public:
    std::variant<Started, Failed> outcome;
    std::vector<quint16> starts;
    int stops = 0;

    std::variant<Started, Failed> start(quint16 port) override {
        starts.push_back(port);
        return outcome;
    }
    void stop() override { ++stops; }
};

const QUrl kAddress(QStringLiteral("http://192.168.1.20:8080/"));

template <typename T> T* part(const QWidget& panel, const char* name) {
    return panel.findChild<T*>(QString::fromLatin1(name));
}

// Each module of libqrencode's own code for the text, as the image's pixel inside the quiet zone.
void expectImageIsQrencodes(const QImage& image, const QString& text) {
    QRcode* code = QRcode_encodeString(text.toUtf8().constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
    QVERIFY(code != nullptr);
    const int quiet = kQrQuietModules;
    QCOMPARE(image.width(), code->width + 2 * quiet);
    QCOMPARE(image.height(), image.width());
    for (int row = -quiet; row < code->width + quiet; ++row) {
        for (int column = -quiet; column < code->width + quiet; ++column) {
            const bool inside = row >= 0 && column >= 0 && row < code->width && column < code->width;
            const bool dark = inside && (code->data[row * code->width + column] & 1) != 0;
            QCOMPARE(image.pixel(column + quiet, row + quiet) == qRgb(0, 0, 0), dark);
        }
    }
    QRcode_free(code);
}

} // namespace

class NetworkPanelTest : public QObject {
    Q_OBJECT
private slots:
    void servesAndShowsWhereToJoin();
    void explainsAHostThatCannotListen();
    void announcesTheLessonWhileServing();
};

void NetworkPanelTest::servesAndShowsWhereToJoin() {
    FakeHost host;
    host.outcome = HostingSwitch::Started{kAddress, QStringLiteral("4821")};
    NetworkPanel panel(host, QStringLiteral("Иванова"), QStringLiteral("10А"));
    QVERIFY(!part<QPushButton>(panel, "networkStop")->isEnabled());
    QTest::mouseClick(part<QPushButton>(panel, "networkStart"), Qt::LeftButton);

    QCOMPARE(host.starts, std::vector<quint16>{kDefaultLessonPort});
    QVERIFY(panel.serving());
    QVERIFY(part<QLabel>(panel, "networkAddress")->text().contains(kAddress.toString()));
    QVERIFY(part<QLabel>(panel, "networkCode")->text().contains(QStringLiteral("4821")));
    expectImageIsQrencodes(panel.qrImage(), kAddress.toString());
    QVERIFY(!part<QLabel>(panel, "networkQr")->pixmap().isNull());
    QVERIFY(!part<QPushButton>(panel, "networkStart")->isEnabled());

    QTest::mouseClick(part<QPushButton>(panel, "networkStop"), Qt::LeftButton);
    QCOMPARE(host.stops, 1);
    QVERIFY(!panel.serving());
    QVERIFY(panel.qrImage().isNull());
    QVERIFY(part<QLabel>(panel, "networkCode")->text().isEmpty());
    QVERIFY(part<QPushButton>(panel, "networkStart")->isEnabled());
}

void NetworkPanelTest::explainsAHostThatCannotListen() {
    FakeHost host;
    const QString reason = QStringLiteral("Порт 8080 вече е зает от друга програма.");
    host.outcome = HostingSwitch::Failed{reason};
    NetworkPanel panel(host, QStringLiteral("Иванова"), QStringLiteral("10А"));
    panel.show();
    QSignalSpy folder(&panel, &NetworkPanel::folderLessonChosen);
    QVERIFY(!panel.start());

    const QString said = part<QLabel>(panel, "networkStatus")->text();
    QVERIFY2(said.startsWith(reason), qPrintable(said));
    QVERIFY(said.contains(QStringLiteral("ИТ")) && said.contains(QStringLiteral("порт 8080")));
    QVERIFY(said.contains(QStringLiteral("папката на класа")));
    QVERIFY(!panel.serving());
    QVERIFY(panel.qrImage().isNull());
    auto* folderButton = part<QPushButton>(panel, "networkFolderLesson");
    QVERIFY(folderButton->isVisible());
    QTest::mouseClick(folderButton, Qt::LeftButton);
    QCOMPARE(folder.count(), 1);
    // Nothing was started, so nothing is stopped when the panel goes.
    panel.stop();
    QCOMPARE(host.stops, 0);
}

void NetworkPanelTest::announcesTheLessonWhileServing() {
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("10А"));
    QVERIFY(QDir().mkpath(folder));
    LessonFinder finder;
    QVERIFY(finder.listen(QHostAddress::LocalHost, 0));
    QSignalSpy heard(&finder, &LessonFinder::lessonsChanged);
    LessonAnnouncer announcer(nullptr, QHostAddress::LocalHost, finder.port());
    FakeHost host;
    const QUrl loopback(QStringLiteral("http://127.0.0.1:8080/"));
    host.outcome = HostingSwitch::Started{loopback, QStringLiteral("4821")};

    TeacherWindow window(folder, NumberStyle{});
    NetworkPanel* panel = window.offerNetworkLesson(host, QStringLiteral("Иванова"), &announcer);
    QCOMPARE(panel->parentWidget() != nullptr, true);
    QVERIFY(panel->start());
    QVERIFY(heard.wait(kWaitMs));
    const LessonAnnouncement expected{loopback, QStringLiteral("Иванова"), QStringLiteral("10А")};
    QCOMPARE(finder.lessons(), QList<LessonAnnouncement>{expected});
    panel->stop();
    QVERIFY(!announcer.isAnnouncing());
    QCOMPARE(host.stops, 1);
}

QTEST_MAIN(NetworkPanelTest)
#include "network_panel_test.moc"
