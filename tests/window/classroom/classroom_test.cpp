// The classroom layer as a teacher meets it: the statistics window, the reveal chart and the
// results log, and a quiz that is unchanged when none of it is asked for.

#include "core/class/class_results.h"
#include "core/data/data_set.h"
#include "core/data/rate_table.h"
#include "core/random/random_source.h"
#include "core/results/class_file_name.h"
#include "core/results/result_row.h"
#include "core/results/results_file.h"
#include "core/seal/seal_keys.h"
#include "core/seal/sealed_seed.h"
#include "tests/support/find_control.h"
#include "tests/support/sequence_random.h"
#include "window/classroom/attach_classroom.h"
#include "window/classroom/classroom.h"
#include "window/classroom/results_warnings.h"
#include "window/classroom/reveal_chart.h"
#include "window/classroom/side_by_side.h"
#include "window/classroom/statistics_window.h"
#include "window/common/warning_colour.h"
#include "window/quiz/quiz_form.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <memory>

using namespace quiz;

namespace {

// Series 4 with the real list right, then series 2, 1 and 4 again with it left, left, right.
std::vector<float> fourTurns() {
    std::vector<float> draws;
    for (const auto& turn :
         {turnDraws(seriesDraw(4), kSideOne, 0.5F), turnDraws(seriesDraw(2), kSideZero, 0.25F),
          turnDraws(seriesDraw(1), kSideZero, 0.0F), turnDraws(seriesDraw(4), kSideOne, 0.75F)}) {
        draws.insert(draws.end(), turn.begin(), turn.end());
    }
    return draws;
}

// Bulgarian numbers: a decimal comma and a no-break space between groups.
const NumberStyle kBulgarian{.decimalSeparator = ",", .groupSeparator = "\u00a0", .groupSize = 3};

std::unique_ptr<QuizForm> shownForm(const NumberStyle& style = kBulgarian) {
    auto form =
        std::make_unique<QuizForm>(std::make_unique<SequenceRandomSource>(fourTurns()), style);
    form->show();
    return form;
}

void pick(const QuizForm& form, int index) {
    findControl<QRadioButton>(form, index == 0 ? "Option1_0" : "Option1_1")->click();
}

void pressCommand1(const QuizForm& form) {
    findControl<QPushButton>(form, "Command1")->click();
}

QString figure(const StatisticsWindow& window, const char* name) {
    return findControl<QLabel>(window, name)->text();
}

// Pixels of the real series' colour, allowing for antialiasing at the edges of the line.
int realColouredPixels(QWidget& window) {
    const QImage image = window.grab().toImage();
    const QColor real = RevealChart::kRealColour;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int distance = std::abs(pixel.red() - real.red()) +
                                 std::abs(pixel.green() - real.green()) +
                                 std::abs(pixel.blue() - real.blue());
            count += distance < 30 ? 1 : 0;
        }
    }
    return count;
}

QStringList fileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

const QString kHeader = QStringLiteral("time,seed,turn,currency,currency_name,real_side,"
                                       "chosen_side,right,spread,level,data,pupil,host,staircase,"
                                       "run,sealed_seed");

// Lets the header through, then finds the disk full.
class FullAfterHeader : public DescriptorWriter {
public:
    std::int64_t write(int descriptor, const char* data, std::size_t size) override {
        if (writes_++ == 0) {
            return systemWriter().write(descriptor, data, size);
        }
        errno = ENOSPC;
        return -1;
    }

private:
    int writes_ = 0;
};

ResultsTarget resultsIn(const QString& path, DescriptorWriter& writer = systemWriter()) {
    ResultsFile::OpenError error;
    auto file = ResultsFile::open(QFile::encodeName(path).toStdString(), csvHeader(),
                                  ResultsFile::Mode::Append, error, writer);
    if (!file) {
        qFatal("cannot open %s: %s", qPrintable(path), error.text.c_str());
    }
    return {.file = std::move(file), .pupil = "Иванова Мария", .host = "PC07"};
}
// A rate file of fifty days of one currency, each value as `text` writes it.
std::string ratesText(const std::function<QString(int)>& text) {
    QByteArray rows = "Date,USD\n";
    for (int day = 1; day <= 50; ++day) {
        rows += QStringLiteral("%1,%2\n")
                    .arg(QDate(2024, 1, 1).addDays(day).toString(Qt::ISODate), text(day))
                    .toUtf8();
    }
    return rows.toStdString();
}

