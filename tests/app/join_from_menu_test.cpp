// The quiz joining a lesson from its right-click menu, through the real start-up: the dialog
// lists a lesson a real host announces on loopback, the pupil picks it, types a name and the
// code, and the quiz then plays the host's turns, a pick judged by the host and written into
// its class folder.

#include "service/network/lesson_hosting.h"
#include "app/startup.h"
#include "service/announce/lesson_announcer.h"
#include "tests/support/find_control.h"
#include "window/join/join_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QKeyEvent>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace quiz;

namespace {

constexpr int kWaitMs = 20000; // a bound for a loaded machine, never a measure
constexpr auto kJoinCaption = "Присъедини се към урок…";

// Opens the right-click menu on `target` and picks `caption` in it.
void pickFromMenu(QWidget* target, const QString& caption) {
    QTimer::singleShot(0, [caption] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            return;
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == caption) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close(); // no such entry: the test goes on to fail rather than wait
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            target->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(target, &event);
}

// Key presses carrying each character, as a keyboard in any layout sends them (QTest's own
// key clicks take ASCII only).
void typeText(QWidget* field, const QString& text) {
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(field, &press);
    }
}

// What the pupil does in the dialog, once it is open and has heard the lesson: picks it from
// the list (other tests' hosts on this computer may be heard too), types the name and the code, presses OK. Runs inside the dialog's own loop.
struct DialogDriver {
    QString address; // of the lesson to join, among any others this computer hears
    QString name;
    QString code;
    QString listed;  // the lesson as the list showed it
    bool done = false;

    void step() {
        auto* dialog = qobject_cast<JoinDialog*>(QApplication::activeModalWidget());
        if (done || !dialog) {
            return;
        }
        auto* lessons = findControl<QListWidget>(*dialog, "lessons");
        const QList<QListWidgetItem*> ours = lessons->findItems(address, Qt::MatchContains);
        if (ours.isEmpty()) {
            return; // the next announcement is at most two seconds away
        }
        listed = ours.front()->text();
        lessons->setCurrentItem(ours.front());
        auto* nameField = findControl<QLineEdit>(*dialog, "name");
        QTest::keyClick(nameField, Qt::Key_A, Qt::ControlModifier); // over the login name
        typeText(nameField, name);
        QTest::keyClicks(findControl<QLineEdit>(*dialog, "code"), code);
        done = true;
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }
};

// The rows of every results file in `folder`, header lines left out.
QStringList rowsIn(const QString& folder) {
    QStringList rows;
    for (const QFileInfo& info : QDir(folder).entryInfoList({QStringLiteral("*.csv")})) {
        QFile file(info.absoluteFilePath());
        if (file.open(QIODevice::ReadOnly)) {
            const QStringList lines =
                QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
            for (qsizetype i = 1; i < lines.size(); ++i) {
                if (!lines[i].isEmpty()) {
                    rows.append(lines[i]);
                }
            }
        }
    }
    return rows;
}

} // namespace

class JoinFromMenuTest : public QObject {
    Q_OBJECT
private slots:
    void theMenusDialogJoinsALessonHeardOnLoopback();
};

void JoinFromMenuTest::theMenusDialogJoinsALessonHeardOnLoopback() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QString problem;
    const std::unique_ptr<LessonHosting> hosting =
        LessonHosting::listen(folder.path(), QHostAddress::LocalHost, 0, problem);
    QVERIFY2(hosting, qPrintable(problem));
    // Where the quiz's dialog hears, on loopback only.
    LessonAnnouncer announcer(nullptr, QHostAddress::LocalHost);
    announcer.start({hosting->address(), QStringLiteral("Иванова"), QStringLiteral("10А")});

    QString refusal;
    const auto session = startQuiz(
        parseCommandLine({QStringLiteral("realdataquiz"), QStringLiteral("--seed"),
                          QStringLiteral("3")}),
        QLocale::c(), refusal);
    QVERIFY2(session, qPrintable(refusal));
    QuizForm& form = *session->form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QString localFirst = findControl<QListWidget>(form, "List1_0")->item(0)->text();

    // Typed decomposed: the host keeps it composed.
    DialogDriver driver{.address = hosting->address().toString(),
                        .name = QStringLiteral("Е\u0308лка"),
                        .code = hosting->joinCode(),
                        .listed = {}};
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&driver] { driver.step(); });
    poll.start(20);
    QTimer giveUp; // a dialog that never hears the lesson is closed, and the test fails
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog->reject();
        }
    });
    giveUp.start(kWaitMs);
    pickFromMenu(&form, QString::fromUtf8(kJoinCaption));
    poll.stop();
    giveUp.stop();
    QVERIFY2(driver.done, "the dialog never listed the lesson");
    QVERIFY2(driver.listed.contains(u"Иванова") && driver.listed.contains(u"10А"),
             qPrintable(driver.listed));

    // The host's turn replaces the quiz's own, then a pick is judged there.
    auto* first = findControl<QListWidget>(form, "List1_0");
    QVERIFY(QTest::qWaitFor(
        [&] { return first->count() > 0 && first->item(0)->text() != localFirst; }, kWaitMs));
    auto* transcript = findControl<QPlainTextEdit>(form, "Text1_0");
    const QString before = transcript->toPlainText();
    QTest::mouseClick(findControl<QRadioButton>(form, "Option1_1"), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor(
        [&] {
            const QString now = transcript->toPlainText().mid(before.size());
            return now.contains(u"Правилно") || now.contains(u"Грешка!");
        },
        kWaitMs));
    const QStringList rows = rowsIn(folder.path());
    QCOMPARE(rows.size(), 1);
    QVERIFY2(rows.front().contains(u",Ёлка,"), qPrintable(rows.front()));
}

QTEST_MAIN(JoinFromMenuTest)
#include "join_from_menu_test.moc"
