#include "window/classroom/classroom.h"

#include "core/result_row.h"
#include "core/shell_word.h"
#include "core/system_reason.h"
#include "window/classroom/side_by_side.h"
#include "window/classroom/statistics_window.h"

#include <QDateTime>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace quiz {

namespace {

constexpr const char* kWarningOne =
    "Внимание: 1 отговор не беше записан във файла %1 (%2). Тестът продължава.";
constexpr const char* kWarningMany =
    "Внимание: %1 отговора не бяха записани във файла %2 (%3). Тестът продължава.";
constexpr const char* kMoved = "Файлът с резултатите беше изтрит или заменен. Отговорите вече се "
                               "записват във файла %1.";

// Local time with its offset from UTC, so rows from different computers line up.
std::string localIsoTime() {
    const QDateTime now = QDateTime::currentDateTime();
    return now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODate).toStdString();
}

} // namespace

Classroom::Classroom(const QuizModel& model, QWidget& window, std::uint32_t seed,
                     ResultsTarget results)
    : model_(model), window_(window), seed_(seed), results_(std::move(results)) {}

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

// Beside the quiz window, so that opening it (or a warning opening it) never hides the options.
void Classroom::placeBesideTheQuiz() {
    constexpr int kGap = 8;
    const QScreen* screen = window_.screen();
    if (!screen) {
        return;
    }
    const SideBySide place = sideBySide(screen->availableGeometry(), window_.frameGeometry(),
                                        statistics_->frameGeometry().size(), kGap);
    window_.move(place.quiz);
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
                        .seed = seed_,
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
    const WriteOutcome outcome = results_.file->append(csvLine(row));
    const QString path = QString::fromStdString(results_.file->path());
    if (!outcome.replacedBy.empty()) {
        warnOnce(movedNotice_, QString::fromUtf8(kMoved).arg(path));
    }
    if (outcome.written) {
        return;
    }
    // The quiz goes on; the teacher must see that answers are being lost.
    ++unwrittenAnswers_;
    const QString reason =
        QString::fromStdString(bulgarianReason(outcome.errorNumber, outcome.error));
    warnOnce(writeWarning_, unwrittenAnswers_ == 1
                                ? QString::fromUtf8(kWarningOne).arg(path, reason)
                                : QString::fromUtf8(kWarningMany)
                                      .arg(QString::number(unwrittenAnswers_), path, reason));
}

// The first time, the window shows itself, but the quiz keeps the keyboard; later, only the
// text follows.
void Classroom::warnOnce(QString& warning, const QString& text) {
    const bool first = warning.isEmpty();
    warning = text;
    if (first) {
        statisticsWindow()->show();
    }
}

// The options that deal this run's turns again: the seed, and the level and data chosen now.
QString Classroom::repeatOptions() const {
    QString options = QStringLiteral("--seed %1 --level %2").arg(seed_).arg(model_.chosenLevel());
    if (const DataSet& data = model_.chosenData(); data.kind() != DataKind::Catalogue) {
        // Read back by the shell as one word, whatever the file's name holds.
        options += QStringLiteral(" --data ") + QString::fromStdString(shellWord(data.argument()));
    }
    return options;
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
    statistics_->showTurn(model_.turn(), model_.turnNumber(), model_.answered());
    // Shown before the pick, the seed would let a second copy of the quiz tell the answer.
    if (results_.classFolder) {
        statistics_->hideRepeat();
    } else if (model_.answered()) {
        statistics_->showRepeat(seed_, repeatOptions());
    } else {
        statistics_->showRepeatAfterTheAnswer();
    }
    statistics_->showLog(results_.file ? QString::fromStdString(results_.file->path()) : QString());
    QStringList warnings;
    for (const QString* warning : {&movedNotice_, &writeWarning_}) {
        if (!warning->isEmpty()) {
            warnings << *warning;
        }
    }
    statistics_->showLogWarning(warnings.join(u'\n'));
}

} // namespace quiz