const QString kTime = QStringLiteral(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d(Z|[+-]\d\d:\d\d))");

} // namespace

class ClassroomTest : public QObject {
    Q_OBJECT

private slots:

    void f2OpensTheStatisticsWindow();
    void scoreAndChanceFollowEveryAnswer();
    void chartAppearsOnlyOnceTheTurnIsAnswered();
    void statisticsNameTheSeedAndTheLog();
    void eachAnswerIsOnDiskAsItIsGiven();
    void aFailedWriteIsShownAndTheQuizGoesOn();
    void withoutOptionsTheQuizIsUnchanged();
    void eachLevelIsScoredApartAndExplainedAfterTheAnswer();
    void theStatisticsWindowFitsTheScreenAndScrolls();
    void theRepeatCommandNamesADataFileAsOneAbsoluteWord();
    void aWarningReadsOnALightAndADarkBackground();
    void valuesRoundedFromAFileAreSaidSoWithTheSource();
    void theTwoWindowsGoSideBySideWhereTheScreenAllows();
    void resultsTroubleIsToldInBulgarianNumberAndOrder();
    void answersWaitWhileTheClassFolderIsGone();
    void anAdaptiveRunLogsEachLevelAndShowsTheLevelReached();
    void aClassFolderFileHoldsTheSeedOnlySealedForTheTeacher();
    void thePupilSeesTheLevelTheTeacherSees();
};

void ClassroomTest::f2OpensTheStatisticsWindow() {
    const auto form = shownForm();
    const auto classroom = attachClassroom(*form, 1);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));

    QTest::keyClick(form.get(), Qt::Key_F2);
    StatisticsWindow* statistics = classroom->statisticsWindow();
    QVERIFY(statistics->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), statistics); // the keyboard follows it
    QVERIFY(statistics->isWindow()); // its own window, and the quiz stays usable
    QVERIFY(!statistics->isModal());

    QTest::keyClick(statistics, Qt::Key_Escape);
    QVERIFY(!statistics->isVisible());
}

void ClassroomTest::scoreAndChanceFollowEveryAnswer() {
    const auto form = shownForm();
    const auto classroom = attachClassroom(*form, 1);
    const StatisticsWindow& statistics = *classroom->statisticsWindow();
    QCOMPARE(figure(statistics, "answered"), QStringLiteral("0"));
    QCOMPARE(figure(statistics, "accuracy"), QStringLiteral("—"));
    QVERIFY(figure(statistics, "chance").startsWith(QStringLiteral("Още няма отговори.")));

    // Three right answers: the real list is right, left, left.
    pick(*form, 1);
    pressCommand1(*form);
    pick(*form, 0);
    pressCommand1(*form);
    pick(*form, 0);
    QCOMPARE(figure(statistics, "answered"), QStringLiteral("3"));
    QCOMPARE(figure(statistics, "correct"), QStringLiteral("3"));
    QCOMPARE(figure(statistics, "accuracy"), QStringLiteral("100\u00a0%"));
    QCOMPARE(figure(statistics, "streaks"), QStringLiteral("сега 3, най-много 3"));
    QVERIFY2(figure(statistics, "chance")
                 .startsWith(QStringLiteral(
                     "Ако човек само налучква, шансът да познае поне 3 от 3 е 12,5\u00a0%.")),
             qPrintable(figure(statistics, "chance")));

    // Then a wrong one: 3 of 4 is 5/16 by guessing.
    pressCommand1(*form);
    pick(*form, 0);
    QCOMPARE(figure(statistics, "accuracy"), QStringLiteral("75\u00a0%"));
    QCOMPARE(figure(statistics, "streaks"), QStringLiteral("сега 0, най-много 3"));
    QVERIFY(figure(statistics, "chance").contains(QStringLiteral("поне 3 от 4 е 31,3\u00a0%.")));
    QVERIFY(figure(statistics, "chance").contains(QStringLiteral("лесно се получава и случайно")));

    const auto* table = findControl<QTableWidget>(statistics, "byCurrency");
    const auto row = [&](int index) {
        return QStringList{table->item(index, 0)->text(), table->item(index, 1)->text(),
                           table->item(index, 2)->text()};
    };
    QCOMPARE(table->rowCount(), 3); // only what was answered, in the order first answered
    QCOMPARE(row(0), (QStringList{"британски паунд - GBP ", "2", "1"}));
    QCOMPARE(row(1), (QStringList{"японска йена - JPY", "1", "1"}));
    QCOMPARE(row(2), (QStringList{"щатски долар - USD", "1", "1"}));
}

