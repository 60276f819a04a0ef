// The dialog a pupil joins a lesson with: the lessons a finder hears on loopback are listed and
// fill the address, an address off the local network is refused in the dialog, and OK waits for
// an address, a name and a code.

#include "service/announce/lesson_announcement.h"
#include "service/announce/lesson_finder.h"
#include "tests/support/find_control.h"
#include "window/join/join_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUdpSocket>

using namespace quiz;

namespace {

constexpr int kWaitMs = 5000; // a bound on loopback, never a measure

bool okEnabled(const JoinDialog& dialog) {
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
}

} // namespace

class JoinDialogTest : public QObject {
    Q_OBJECT
private slots:
    void aHeardLessonFillsTheAddress();
    void okWaitsForALocalAddressANameAndACode_data();
    void okWaitsForALocalAddressANameAndACode();
    void opensAsTheCommandLineAndTheLastRefusalLeftIt();
};

void JoinDialogTest::aHeardLessonFillsTheAddress() {
    LessonFinder finder;
    QVERIFY2(finder.listen(QHostAddress::LocalHost, 0), qPrintable(finder.error()));
    JoinDialog dialog(finder, {QUrl(), QStringLiteral("Мария"), QString()});
    auto* lessons = findControl<QListWidget>(dialog, "lessons");
    QCOMPARE(lessons->count(), 0);

    const LessonAnnouncement lesson{QUrl(QStringLiteral("http://192.168.1.20:8080/")),
                                    QStringLiteral("Иванова"), QStringLiteral("10А")};
    QUdpSocket sender;
    sender.writeDatagram(announcementDatagram(lesson), QHostAddress::LocalHost, finder.port());
    QVERIFY(QTest::qWaitFor([&] { return lessons->count() == 1; }, kWaitMs));
    const QString shown = lessons->item(0)->text();
    QVERIFY2(shown.contains(u"Иванова") && shown.contains(u"10А") &&
                 shown.contains(u"192.168.1.20:8080"),
             qPrintable(shown));

    lessons->setCurrentRow(0);
    QCOMPARE(findControl<QLineEdit>(dialog, "address")->text(), lesson.address.toString());
    QVERIFY(!okEnabled(dialog)); // no code yet
    QTest::keyClicks(findControl<QLineEdit>(dialog, "code"), QStringLiteral("48 21"));
    QVERIFY(okEnabled(dialog));
    const JoinChoice choice = dialog.choice();
    QCOMPARE(choice.address, lesson.address);
    QCOMPARE(choice.name, QStringLiteral("Мария"));
    QCOMPARE(choice.code, QStringLiteral("4821"));
}

void JoinDialogTest::okWaitsForALocalAddressANameAndACode_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("addressRefused");
    QTest::newRow("all there") << "http://10.0.0.5:8080/" << "Иван" << "4821" << true << false;
    QTest::newRow("the socket's address") << "ws://10.0.0.5:8080/lesson" << "Иван" << "4821"
                                          << true << false;
    QTest::newRow("on the internet") << "http://8.8.8.8:8080/" << "Иван" << "4821" << false
                                     << true;
    QTest::newRow("no name") << "http://10.0.0.5:8080/" << "  " << "4821" << false << false;
    QTest::newRow("no code") << "http://10.0.0.5:8080/" << "Иван" << "" << false << false;
    QTest::newRow("no address") << "" << "Иван" << "4821" << false << false;
}

void JoinDialogTest::okWaitsForALocalAddressANameAndACode() {
    QFETCH(QString, address);
    QFETCH(QString, name);
    QFETCH(QString, code);
    QFETCH(bool, ok);
    QFETCH(bool, addressRefused);
    LessonFinder finder; // hears nothing: the address is typed
    JoinDialog dialog(finder, {});
    findControl<QLineEdit>(dialog, "address")->setText(address);
    findControl<QLineEdit>(dialog, "name")->setText(name);
    findControl<QLineEdit>(dialog, "code")->setText(code);
    QCOMPARE(okEnabled(dialog), ok);
    QCOMPARE(findControl<QLabel>(dialog, "problem")->text().contains(u"училищната мрежа"),
             addressRefused);
    if (ok) {
        QCOMPARE(dialog.choice().address, QUrl(QStringLiteral("http://10.0.0.5:8080/")));
        // Typed decomposed, the name goes out composed: one pupil whichever keyboard typed it.
        findControl<QLineEdit>(dialog, "name")->setText(QStringLiteral(" Е\u0308лка "));
        QCOMPARE(dialog.choice().name, QStringLiteral("Ёлка"));
    }
}

void JoinDialogTest::opensAsTheCommandLineAndTheLastRefusalLeftIt() {
    LessonFinder finder;
    const QString refusal = QStringLiteral("Кодът за влизане не е верен.");
    JoinDialog dialog(finder,
                      {QUrl(QStringLiteral("http://10.0.0.5:8080/")), QStringLiteral("Иван"), {}},
                      refusal);
    QCOMPARE(findControl<QLineEdit>(dialog, "address")->text(),
             QStringLiteral("http://10.0.0.5:8080/"));
    QCOMPARE(findControl<QLineEdit>(dialog, "name")->text(), QStringLiteral("Иван"));
    QCOMPARE(findControl<QLabel>(dialog, "problem")->text(), refusal);
    QVERIFY(!okEnabled(dialog));
}

QTEST_MAIN(JoinDialogTest)
#include "join_dialog_test.moc"
