// The documentation's pictures, drawn by the windows themselves on the offscreen platform with
// fixed seeds, each compared with the one in docs/ so that none goes stale. With QUIZ_PICTURES
// set to a docs folder they are written there instead (scripts/screenshot.sh).

#include "core/data/data_set.h"
#include "core/turns/level.h"
#include "core/quiz/quiz_model.h"
#include "core/random/random_source.h"
#include "core/results/class_file_name.h"
#include "core/results/result_row.h"
#include "core/seal/seal_keys.h"
#include "tests/support/find_control.h"
#include "window/classroom/attach_classroom.h"
#include "window/classroom/statistics_window.h"
#include "window/quiz/quiz_form.h"
#include "window/teacher/network_panel.h"
#include "window/teacher/teacher_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>

using namespace quiz;

namespace {

constexpr std::uint32_t kSeed = 2026;
// A shade of difference in a few pixels (another build of the fonts' smoothing) is no change;
// a changed word is.
constexpr double kDifferingShare = 0.0001;
constexpr int kChannelSlack = 24;
constexpr const char* kRefresh = "bash scripts/screenshot.sh";
constexpr QSize kProjector{1280, 800};

// A pupil's file of one run, as the quiz writes it into a class folder: the answers in
// `pattern` ("R" right, "W" wrong), a minute apart from `minute` past nine.
struct Run {
    const char* pupil;
    const char* host;
    std::uint32_t seed;
    int level;
    const char* pattern;
    int minute;
};

QByteArray runRows(const Run& run) {
    QuizModel quiz(std::make_unique<SeededRandomSource>(run.seed), {}, DataSet::ecb(), run.level);
    quiz.Form_Load("");
    QByteArray rows = QByteArray::fromStdString(std::string(csvHeader())) + "\r\n";
    const std::string pattern = run.pattern;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const Turn& turn = quiz.turn();
        const bool right = pattern[i] == 'R';
        const int chosen = right ? turn.RealSide : 1 - turn.RealSide;
        rows += QStringLiteral("2026-12-08T09:%1:00+02:00,%2,%3,%4,валута,%5,%6,%7,0.04196,"
                               "%8,ecb,%9,%10,%11,%12,\r\n")
                    .arg(run.minute + static_cast<int>(i), 2, 10, QLatin1Char('0'))
                    .arg(run.seed)
                    .arg(quiz.turnNumber())
                    .arg(QString::fromStdString(turn.code))
                    .arg(turn.RealSide)
                    .arg(chosen)
                    .arg(right ? 1 : 0)
                    .arg(turn.level)
                    .arg(QString::fromUtf8(run.pupil), QString::fromUtf8(run.host))
                    .arg(quiz.turnStaircase())
                    .arg(run.seed, 16, 16, QLatin1Char('0'))
                    .toUtf8();
        quiz.Option1_Click(chosen);
        quiz.Command1_Click();
    }
    return rows;
}

// A small class halfway through a lesson at level 2, one pupil on the level that adapts.
const std::array kClass{
    Run{"Мария", "PC01", 11, 2, "RRWRRRWRRRRR", 2},
    Run{"Иван", "PC02", 12, 2, "WRWWRRWRWR", 3},
    Run{"Петя", "PC03", 13, 2, "RRRRWRRRRRRRWR", 1},
    Run{"Георги", "PC04", 14, kAdaptiveLevel, "RRRRRRWRRRWRRRRWRR", 2},
};

// Five pupils a few minutes into a lesson on the network: every row carries the teacher's
// computer, the host's.
const std::array kHostedClass{
    Run{"Ани", "PC00", 21, 2, "RRWRRR", 4},
    Run{"Борис", "PC00", 22, 2, "WRRWR", 5},
    Run{"Вики", "PC00", 23, 2, "RRRRWRR", 3},
    Run{"Дани", "PC00", 24, 2, "RWRRW", 5},
    Run{"Ема", "PC00", 25, 2, "RRRWRRRR", 3},
};

template <std::size_t N> void writeClass(const QString& folder, const std::array<Run, N>& runs) {
    for (const Run& run : runs) {
        constexpr std::int64_t kLessonStart = 1796713200; // 2026-12-08T07:00:00Z
        QFile file(QDir(folder).filePath(QString::fromStdString(
            classFileName(run.pupil, run.host, kLessonStart + run.minute * 60))));
        const QByteArray rows = runRows(run);
        if (!file.open(QIODevice::WriteOnly) || file.write(rows) != rows.size()) {
            qFatal("cannot write %s", qPrintable(file.fileName()));
        }
    }
}