void ClassroomTest::chartAppearsOnlyOnceTheTurnIsAnswered() {
    const auto form = shownForm();
    const auto classroom = attachClassroom(*form, 1);
    StatisticsWindow& statistics = *classroom->statisticsWindow();
    statistics.show();
    QVERIFY(QTest::qWaitForWindowExposed(&statistics));

    QCOMPARE(realColouredPixels(statistics), 0);
    QCOMPARE(figure(statistics, "turnHeading"),
             QStringLiteral("Ход 1: графиката ще се покаже след отговора."));

    pick(*form, 0);
    QVERIFY(realColouredPixels(statistics) > 200);
    QCOMPARE(figure(statistics, "turnHeading"),
             QStringLiteral("Ход 1: реалните данни бяха под „Може би“."));

    pressCommand1(*form); // a new turn hides it again
    QCOMPARE(realColouredPixels(statistics), 0);
    QCOMPARE(figure(statistics, "turnHeading"),
             QStringLiteral("Ход 2: графиката ще се покаже след отговора."));
}

void ClassroomTest::statisticsNameTheSeedAndTheLog() {
    const auto form = shownForm();
    {
        const auto classroom = attachClassroom(*form, 4294967295U);
        const StatisticsWindow& statistics = *classroom->statisticsWindow();
        // Before the pick a second copy of the quiz with the seed would tell the answer.
        QVERIFY(!figure(statistics, "seed").contains(QStringLiteral("4294967295")));
        pick(*form, 0);
        // No grouping: the seed must be typed back in as it stands.
        QVERIFY(figure(statistics, "seed").contains(QStringLiteral("--seed 4294967295 --level 0")));
        pressCommand1(*form);
        QVERIFY(!figure(statistics, "seed").contains(QStringLiteral("4294967295")));
        QCOMPARE(figure(statistics, "log"), QStringLiteral("Отговорите не се записват във файл."));
    }
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("клас 7а.csv"));
    ResultsTarget classFolder = resultsIn(path);
    classFolder.classFolder = true;
    const auto classroom = attachClassroom(*form, 7, std::move(classFolder));
    QVERIFY(figure(*classroom->statisticsWindow(), "log").contains(path));
    // In a class the teacher has the seed in the files; the pupil never sees it.
    pick(*form, 1);
    QVERIFY(!findControl<QLabel>(*classroom->statisticsWindow(), "seed")
                 ->isVisibleTo(classroom->statisticsWindow()));
    QVERIFY(!figure(*classroom->statisticsWindow(), "seed").contains(QStringLiteral("7")));
}

// A teacher's file with characters a shell would read otherwise is repeated from the root and
// as one word (loadData keeps a relative name from the root).
void ClassroomTest::theRepeatCommandNamesADataFileAsOneAbsoluteWord() {
    QTemporaryDir directory;
    const QString name = QStringLiteral("it's $HOME.csv");
    const QString absolute = QFileInfo(directory.filePath(name)).absoluteFilePath();
    auto data = DataSet::fromTable(
        readRateTable(ratesText([](int day) { return QStringLiteral("1.%1").arg(1000 + day); }),
                      name.toStdString()),
        DataKind::File, "rates", absolute.toStdString());

    const auto form = shownForm();
    form->chooseData(std::move(data));
    const auto classroom = attachClassroom(*form, 5);
    pick(*form, 0);
    const QString word =
        u'\'' + QString(absolute).replace(QStringLiteral("'"), QStringLiteral("'\\''")) + u'\'';
    QVERIFY2(
        figure(*classroom->statisticsWindow(), "seed").contains(QStringLiteral(" --data ") + word),
        qPrintable(figure(*classroom->statisticsWindow(), "seed")));
}

