// A pupil's run in a class folder with the teacher's settings in it: what it starts with, what
// changes from the next turn, what the command line keeps, and what a bad file leaves alone.

#include "app/startup.h"
#include "core/lesson/lesson_settings.h"
#include "core/random/random_source.h"
#include "core/turns/level.h"
#include "tests/support/class_session.h"
#include "tests/support/daily_rates.h"
#include "tests/support/find_control.h"
#include "window/classroom/statistics_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace quiz;

namespace {

class Lesson {
public:
    Lesson() { QVERIFY(folder_.isValid()); }

    QString path() const { return folder_.path(); }
    void write(const QByteArray& bytes) const {
        QSaveFile file(QDir(path()).filePath(QStringLiteral("lesson.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        QVERIFY(file.commit());
    }
    void set(const char* level, const char* data, const char* seed) const {
        write(QByteArray::fromStdString(
            lessonSettingsText({level, data, seed, "Учител (PC-1)", "2026-12-09T08:05:00Z"})));
    }
    std::unique_ptr<QuizSession> start(const QStringList& options = {}) const {
        return testing::startInClassFolder(path(), QStringLiteral("Ана"), options);
    }

private:
    QTemporaryDir folder_;
};

void nextTurn(QuizSession& session) {
    findControl<QRadioButton>(*session.form, "Option1_0")->click();
    findControl<QPushButton>(*session.form, "Command1")->click();
}

QString shown(QuizSession& session, const char* label) {
    const QLabel* text = findControl<QLabel>(*session.classroom->statisticsWindow(), label);
    return text->isVisibleTo(session.classroom->statisticsWindow()) ? text->text() : QString();
}

bool levelMenuEnabled(const QuizForm& form) {
    return findControl<QMenu>(form, "levelMenu")->menuAction()->isEnabled();
}

} // namespace

class LessonFollowerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("realdataquiz")); }

    void aPupilStartsWithTheLessonAndTakesEachChangeFromTheNextTurn() {
        const Lesson lesson;
        lesson.set("3", "ecb", "77");
        const auto session = lesson.start();
        const QuizModel& model = session->form->model();
        SeededRandomSource classTurns(77);
        const Turn expected = NewTurn(classTurns, NumberStyle{}, *DataSet::ecb(), 3);
        QCOMPARE(model.turn().lists, expected.lists);
        QCOMPARE(model.chosenData().kind(), DataKind::Ecb);
        QVERIFY(!levelMenuEnabled(*session->form));
        QVERIFY(shown(*session, "lesson").contains(QString::fromUtf8("от учителя")));

        lesson.set("auto", "catalogue", "77");
        QCOMPARE(model.turn().level, 3); // the turn on screen keeps its own
        nextTurn(*session);
        QCOMPARE(model.chosenLevel(), kAdaptiveLevel);
        QCOMPARE(model.turn().level, 1);
        QCOMPARE(model.chosenData().kind(), DataKind::Catalogue);
        QCOMPARE(model.turnNumber(), 2); // the same class turns go on
    }

