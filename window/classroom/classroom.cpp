#include "window/classroom/classroom.h"

#include "core/quiz/level.h"
#include "core/results/result_row.h"
#include "core/text/shell_word.h"
#include "window/classroom/results_warnings.h"
#include "window/classroom/side_by_side.h"
#include "window/classroom/statistics_window.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <chrono>

namespace quiz {

namespace {

constexpr const char* kUnwrittenTitle = "Незаписани отговори";
constexpr const char* kWait = "Изчакай";
constexpr const char* kClose = "Затвори";
// Often enough that a folder back from a short outage gets its rows within the turn.
constexpr std::chrono::seconds kRetryEvery{5};

// Local time with its offset from UTC, so rows from different computers line up.
std::string localIsoTime() {
    const QDateTime now = QDateTime::currentDateTime();
    return now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODate).toStdString();
}

} // namespace

Classroom::Classroom(const QuizModel& model, QWidget& window, std::uint32_t seed,
                     ResultsTarget results)
    : model_(model), window_(window), seed_(seed), results_(std::move(results)) {
    retry_.setInterval(kRetryEvery);
    connect(&retry_, &QTimer::timeout, this, &Classroom::retryKeptRows);
    window_.installEventFilter(this);
}

Classroom::~Classroom() = default;

StatisticsWindow* Classroom::statisticsWindow() {
    if (!statistics_) {
        // A child of the quiz window: it stays with it and closes with it.
        statistics_ = new StatisticsWindow(model_.numberStyle(), &window_);
        placeBesideTheQuiz();
        refresh();
    }
    return statistics_;
}

// Beside the quiz window, so that opening it (or a warning opening it) never hides the options;
// and on the screen, frame and all. Its own frame is not known before it is shown, so it is
// taken to be the quiz window's, which the same window manager draws.
void Classroom::placeBesideTheQuiz() {
    constexpr int kGap = 8;
    // Room kept for a title bar and borders while the quiz window's frame is not known either.
    constexpr QMargins kUnknownFrame{4, 32, 4, 4};
    const QScreen* screen = window_.screen();
    if (!screen) {
        return;
    }
    const QRect quiz = window_.frameGeometry();
    const QRect inside = window_.geometry();
    QMargins frame(inside.left() - quiz.left(), inside.top() - quiz.top(),
                   quiz.right() - inside.right(), quiz.bottom() - inside.bottom());
    if (frame.isNull() && !window_.isVisible()) {
        frame = kUnknownFrame;
    }
    const SideBySide place = sideBySide(screen->availableGeometry(), quiz,
                                        {.preferred = StatisticsWindow::preferredSize(),
                                         .leastWidth = StatisticsWindow::leastWidth(),
                                         .frame = frame,
                                         .gap = kGap});
    window_.move(place.quiz);
    statistics_->resize(place.size);
    statistics_->move(place.statistics);
}

void Classroom::recordAnswer(int Index) {
    const Turn& turn = model_.turn();
    score_.record(turn.name, turn.level, Index == turn.RealSide);
    if (results_.file) {
        writeResultRow(Index);
    }
    refresh();
}

void Classroom::writeResultRow(int Index) {
    const Turn& turn = model_.turn();
    const ResultRow row{.time = localIsoTime(),
                        .seed = turnSeed(),
                        .turn = model_.turnNumber(),
                        .currency = turn.code,
                        .currencyName = turn.name,
                        .realSide = turn.RealSide,
                        .chosenSide = Index,
                        .spread = turn.Spread,
                        .decimals = turn.decimals,
                        .level = turn.level,
                        .data = turn.data,
                        .pupil = results_.pupil,
                        .host = results_.host};
    takeOutcome(results_.file->append(csvLine(row)));
}

// Rows kept while the folder cannot be reached go out as soon as it is back; the timer runs
// only while some wait.
void Classroom::takeOutcome(const WriteOutcome& outcome) {
    if (notices_.record(outcome)) {
        // Forward, but the quiz keeps the keyboard.
        statisticsWindow()->show();
    }
    if (results_.file->waitingRows() > 0) {
        retry_.start();
    } else {
        retry_.stop();
    }
}

void Classroom::retryKeptRows() {
    if (results_.file && results_.file->waitingRows() > 0) {
        takeOutcome(results_.file->writeKept());
        refresh();
    }
}

// Closing with answers still waiting for the folder loses them: the pupil is asked first.
bool Classroom::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Close && results_.file &&
        results_.file->waitingRows() > 0) {
        retryKeptRows();
        const std::size_t waiting = results_.file->waitingRows();
        if (waiting > 0 && !confirmClosing(waiting)) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool Classroom::confirmClosing(std::size_t waiting) {
    QMessageBox question(QMessageBox::Warning, QString::fromUtf8(kUnwrittenTitle),
                         closingWithWaitingRows(waiting, results_.classFolder),
                         QMessageBox::NoButton, &window_);
    QPushButton* wait = question.addButton(QString::fromUtf8(kWait), QMessageBox::RejectRole);
    question.addButton(QString::fromUtf8(kClose), QMessageBox::AcceptRole);
    question.setDefaultButton(wait);
    question.exec();
    return question.clickedButton() != wait;
}

// A class's seed may have started a new stream since the run began.
std::uint32_t Classroom::turnSeed() const {
    return model_.turnSeed().value_or(seed_);
}

// The options that deal this run's turns again: the seed, and the level and data chosen now.
QString Classroom::repeatOptions() const {
    const int level = model_.chosenLevel();
    QString options = QStringLiteral("--seed %1 --level %2")
                          .arg(turnSeed())
                          .arg(level == kAdaptiveLevel ? QStringLiteral("auto")
                                                       : QString::number(level));
    if (const DataSet& data = model_.chosenData(); data.kind() != DataKind::Catalogue) {
        // Read back by the shell as one word, whatever the file's name holds.
        options += QStringLiteral(" --data ") + QString::fromStdString(shellWord(data.argument()));
    }
    return options;
}

void Classroom::showLesson(const QString& settings, const QString& warning) {
    lessonSettings_ = settings;
    lessonWarning_ = warning;
    refresh();
}

void Classroom::openStatistics() {
    StatisticsWindow* window = statisticsWindow();
    window->show();
    window->raise();
    window->activateWindow();
}

void Classroom::refresh() {
    if (!statistics_) {
        return;
    }
    statistics_->showScore(score_, model_.turn().level);
    if (const std::optional<Staircase>& staircase = model_.staircase()) {
        statistics_->showReachedLevel(staircase->reached());
    } else {
        statistics_->hideReachedLevel();
    }
    statistics_->showTurn(model_.turn(), model_.turnNumber(), model_.answered());
    // Shown before the pick, the seed would let a second copy of the quiz tell the answer.
    if (results_.classFolder) {
        statistics_->hideRepeat();
    } else if (model_.answered()) {
        statistics_->showRepeat(turnSeed(), repeatOptions());
    } else {
        statistics_->showRepeatAfterTheAnswer();
    }
    statistics_->showLog(results_.file ? QString::fromStdString(results_.file->path()) : QString());
    const QString path = results_.file ? QString::fromStdString(results_.file->path()) : QString();
    statistics_->showLogWarning(resultsWarnings(notices_, path, results_.classFolder).join(u'\n'));
    statistics_->showLesson(lessonSettings_, lessonWarning_);
}

} // namespace quiz