void ClassroomTest::eachAnswerIsOnDiskAsItIsGiven() {
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("results.csv"));
    const auto run = [&](const auto& play) {
        const auto form = shownForm();
        const auto classroom = attachClassroom(*form, 777, resultsIn(path));
        play(*form);
    };

    run([&](const QuizForm& form) {
        pick(form, 0); // wrong: the pound is on the right
        QStringList lines = fileLines(path);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], kHeader);
        QVERIFY2(QRegularExpression(QStringLiteral("^%1,777,1,GBP,\"британски паунд - GBP \","
                                                   "1,0,0,0.09911,0,catalogue,Иванова Мария,PC07,0,"
                                                   "[0-9a-f]{16},$")
                                        .arg(kTime))
                     .match(lines[1])
                     .hasMatch(),
                 qPrintable(lines[1]));

        pressCommand1(form);
        pressCommand1(form); // an unanswered turn writes nothing
        pick(form, 0);
        lines = fileLines(path);
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines[2].contains(QStringLiteral(",777,3,USD,щатски долар - USD,0,0,1,0.04196,0,"
                                                  "catalogue,Иванова Мария,PC07,0,")),
                 qPrintable(lines[2]));
        // One run: one identity on each of its rows.
        QCOMPARE(lines[2].section(u',', -2, -2), lines[1].section(u',', -2, -2));
    });
    // A second run appends below the first, under the same single header.
    run([&](const QuizForm& form) { pick(form, 1); });
    const QStringList lines = fileLines(path);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.count(kHeader), 1);
    QVERIFY(
        lines[3].contains(QStringLiteral(",777,1,GBP,\"британски паунд - GBP \",1,1,1,0.09911,0,"
                                         "catalogue,Иванова Мария,PC07,0,")));
    QVERIFY(lines[3].section(u',', -2, -2) != lines[1].section(u',', -2, -2));
}

void ClassroomTest::aFailedWriteIsShownAndTheQuizGoesOn() {
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("results.csv"));
    FullAfterHeader full;
    const auto form = shownForm();
    const auto classroom = attachClassroom(*form, 1, resultsIn(path, full));
    pick(*form, 1);

    StatisticsWindow& statistics = *classroom->statisticsWindow();
    QVERIFY(statistics.isVisible());
    auto* warning = findControl<QLabel>(statistics, "logWarning");
    QVERIFY(warning->isVisible());
    QVERIFY2(warning->text().contains(QStringLiteral("1 отговор не беше записан във файла %1 "
                                                     "(няма свободно място на диска)")
                                          .arg(path)),
             qPrintable(warning->text()));

    pressCommand1(*form);
    pick(*form, 0);
    QVERIFY(findControl<QPlainTextEdit>(*form, "Text1_0")
                ->toPlainText()
                .endsWith(QStringLiteral("Правилно\n")));
    QVERIFY(warning->text().contains(QStringLiteral("2 отговора не бяха записани")));
    QCOMPARE(figure(statistics, "answered"), QStringLiteral("2"));
}