// A class folder's name as a lab would have it, and one time of day: the teacher's view says
// both, and the picture would otherwise change with every run.
void stageForThePicture(QLabel* label, const QString& folder) {
    QString text = label->text();
    text.replace(QDir::toNativeSeparators(folder), QStringLiteral("/srv/класове/7а"));
    text.replace(QRegularExpression(QStringLiteral("\\b\\d\\d:\\d\\d:\\d\\d\\b")),
                 QStringLiteral("09:21:07"));
    text.replace(QRegularExpression(QStringLiteral("(?<!\\d:)\\b\\d\\d:\\d\\d\\b(?!:\\d)")),
                 QStringLiteral("08:58"));
    label->setText(text);
}

// The teacher applies level 2 on the ECB's rates, and the view has read the class; its texts
// staged for the picture. False when the reading did not end.
bool applyTheLessonAndRead(TeacherWindow& window, const QString& folder) {
    findControl<QComboBox>(window, "lessonLevel")->setCurrentIndex(2);
    findControl<QComboBox>(window, "lessonData")->setCurrentIndex(1);
    QTest::mouseClick(findControl<QPushButton>(window, "lessonApply"), Qt::LeftButton);
    window.refresh();
    if (!QTest::qWaitFor([&] { return !window.reading(); })) {
        return false;
    }
    for (const char* label : {"status", "lessonStatus"}) {
        stageForThePicture(findControl<QLabel>(window, label), folder);
    }
    return true;
}

// The school network's address and a join code as the host would give them: a real host's
// change with every run and every computer.
class StagedHosting final : public HostingSwitch {
public:
    std::variant<Started, Failed> start(quint16 /*port*/) override {
        return Started{QUrl(QStringLiteral("http://192.168.1.20:8080/")), QStringLiteral("4821")};
    }
    void stop() override {}
};

QString docsFolder() {
    const QByteArray target = qgetenv("QUIZ_PICTURES");
    return target.isEmpty() ? QStringLiteral(QUIZ_DOCS_SOURCE) : QString::fromLocal8Bit(target);
}

// How many pixels of `drawn` differ from `committed` by more than a shade.
qsizetype differingPixels(const QImage& drawn, const QImage& committed) {
    qsizetype count = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb a = drawn.pixel(x, y);
            const QRgb b = committed.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) > kChannelSlack ||
                std::abs(qGreen(a) - qGreen(b)) > kChannelSlack ||
                std::abs(qBlue(a) - qBlue(b)) > kChannelSlack) {
                ++count;
            }
        }
    }
    return count;
}

// Writes the picture when asked to; otherwise an empty text when the committed one still
// shows it, or what is wrong.
QString checkPicture(const QImage& drawn, const QString& name) {
    const QString path = QDir(docsFolder()).filePath(name);
    if (!qEnvironmentVariableIsEmpty("QUIZ_PICTURES")) {
        return QDir().mkpath(QFileInfo(path).path()) && drawn.save(path)
                   ? QString()
                   : QStringLiteral("cannot write %1").arg(path);
    }
    const QImage committed(path);
    const QString stale = QStringLiteral("docs/%1 %2; run `%3` to draw it again");
    if (committed.isNull()) {
        return stale.arg(name, QStringLiteral("is missing"), QString::fromLatin1(kRefresh));
    }
    if (committed.size() != drawn.size()) {
        return stale.arg(name,
                         QStringLiteral("is %1 × %2 pixels, the window now %3 × %4")
                             .arg(committed.width())
                             .arg(committed.height())
                             .arg(drawn.width())
                             .arg(drawn.height()),
                         QString::fromLatin1(kRefresh));
    }
    const qsizetype differing = differingPixels(drawn.convertToFormat(QImage::Format_RGB32),
                                                committed.convertToFormat(QImage::Format_RGB32));
    const auto allowed = static_cast<qsizetype>(drawn.width() * drawn.height() * kDifferingShare);
    if (differing > allowed) {
        return stale.arg(name,
                         QStringLiteral("is stale: %1 of %2 pixels differ (at most %3 may)")
                             .arg(differing)
                             .arg(drawn.width() * drawn.height())
                             .arg(allowed),
                         QString::fromLatin1(kRefresh));
    }
    return {};
}