    // A new class seed deals the class's turns from the next one on, numbered from 1, as a run
    // of its own that does not name the seed; without one again, the run goes on with turns of
    // its own.
    void aNewClassSeedStartsTheClassTurns() {
        const Lesson lesson;
        lesson.set("2", "catalogue", "");
        const auto session = lesson.start();
        nextTurn(*session);
        lesson.set("2", "catalogue", "4242");
        nextTurn(*session);
        SeededRandomSource classTurns(4242);
        QCOMPARE(session->form->model().turn().lists,
                 NewTurn(classTurns, NumberStyle{}, *DataSet::catalogue(), 2).lists);
        QCOMPARE(session->form->model().turnNumber(), 1);
        findControl<QRadioButton>(*session->form, "Option1_0")->click();
        const QStringList files = QDir(lesson.path()).entryList({QStringLiteral("*.csv")});
        QCOMPARE(files.size(), 1);
        QFile file(QDir(lesson.path()).filePath(files.first()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> rows = file.readAll().split('\n');
        QVERIFY(rows.at(3).contains(",,1,"));
        QVERIFY(!rows.at(3).contains("4242"));
        const auto run = [&](int line) {
            const QList<QByteArray> fields = rows.at(line).split(',');
            return fields.at(fields.size() - 2);
        };
        QVERIFY(run(3) != run(2));

        lesson.set("2", "catalogue", "");
        nextTurn(*session);
        QVERIFY(session->form->model().turnSeed() != 4242u);
    }

    void theCommandLineWinsOverTheLesson() {
        const Lesson lesson;
        lesson.set("3", "ecb", "77");
        const auto session = lesson.start({QStringLiteral("--level"), QStringLiteral("1"),
                                           QStringLiteral("--seed"), QStringLiteral("5")});
        const QuizModel& model = session->form->model();
        SeededRandomSource ownTurns(5);
        QCOMPARE(model.turn().lists, NewTurn(ownTurns, NumberStyle{}, *DataSet::ecb(), 1).lists);
        QVERIFY(levelMenuEnabled(*session->form));
        lesson.set("4", "ecb", "78");
        nextTurn(*session);
        QCOMPARE(model.turn().level, 1);
        QCOMPARE(model.turnNumber(), 2);
        const QString text = shown(*session, "lesson");
        QVERIFY2(
            text.contains(QString::fromUtf8("Трудност: 1 – случайно лутане (от командния ред)")),
            qPrintable(text));
        QVERIFY2(text.contains(QString::fromUtf8("Данни: Курсове на ЕЦБ (вградени) (от учителя)")),
                 qPrintable(text));
    }

    // However the file goes wrong, the pupil plays on with the last good settings, and the
    // statistics window says why.
    void aBadFileKeepsTheLastGoodSettingsAndSaysWhy_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("says");
        QTest::newRow("invalid level") << QByteArray("level=7\r\nend\r\n") << "нивото '7'";
        QTest::newRow("a path outside")
            << QByteArray("level=0\r\ndata=../x.csv\r\nend\r\n") << "'../x.csv'";
        QTest::newRow("huge") << QByteArray("level=0\r\n") + QByteArray(9000, '#') + "\r\nend\r\n"
                              << "4096";
        QTest::newRow("half-written") << QByteArray("level=0\r\nda") << "наполовина";
        QTest::newRow("not UTF-8") << QByteArray("level=0\r\n\xff\r\nend\r\n") << "UTF-8";
    }
    void aBadFileKeepsTheLastGoodSettingsAndSaysWhy() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, says);
        const Lesson lesson;
        lesson.set("3", "ecb", "");
        const auto session = lesson.start();
        lesson.write(bytes);
        nextTurn(*session);
        QCOMPARE(session->form->model().turn().level, 3);
        QCOMPARE(session->form->model().chosenData().kind(), DataKind::Ecb);
        const QString warning = shown(*session, "lessonWarning");
        QVERIFY2(warning.contains(says), qPrintable(warning));
        QVERIFY(!warning.contains(u'\n'));
        // Good again, the warning goes.
        lesson.set("2", "ecb", "");
        nextTurn(*session);
        QCOMPARE(session->form->model().turn().level, 2);
        QVERIFY(shown(*session, "lessonWarning").isEmpty());
    }

    // The level or data a pupil chose from the menu is theirs, even in a run started with the
    // option: the menu changed what the command line gave.
    void aMenusChoiceIsSaidAsThisComputersOwn_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("said");
        QTest::newRow("a level in an adaptive run")
            << QStringList{QStringLiteral("--level"), QStringLiteral("auto")}
            << QStringLiteral("levelMenu") << 3 << QStringLiteral("Трудност: 3");
        QTest::newRow("data in a run of the ECB's")
            << QStringList{QStringLiteral("--data"), QStringLiteral("ecb")}
            << QStringLiteral("dataMenu") << 0 << QStringLiteral("Данни: Шестте вградени валути");
    }
    void aMenusChoiceIsSaidAsThisComputersOwn() {
        QFETCH(QStringList, options);
        QFETCH(QString, menu);
        QFETCH(int, action);
        QFETCH(QString, said);
        const Lesson lesson;
        lesson.set("", "", "");
        const auto session = lesson.start(options);
        QVERIFY(shown(*session, "lesson").contains(QString::fromUtf8("(от командния ред)")));
        findControl<QMenu>(*session->form, menu.toUtf8().constData())
            ->actions()
            .at(action)
            ->trigger();
        QTRY_VERIFY2(shown(*session, "lesson").contains(said),
                     qPrintable(shown(*session, "lesson")));
        nextTurn(*session);
        const QString text = shown(*session, "lesson");
        const QString line = text.split(u'\n').filter(said.section(u':', 0, 0)).value(0);
        QVERIFY2(line.startsWith(said) && line.endsWith(QString::fromUtf8("(на този компютър)")),
                 qPrintable(text));
        QVERIFY2(!text.contains(QString::fromUtf8("от командния ред")), qPrintable(text));
    }

    void aBadFileAtStartLeavesTheQuizAsDesigned() {
        const Lesson lesson;
        lesson.write("level=4\r\nseed=x\r\nend\r\n");
        const auto session = lesson.start();
        QCOMPARE(session->form->model().turn().level, 0);
        QCOMPARE(session->form->model().chosenData().kind(), DataKind::Catalogue);
        QVERIFY(levelMenuEnabled(*session->form));
        QVERIFY(shown(*session, "lessonWarning").contains(QStringLiteral("'x'")));
    }

    // A teacher's file in the folder is read off the window's thread and used once read; one
    // that leads out of the folder is never read.
    void theLessonsDataFileComesFromTheFolderOnly() {
        const Lesson lesson;
        QFile rates(QDir(lesson.path()).filePath(QStringLiteral("курсове.csv")));
        QVERIFY(rates.open(QIODevice::WriteOnly));
        rates.write(dailyRates());
        rates.close();
        lesson.set("1", "курсове.csv", "");
        const auto session = lesson.start();
        QVERIFY2(shown(*session, "lessonWarning").isEmpty(),
                 qPrintable(shown(*session, "lessonWarning")));
        QCOMPARE(session->form->model().chosenData().kind(), DataKind::File);
        QVERIFY(shown(*session, "lesson").contains(QString::fromUtf8("файлът „курсове.csv“")));

        const QTemporaryDir elsewhere;
        const QString outside = elsewhere.filePath(QStringLiteral("other.csv"));
        QVERIFY(QFile::copy(rates.fileName(), outside));
        QVERIFY(QFile::link(outside, QDir(lesson.path()).filePath(QStringLiteral("link.csv"))));
        lesson.set("1", "ecb", "");
        nextTurn(*session);
        QCOMPARE(session->form->model().chosenData().kind(), DataKind::Ecb);
        lesson.set("1", "link.csv", "");
        nextTurn(*session);
        QVERIFY(shown(*session, "lessonWarning").contains(QString::fromUtf8("направо в папката")));
        lesson.set("1", "missing.csv", "");
        nextTurn(*session);
        QVERIFY(shown(*session, "lessonWarning").contains(QStringLiteral("missing.csv")));
        QCOMPARE(session->form->model().chosenData().kind(), DataKind::Ecb);
    }
};

QTEST_MAIN(LessonFollowerTest)
#include "lesson_follower_test.moc"