// The classroom layer adds to the quiz, never changes it: same texts, same lists, no files.
void ClassroomTest::withoutOptionsTheQuizIsUnchanged() {
    QTemporaryDir workDirectory;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(workDirectory.path());

    const auto plain = shownForm();
    const auto taught = shownForm();
    const auto classroom = attachClassroom(*taught, 1);
    const auto same = [&] {
        QCOMPARE(findControl<QPlainTextEdit>(*taught, "Text1_0")->toPlainText(),
                 findControl<QPlainTextEdit>(*plain, "Text1_0")->toPlainText());
        for (const char* name : {"List1_0", "List1_1"}) {
            const auto* a = findControl<QListWidget>(*taught, name);
            const auto* b = findControl<QListWidget>(*plain, name);
            QCOMPARE(a->count(), b->count());
            for (int i = 0; i < a->count(); ++i) {
                QCOMPARE(a->item(i)->text(), b->item(i)->text());
            }
        }
        for (const char* name : {"Option1_0", "Option1_1"}) {
            QCOMPARE(findControl<QRadioButton>(*taught, name)->isChecked(),
                     findControl<QRadioButton>(*plain, name)->isChecked());
            QCOMPARE(findControl<QRadioButton>(*taught, name)->isEnabled(),
                     findControl<QRadioButton>(*plain, name)->isEnabled());
        }
    };

    same();
    for (const QuizForm* form : {plain.get(), taught.get()}) {
        pick(*form, 0);
        pressCommand1(*form);
        pick(*form, 1);
    }
    same();
    QCOMPARE(taught->windowTitle(), plain->windowTitle());
    QCOMPARE(taught->size(), plain->size());
    QVERIFY(taught->findChildren<StatisticsWindow*>().isEmpty()); // not even made
    QCOMPARE(QDir(workDirectory.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{});
    QDir::setCurrent(previous);
}

void ClassroomTest::eachLevelIsScoredApartAndExplainedAfterTheAnswer() {
    QuizForm form(std::make_unique<SeededRandomSource>(8), kBulgarian);
    const auto classroom = attachClassroom(form, 8);
    const StatisticsWindow& statistics = *classroom->statisticsWindow();
    pick(form, form.model().turn().RealSide);
    QCOMPARE(findControl<QTableWidget>(statistics, "byLevel")->rowCount(), 1);

    findControl<QMenu>(form, "levelMenu")->actions().at(2)->trigger();
    QVERIFY(
        figure(statistics, "seed").contains(QStringLiteral("„realdataquiz --seed 8 --level 2“")));
    pressCommand1(form);
    QVERIFY(!findControl<QLabel>(statistics, "explanation")->isVisibleTo(&statistics));
    pick(form, form.model().turn().generatedSide());

    const auto* byLevel = findControl<QTableWidget>(statistics, "byLevel");
    QCOMPARE(byLevel->rowCount(), 2);
    QCOMPARE(byLevel->item(1, 2)->text(), QStringLiteral("0"));
    QVERIFY(figure(statistics, "chance").startsWith(QStringLiteral("На трудност 2: ")));
    QVERIFY(findControl<QLabel>(statistics, "explanation")->isVisibleTo(&statistics));
    QVERIFY(figure(statistics, "explanation").contains(QStringLiteral("в разбъркан ред")));
}

// Offscreen the screen is 800 x 600 (and half that at QT_SCALE_FACTOR=2): smaller than the
// window would like, as on a small laptop.
void ClassroomTest::theStatisticsWindowFitsTheScreenAndScrolls() {
    const auto form = shownForm();
    const auto classroom = attachClassroom(*form, 1);
    StatisticsWindow& statistics = *classroom->statisticsWindow();
    statistics.show();
    QVERIFY(QTest::qWaitForWindowExposed(&statistics));
    const QRect room = statistics.screen()->availableGeometry();
    QVERIFY2(statistics.width() <= room.width() && statistics.height() <= room.height(),
             qPrintable(QStringLiteral("%1x%2 on %3x%4")
                            .arg(statistics.width())
                            .arg(statistics.height())
                            .arg(room.width())
                            .arg(room.height())));
    // It can shrink to the room it gets, however much it holds.
    pick(*form, 1);
    QVERIFY(statistics.minimumSizeHint().height() <= room.height());
    QVERIFY(statistics.minimumSizeHint().width() <= room.width());
    // What does not fit is reached by scrolling.
    auto* scroll = statistics.findChild<QScrollArea*>();
    const bool fits = scroll->widget()->minimumSizeHint().height() <= scroll->viewport()->height();
    QVERIFY(fits || scroll->verticalScrollBar()->maximum() > 0);
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    QVERIFY(findControl<QLabel>(statistics, "seed")->visibleRegion().boundingRect().height() > 0);
}

// A file a program saved at a double's full precision is read, rounded, and said so.
void ClassroomTest::valuesRoundedFromAFileAreSaidSoWithTheSource() {
    auto data = DataSet::fromTable(
        readRateTable(ratesText([](int day) {
                          return QStringLiteral("0.%1108986183789").arg(910000 + 37 * day);
                      }),
                      "cross.csv"),
        DataKind::File, "cross", "cross.csv");
    const auto form = shownForm();
    form->chooseData(std::move(data));
    pressCommand1(*form);
    const auto classroom = attachClassroom(*form, 5);
    pick(*form, 0);
    QVERIFY2(figure(*classroom->statisticsWindow(), "explanation")
                 .endsWith(QStringLiteral("закръглени до 6 знака.")),
             qPrintable(figure(*classroom->statisticsWindow(), "explanation")));
}

void ClassroomTest::aWarningReadsOnALightAndADarkBackground() {
    for (const QColor background : {QColor(Qt::white), QColor(239, 240, 241), QColor(35, 38, 41),
                                    QColor(Qt::black), QColor(0x2a, 0x2a, 0x2a)}) {
        QVERIFY2(contrastRatio(warningColour(background), background) >= 4.5,
                 qPrintable(background.name()));
    }
    QCOMPARE(contrastRatio(Qt::black, Qt::white), 21.0);
    QCOMPARE(contrastRatio(Qt::gray, Qt::gray), 1.0);
}

// The quiz window is 487 x 374 with its frame; the statistics window would like 640 x 780
// inside the same frame (1 px borders, a 20 px title bar), 8 px from it, and no narrower than
// 440 beside it. The rooms are screens without their panels; at twice the scale 1920 x 1080
// is 960 x 540 of Qt's pixels.
void ClassroomTest::theTwoWindowsGoSideBySideWhereTheScreenAllows() {
    struct Case {
        const char* name;
        QRect room;
        QRect quiz;
        QPoint quizAt;
        QRect statistics; // its frame's place, and its size inside the frame
        bool beside;      // neither covers the other
    };
    const StatisticsShape shape{
        .preferred = {640, 780}, .leastWidth = 440, .frame = {1, 20, 1, 1}, .gap = 8};
    const Case cases[] = {
        {"room on the right",
         {0, 0, 1920, 1040},
         {700, 200, 487, 374},
         {700, 200},
         {1195, 200, 640, 780},
         true},
        {"room on the left only",
         {0, 0, 1920, 1040},
         {1300, 100, 487, 374},
         {1300, 100},
         {650, 100, 640, 780},
         true},
        {"1366 x 768 and a panel: the quiz moves, both centred, as tall as the room",
         {0, 0, 1366, 740},
         {440, 180, 487, 374},
         {114, 180},
         {609, 0, 640, 719},
         true},
        {"1024 x 768 and a panel: beside the quiz, narrower",
         {0, 0, 1024, 740},
         {270, 200, 487, 374},
         {0, 200},
         {495, 0, 527, 719},
         true},
        {"1920 x 1080 at twice the scale and a panel",
         {0, 0, 960, 526},
         {237, 76, 487, 374},
         {0, 76},
         {495, 0, 463, 505},
         true},
        {"800 x 600: the two edges, overlapping",
         {0, 0, 800, 600},
         {150, 100, 487, 374},
         {0, 100},
         {158, 0, 640, 579},
         false},
        {"a second screen, a window above its top",
         {1920, 24, 1366, 744},
         {2360, 0, 487, 374},
         {2034, 0},
         {2529, 24, 640, 723},
         true},
    };
    for (const Case& c : cases) {
        const SideBySide place = sideBySide(c.room, c.quiz, shape);
        const QRect got(place.statistics, place.size);
        QVERIFY2(place.quiz == c.quizAt && got == c.statistics,
                 qPrintable(QStringLiteral("%1: quiz %2,%3, statistics %4,%5 %6x%7")
                                .arg(QString::fromUtf8(c.name))
                                .arg(place.quiz.x())
                                .arg(place.quiz.y())
                                .arg(got.x())
                                .arg(got.y())
                                .arg(got.width())
                                .arg(got.height())));
        // Frame and all on the screen, the last line included.
        const QRect framed(place.statistics, place.size.grownBy(shape.frame));
        QVERIFY2(c.room.contains(framed), c.name);
        QCOMPARE(!framed.intersects(QRect(place.quiz, c.quiz.size())), c.beside);
    }
}

void ClassroomTest::resultsTroubleIsToldInBulgarianNumberAndOrder() {
    const QString path = QStringLiteral("/class/7a/%2 maria.csv"); // a "%2" stays as it is
    const ResultsNotices::Reason gone{.errorNumber = ENODEV, .text = "No such device"};
    const auto waiting = [&](std::size_t count) {
        ResultsNotices notices;
        notices.waiting = count;
        notices.waitingReason = gone;
        return notices;
    };
    ResultsNotices everything;
    everything.unwritten = 2;
    everything.unwrittenReason = {.errorNumber = ENOSPC, .text = "No space left on device"};
    everything.caughtUp = 4;
    everything.movedTo = "/class/7a/maria-2.csv";
    everything.restarted = true;
    struct Case {
        const char* name;
        ResultsNotices notices;
        bool classFolder;
        QStringList expected;
    };
    const Case cases[] = {
        {"one waiting",
         waiting(1),
         true,
         {QStringLiteral("Папката на класа не е достъпна (устройството не е достъпно). 1 отговор "
                         "чака в паметта и ще бъде записан, щом папката се появи отново. Не "
                         "затваряйте теста, иначе ще се изгуби.")}},
        {"three waiting beside a log",
         waiting(3),
         false,
         {QStringLiteral("Папката на файла /class/7a/%2 maria.csv не е достъпна (устройството не "
                         "е достъпно). 3 отговора чакат в паметта и ще бъдат записани, щом "
                         "папката се появи отново. Не затваряйте теста, иначе ще се изгубят.")}},
        {"caught up, then given up, begun anew and moved",
         everything,
         true,
         {QStringLiteral("Папката на класа отново е достъпна: 4 чакащи отговора са записани във "
                         "файла /class/7a/%2 maria.csv."),
          QStringLiteral("Внимание: 2 отговора не бяха записани във файла /class/7a/%2 maria.csv "
                         "(няма свободно място на диска). Тестът продължава."),
          QStringLiteral("Файлът /class/7a/%2 maria.csv беше изпразнен, докато тестът вървеше. "
                         "Записът започна отначало със заглавния ред; отговорите отпреди това ги "
                         "няма във файла."),
          QStringLiteral("Файлът с резултатите беше изтрит или заменен. Отговорите вече се "
                         "записват във файла /class/7a/maria-2.csv.")}},
        {"nothing to tell", ResultsNotices{}, true, {}},
    };
    for (const Case& c : cases) {
        QCOMPARE(resultsWarnings(c.notices, path, c.classFolder), c.expected);
    }
    QCOMPARE(closingWithWaitingRows(1, true),
             QStringLiteral("1 отговор още чака папката на класа и ще се изгуби, ако затворите "
                            "теста сега. Да затворя ли въпреки това?"));
}

// The class folder's own folder vanishes under the quiz: the answer waits, the window says so,
// and closing asks first.
void ClassroomTest::answersWaitWhileTheClassFolderIsGone() {
    QTemporaryDir directory;
    QDir(directory.path()).mkdir(QStringLiteral("7a"));
    const QString path = directory.filePath(QStringLiteral("7a/maria.csv"));
    ResultsTarget target = resultsIn(path);
    target.classFolder = true;
    const auto form = shownForm();
    const auto classroom = attachClassroom(*form, 3, std::move(target));
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir(directory.path()).rmdir(QStringLiteral("7a")));
    pick(*form, 0);

    StatisticsWindow& statistics = *classroom->statisticsWindow();
    QVERIFY(statistics.isVisible());
    QVERIFY2(figure(statistics, "logWarning")
                 .startsWith(QStringLiteral("Папката на класа не е "
                                            "достъпна")),
             qPrintable(figure(statistics, "logWarning")));
    QVERIFY(!QFileInfo::exists(path)); // written nowhere else

    // Asked before closing; "Изчакай" keeps the window open.
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == QStringLiteral("Изчакай")) {
                button->click();
            }
        }
    });
    QVERIFY(!form->close());
    QVERIFY(form->isVisible());
}