// As on a Bulgarian computer, with a decimal comma; the README's picture keeps its point.
const NumberStyle kBulgarian{.decimalSeparator = ","};

std::unique_ptr<QuizForm> shownQuiz(int level = 0, NumberStyle style = kBulgarian) {
    auto form = std::make_unique<QuizForm>(std::make_unique<SeededRandomSource>(kSeed),
                                           std::move(style), DataSet::catalogue(), level);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) {
        qFatal("the quiz window was never shown");
    }
    return form;
}

void pick(QuizForm& form, bool right) {
    const int real = form.model().turn().RealSide;
    QTest::mouseClick(
        findControl<QRadioButton>(form, right ? (real == 0 ? "Option1_0" : "Option1_1")
                                              : (real == 0 ? "Option1_1" : "Option1_0")),
        Qt::LeftButton);
}

} // namespace

class GuidePicturesTest : public QObject {
    Q_OBJECT

private slots:
    // The README's: the window as it opens.
    void theQuizAsItOpens() {
        const auto form = shownQuiz(0, NumberStyle{});
        const QString problem =
            checkPicture(form->grab().toImage(), QStringLiteral("screenshot.png"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void theQuizAnswered() {
        const auto form = shownQuiz();
        pick(*form, true);
        const QString problem =
            checkPicture(form->grab().toImage(), QStringLiteral("images/quiz.png"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // A few turns played, the last one answered, its chart shown.
    void theStatistics() {
        const auto form = shownQuiz(2);
        const auto classroom = attachClassroom(*form, kSeed);
        for (const bool right : {true, true, false, true, true, false, true}) {
            pick(*form, right);
            QTest::mouseClick(findControl<QPushButton>(*form, "Command1"), Qt::LeftButton);
        }
        pick(*form, true);
        classroom->openStatistics();
        StatisticsWindow* statistics = classroom->statisticsWindow();
        QVERIFY(QTest::qWaitForWindowExposed(statistics));
        const QString problem =
            checkPicture(statistics->grab().toImage(), QStringLiteral("images/statistics.png"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // The teacher's view of a small class, and its „Урок“ panel after „Приложи“.
    void theTeachersView() {
        const QTemporaryDir folder;
        writeClass(folder.path(), kClass);
        TeacherWindow window(folder.path(), kBulgarian, QStringLiteral("teacher (PC00)"),
                             makeSealKeys());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(applyTheLessonAndRead(window, folder.path()));
        // Tall enough to show every part in one picture; with room for the scroll bar the area
        // shows while it lays out, or it keeps the bar and cuts the right edge.
        auto* scroll = findControl<QScrollArea>(window, "");
        window.resize(window.width(), scroll->widget()->sizeHint().height() +
                                          window.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
        QVERIFY(QTest::qWaitFor([&] { return !scroll->verticalScrollBar()->isVisible(); }));

        QString problem =
            checkPicture(window.grab().toImage(), QStringLiteral("images/teacher.png"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        problem = checkPicture(findControl<QWidget>(window, "lessonPanel")->grab().toImage(),
                               QStringLiteral("images/lesson.png"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // The teacher's view serving a lesson, as a projector of 1280 × 800 shows it to the class.
    void theLessonOnTheNetwork() {
        const QTemporaryDir folder;
        writeClass(folder.path(), kHostedClass);
        // The panel stops hosting as it closes, so the hosting outlives the window.
        StagedHosting hosting;
        TeacherWindow window(folder.path(), kBulgarian, QStringLiteral("teacher (PC00)"),
                             makeSealKeys());
        NetworkPanel* panel = window.offerNetworkLesson(hosting, QStringLiteral("teacher"), nullptr);
        window.resize(kProjector);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(panel->start());
        QVERIFY(applyTheLessonAndRead(window, folder.path()));
        const QString problem =
            checkPicture(window.grab().toImage(), QStringLiteral("images/network-lesson.png"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
};

int main(int argc, char* argv[]) {
    // A lab's Full HD screen, so that each window opens at the size it would there.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" QUIZ_SCREEN_CONFIG);
    QApplication app(argc, argv);
    GuidePicturesTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "guide_pictures_test.moc"
