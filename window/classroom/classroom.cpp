#include "window/classroom/classroom.h"

#include "core/results/result_row.h"
#include "core/text/shell_word.h"
#include "core/turns/level.h"
#include "window/classroom/results_warnings.h"
#include "window/classroom/side_by_side.h"
#include "window/classroom/statistics_window.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
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
    : model_(model), window_(window), seed_(seed), results_(std::move(results)),
      origin_(results_.seedOrigin) {
    retry_.setInterval(kRetryEvery);
    connect(&retry_, &QTimer::timeout, this, &Classroom::retryKeptRows);
    window_.installEventFilter(this);
    deliverLeftSpools();
    retryWhileSomeWait();
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
    if (model_.turnStaircase() != 0) {
        staircaseAnswers_.push_back(
            {.level = turn.level,
             .right = Index == turn.RealSide,
             .staircase = staircaseId(turnSeed(), model_.turnStaircase())});
    }
    if (results_.file) {
        writeResultRow(Index);
    }
    refresh();
}

void Classroom::writeResultRow(int Index) {
    const Turn& turn = model_.turn();
    // A log outside a class folder is the pupil's own, whose window shows the seed anyway.
    const RunStamp::Stamp& stamp =
        stamp_.forTurn(turnSeed(), origin_, model_.turnNumber(),
                       results_.classFolder ? std::string_view(seedKey_) : std::string_view());
    const ResultRow row{.time = localIsoTime(),
                        .seed = results_.classFolder ? std::nullopt
                                                     : std::optional<std::uint32_t>(turnSeed()),
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
                        .host = results_.host,
                        .staircase = model_.turnStaircase(),
                        .run = stamp.run,
                        .sealedSeed = stamp.sealedSeed};
    const std::string line = csvLine(row);
    const WriteOutcome outcome = results_.file->append(line);
    keepInSpool(outcome, line);
    takeOutcome(outcome);
}

// A row that starts to wait is kept on this computer as well; once none waits, the spool is
// emptied, unless a row it holds never reached the file, which the next run then delivers.
void Classroom::keepInSpool(const WriteOutcome& outcome, std::string_view newRow) {
    AnswerSpool* spool = results_.spool.get();
    if (!spool) {
        return;
    }
    if (!newRow.empty() && outcome.status == WriteStatus::Kept && !outcome.written &&
        !spool->add(newRow)) {
        spoolLacksRows_ = true;
    }
    if (outcome.lost > 0 && spool->rows() > 0) {
        spoolLacksRows_ = true;
    }
    if (results_.file->waitingRows() == 0 && spool->rows() > 0 && !spoolLacksRows_) {
        spool->clear();
    }
}

// What earlier runs left waiting on this computer goes to its files as soon as they are back;
// never this run's own spool, whose rows this run writes.
void Classroom::deliverLeftSpools() {
    if (results_.spoolFolder.empty()) {
        return;
    }
    const std::string own = results_.spool ? results_.spool->path() : std::string();
    const SpoolDelivery now = quiz::deliverLeftSpools(results_.spoolFolder, own);
    left_.delivered += now.delivered;
    left_.present += now.present;
    left_.waiting = now.waiting;
    if (!now.targets.empty()) {
        left_.targets = now.targets;
    }
    if (now.delivered > 0 && statistics_) {
        refresh();
    }
}

void Classroom::retryWhileSomeWait() {
    const bool ownWait = results_.file && results_.file->waitingRows() > 0;
    if (ownWait || left_.waiting > 0) {
        retry_.start();
    } else {
        retry_.stop();
    }
}

// Every row that waits is on this computer too, so closing loses none of them.
bool Classroom::spooledAll() const {
    return results_.spool && !spoolLacksRows_ && results_.file &&
           results_.spool->rows() >= results_.file->waitingRows();
}

QString Classroom::spoolFolderName() const {
    return QDir::toNativeSeparators(QString::fromStdString(results_.spoolFolder));
}

// Rows kept while the folder cannot be reached go out as soon as it is back; the timer runs
// only while some wait.
void Classroom::takeOutcome(const WriteOutcome& outcome) {
    if (notices_.record(outcome)) {
        // Forward, but the quiz keeps the keyboard.
        statisticsWindow()->show();
    }
    retryWhileSomeWait();
}

void Classroom::retryKeptRows() {
    if (results_.file && results_.file->waitingRows() > 0) {
        const WriteOutcome outcome = results_.file->writeKept();
        keepInSpool(outcome, {});
        takeOutcome(outcome);
        refresh();
    }
    if (left_.waiting > 0) {
        deliverLeftSpools();
        retryWhileSomeWait();
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
                         closingWithWaitingRows(waiting, results_.classFolder, spooledAll()),
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

void Classroom::sealSeedsFor(const std::string& publicKey) {
    seedKey_ = publicKey;
}

void Classroom::followStream(SeedOrigin origin) {
    origin_ = origin;
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
    // Once adaptive, the level reached stays in view: a fixed level for a while ends no figure.
    if (model_.staircase() || !staircaseAnswers_.empty()) {
        statistics_->showReachedLevel(reachedLevel(staircaseAnswers_));
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
    const QString spooledIn = spooledAll() ? spoolFolderName() : QString();
    QStringList warnings = resultsWarnings(notices_, path, results_.classFolder, spooledIn);
    if (!results_.spoolFolder.empty()) {
        const QString target =
            left_.targets.empty() ? QString() : QString::fromStdString(left_.targets.back());
        warnings << leftSpoolWarnings(left_.delivered, left_.waiting, target, spoolFolderName());
    }
    statistics_->showLogWarning(warnings.join(u'\n'));
    statistics_->showLesson(lessonSettings_, lessonWarning_);
}

} // namespace quiz