// Each answer is logged at the level it was dealt at, which the staircase chose, and with the
// staircase; the reached level shows once the level adapts, and stays when a fixed one follows.
void ClassroomTest::anAdaptiveRunLogsEachLevelAndShowsTheLevelReached() {
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("results.csv"));
    QuizForm form(std::make_unique<SeededRandomSource>(11), kBulgarian, DataSet::catalogue(),
                  kAdaptiveLevel);
    form.show();
    const auto classroom = attachClassroom(form, 11, resultsIn(path));
    const StatisticsWindow& statistics = *classroom->statisticsWindow();
    const auto reachedShown = [&] {
        return findControl<QLabel>(statistics, "reachedLevel")->isVisibleTo(&statistics);
    };
    QVERIFY(reachedShown());
    QCOMPARE(figure(statistics, "reachedLevel"),
             QStringLiteral("още няма: трудността още не се е променяла"));

    // Right, right, right, then wrong at level 2, right three times at 1, wrong at 2.
    const std::vector<bool> answers{true, true, true, false, true, true, true, false};
    for (const bool right : answers) {
        const int real = form.model().turn().RealSide;
        pick(form, right ? real : 1 - real);
        pressCommand1(form);
    }
    QStringList levels;
    QStringList staircases;
    for (const QString& line : fileLines(path).mid(1)) {
        levels << line.section(u',', -7, -7);
        staircases << line.section(u',', -3, -3);
    }
    QCOMPARE(levels, (QStringList{"1", "1", "1", "2", "1", "1", "1", "2"}));
    QCOMPARE(staircases, QStringList(8, QStringLiteral("1")));
    QCOMPARE(form.model().turn().level, 1);
    // Reversals at 2 and 1: their mean, for now.
    const QString soFar = QStringLiteral("засега 1,5 (2 от 6 обръщания на трудността)");
    QCOMPARE(figure(statistics, "reachedLevel"), soFar);
    pick(form, 0);
    QVERIFY(figure(statistics, "seed").contains(QStringLiteral("--seed 11 --level auto")));

    findControl<QMenu>(form, "levelMenu")->actions()[2]->trigger();
    QVERIFY(reachedShown());
    QVERIFY(figure(statistics, "seed").contains(QStringLiteral("--seed 11 --level 2")));
}

