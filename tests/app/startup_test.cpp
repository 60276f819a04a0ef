// The start-up as main runs it: the options reach the quiz, and the classroom is wired in.

#include "app/startup.h"
#include "core/random/random_source.h"
#include "core/turns/turn.h"
#include "tests/support/find_control.h"
#include "window/classroom/statistics_window.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
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

// A file as a spreadsheet or pandas saves cross rates: each double at full precision, so most
// values have 16 or 17 digits and some, whose shortest form is shorter, 15 with 14 decimals;
// a rate near 0.6, one near 111 and one in the tens of thousands.
QByteArray fullPrecisionRates() {
    QByteArray text = "Date,GBPUSD,JPYUSD,IDRGBP\n";
    for (int day = 0; day < 120; ++day) {
        const double wave = 0.01 * std::sin(day * 0.7) + 0.0003 * day;
        text += QStringLiteral("2024-%1-%2,%3,%4,%5\n")
                    .arg(1 + day / 28, 2, 10, QLatin1Char('0'))
                    .arg(1 + day % 28, 2, 10, QLatin1Char('0'))
                    .arg(QString::number(0.6031894138603783 + wave, 'g', day % 7 == 0 ? 15 : 16))
                    .arg(QString::number(111.07718405428331 * (1 + wave), 'g', 17))
                    .arg(QString::number(21936.123456789012 * (1 + wave), 'g', 16))
                    .toLatin1();
    }
    return text;
}

int decimalsOf(const QString& text) {
    const qsizetype point = text.indexOf(u'.');
    return point < 0 ? 0 : static_cast<int>(text.size() - point - 1);
}

// Room for an item's text in a list: its viewport less the margins the style draws text in.
int textRoom(const QListWidget& list) {
    const int margin = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
    return list.viewport()->width() - 2 * margin;
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

    // A teacher's file of full-precision values: every level shows at most six decimals, as
    // many as fit the list boxes, the two lists alike; the log's spread and the chart's values
    // are those same rounded numbers.
    void aFullPrecisionFileIsShownAsItFitsTheLists() {
        QTemporaryDir folder;
        QFile rates(folder.filePath(QStringLiteral("cross.csv")));
        QVERIFY(rates.open(QIODevice::WriteOnly) && rates.write(fullPrecisionRates()) > 0);
        rates.close();
        for (int level = 0; level <= 4; ++level) {
            const QString log = folder.filePath(QStringLiteral("log-%1.csv").arg(level));
            QString refusal;
            const auto session =
                start({QStringLiteral("--data"), rates.fileName(), QStringLiteral("--level"),
                       QString::number(level), QStringLiteral("--seed"), QStringLiteral("7"),
                       QStringLiteral("--log"), log},
                      refusal);
            QVERIFY2(session, qPrintable(refusal));
            QuizForm& form = *session->form;
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            for (int turn = 0; turn < 12; ++turn) {
                findControl<QPushButton>(form, "Command1")->click();
                checkShownTurn(form, level);
                findControl<QRadioButton>(form, "Option1_0")->click();
            }
            QFile written(log);
            QVERIFY(written.open(QIODevice::ReadOnly));
            const QList<QByteArray> lines = written.readAll().trimmed().split('\n');
            QCOMPARE(lines.size(), 13);
            const Turn& last = form.model().turn();
            const QString spread = QString::fromUtf8(lines.back().split(',').at(8));
            QCOMPARE(decimalsOf(spread), last.decimals);
            QCOMPARE(spread.toDouble(),
                     QString::number(last.Spread, 'f', last.decimals).toDouble());
        }
    }

    void aLogThatCannotBeWrittenIsRefusedInOneLine() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("missing/results.csv"));
        QString refusal;
        QVERIFY(!start({QStringLiteral("--log"), path}, refusal));
        QVERIFY(refusal.startsWith(QStringLiteral("realdataquiz: cannot write the results log")));
        QVERIFY(!refusal.contains(u'\n'));
    }

private:
    static void checkShownTurn(const QuizForm& form, int level) {
        const Turn& turn = form.model().turn();
        QVERIFY2(turn.decimals <= 6, qPrintable(QString::number(turn.decimals)));
        for (int side = 0; side < 2; ++side) {
            const auto& list = *findControl<QListWidget>(form, side == 0 ? "List1_0" : "List1_1");
            const QFontMetrics metrics(list.font());
            QCOMPARE(list.count(), 43);
            for (int i = 0; i < list.count(); ++i) {
                const QString text = list.item(i)->text();
                QVERIFY2(metrics.horizontalAdvance(text) <= textRoom(list),
                         qPrintable(text + QStringLiteral(" clipped")));
                // Above level 0 both lists are written alike, to the turn's decimals.
                QVERIFY2(level == 0 ? decimalsOf(text) <= turn.decimals
                                    : decimalsOf(text) == turn.decimals,
                         qPrintable(text));
                // What the chart draws is what the list shows (level 0's made-up list keeps
                // its extra decimal, as it always has).
                if (level == 0 && side != turn.RealSide) {
                    continue;
                }
                QCOMPARE(turn.values[static_cast<std::size_t>(side)][static_cast<std::size_t>(i)],
                         text.toDouble());
            }
        }
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
