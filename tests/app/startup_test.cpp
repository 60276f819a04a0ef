// The start-up as main runs it: the options reach the quiz, and the classroom is wired in.

#include "app/startup.h"
#include "core/random/random_source.h"
#include "core/quiz/turn.h"
#include "tests/support/find_control.h"
#include "window/classroom/statistics_window.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace quiz;

namespace {

std::unique_ptr<QuizSession> start(const QStringList& options, QString& refusal) {
    const CommandLine line =
        parseCommandLine(QStringList{QStringLiteral("realdataquiz")} + options);
    if (line.action != CommandLine::Action::Run) {
        qFatal("the test's options were refused: %s", qPrintable(line.text));
    }
    return startQuiz(line, QLocale::c(), refusal);
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("realdataquiz")); }

    void theSeedChoosesTheTurns() {
        for (const std::uint32_t seed : {3U, 2026U}) {
            QString refusal;
            const auto session = start({QStringLiteral("--seed"), QString::number(seed)}, refusal);
            QVERIFY(session);
            SeededRandomSource random(seed);
            const Turn expected = NewTurn(random, NumberStyle{});
            QCOMPARE(session->form->model().turn().lists, expected.lists);
        }
    }

    void theClassroomFollowsThePicksAndOpensOnF2() {
        QString refusal;
        const auto session = start({}, refusal);
        QuizForm& form = *session->form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        findControl<QRadioButton>(form, "Option1_1")->click();
        QCOMPARE(session->classroom->score().total().answered, 1);

        QTest::keyClick(&form, Qt::Key_F2);
        QVERIFY(session->classroom->statisticsWindow()->isVisible());
    }

    void anAnswerReachesTheLog() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("results.csv"));
        QString refusal;
        const auto session =
            start({QStringLiteral("--seed"), QStringLiteral("3"), QStringLiteral("--log"), path},
                  refusal);
        QVERIFY(session);
        findControl<QRadioButton>(*session->form, "Option1_0")->click();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 3); // header, one row, and nothing after the last line end
        QVERIFY(lines[1].contains(",3,1,"));
    }

    // The menu's choice is read off the window's thread: the window answers meanwhile, and the
    // data changes once it has been read.
    void theDataMenuReadsInTheBackground() {
        QString refusal;
        const auto session = start({}, refusal);
        QuizForm& form = *session->form;
        QAction* ecb = nullptr;
        for (QAction* action : form.findChildren<QAction*>()) {
            ecb = action->text() == QStringLiteral("Курсове на ЕЦБ (вградени)") ? action : ecb;
        }
        QVERIFY(ecb);
        ecb->trigger();
        QCOMPARE(form.model().chosenData().kind(), DataKind::Catalogue);
        findControl<QRadioButton>(form, "Option1_0")->click();
        QCOMPARE(session->classroom->score().total().answered, 1);
        QTRY_COMPARE(form.model().chosenData().kind(), DataKind::Ecb);
    }

    void aLogThatCannotBeWrittenIsRefusedInOneLine() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("missing/results.csv"));
        QString refusal;
        QVERIFY(!start({QStringLiteral("--log"), path}, refusal));
        QVERIFY(refusal.startsWith(QStringLiteral("realdataquiz: cannot write the results log")));
        QVERIFY(!refusal.contains(u'\n'));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