// The pupil's own file in a class folder tells the seed to no one but the teacher's key.
void ClassroomTest::aClassFolderFileHoldsTheSeedOnlySealedForTheTeacher() {
    const SealKeys teacher = makeSealKeys();
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("maria_PC07.csv"));
    const auto form = shownForm(); // the stream of seed 4294967295
    ResultsTarget target = resultsIn(path);
    target.classFolder = true;
    const auto classroom = attachClassroom(*form, 4294967295U, std::move(target));
    classroom->sealSeedsFor(teacher.publicKey);
    pick(*form, 0);
    pressCommand1(*form);
    pick(*form, 0);
    classroom->sealSeedsFor({}); // the teacher's key gone from the folder
    pressCommand1(*form);
    pick(*form, 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(!bytes.contains("4294967295"));
    const QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 5); // the header, three rows and the end of the last line
    const QString run = lines[1].section(u',', -2, -2);
    const QString sealed = lines[1].section(u',', -1);
    QCOMPARE(lines[1].section(u',', 1, 1), QString());
    QCOMPARE(lines[2].section(u',', -2), run + u',' + sealed);
    QCOMPARE(lines[3].section(u',', -2), run + u',');
    bool isHex = false;
    QCOMPARE(run.size(), 16);
    const std::uint64_t runNumber = run.toULongLong(&isHex, 16);
    QVERIFY(isHex);
    QCOMPARE(openSeed(sealed.toStdString(), teacher),
             (RunSeed{.seed = 4294967295U, .origin = SeedOrigin::Own, .run = runNumber}));
}

namespace {

// What the teacher's view makes of the run's file.
std::optional<ReachedLevel> teachersFigure(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    ClassResults results;
    results.feed(classFileName("Иванова Мария", "PC07", 0), file.readAll().toStdString());
    const std::vector<PupilSummary> pupils = results.pupils();
    return pupils.size() == 1 ? pupils.front().reached : std::nullopt;
}

void answer(QuizForm& form, const std::string& pattern) {
    for (const char right : pattern) {
        const int real = form.model().turn().RealSide;
        pick(form, right == 'R' ? real : 1 - real);
        pressCommand1(form);
    }
}

} // namespace

// Turns at a level chosen from the menu move neither figure; choosing „според ученика“ again
// restarts the staircase at level 1, which is no move; the pupil's window and the teacher's
// view say the same after each step.
void ClassroomTest::thePupilSeesTheLevelTheTeacherSees() {
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("results.csv"));
    QuizForm form(std::make_unique<SeededRandomSource>(11), kBulgarian, DataSet::catalogue(),
                  kAdaptiveLevel);
    form.show();
    const auto classroom = attachClassroom(form, 11, resultsIn(path));
    const StatisticsWindow& statistics = *classroom->statisticsWindow();
    QMenu* levels = findControl<QMenu>(form, "levelMenu");
    const auto same = [&](const QString& expected) {
        const std::optional<ReachedLevel> teacher = teachersFigure(path);
        const QString pupil = figure(statistics, "reachedLevel");
        QVERIFY2(pupil == expected, qPrintable(pupil));
        QVERIFY(teacher);
        QVERIFY2(
            pupil.startsWith(QStringLiteral("засега ") +
                             QString::fromStdString(reachedLevelText(teacher->level, kBulgarian)) +
                             QStringLiteral(" (") + QString::number(teacher->reversals) +
                             QStringLiteral(" от 6")),
            qPrintable(pupil));
    };

    answer(form, "RRRWRRRW"); // staircase 1: levels 1, 1, 1, 2, 1, 1, 1, 2
    same(QStringLiteral("засега 1,5 (2 от 6 обръщания на трудността)"));
    // The turn on screen, then levels 4, 4, 3, 3, 4 from the menu, up and down.
    levels->actions()[4]->trigger();
    answer(form, "RR");
    levels->actions()[3]->trigger();
    answer(form, "RW");
    levels->actions()[4]->trigger();
    answer(form, "RR");
    same(QStringLiteral("засега 1,5 (2 от 6 обръщания на трудността)"));
    levels->actions().last()->trigger();
    answer(form, "R");      // still the fixed level's turn
    answer(form, "WRRRWR"); // staircase 2: levels 1, 0, 0, 0, 1, 0; reversals at 0 and 1
    same(QStringLiteral("засега 1 (4 от 6 обръщания на трудността)"));
}

QTEST_MAIN(ClassroomTest)
#include "classroom_test.moc"
