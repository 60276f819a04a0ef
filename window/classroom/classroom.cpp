#include "window/classroom/classroom.h"

#include "window/classroom/statistics_window.h"

#include <QDateTime>

namespace quiz {

namespace {

constexpr const char* kLogWarningOne =
    "Внимание: 1 отговор не беше записан във файла %1 (%2). Тестът продължава.";
constexpr const char* kLogWarningMany =
    "Внимание: %1 отговора не бяха записани във файла %2 (%3). Тестът продължава.";

// Local time with its offset from UTC, so rows from different computers line up.
std::string localIsoTime() {
    const QDateTime now = QDateTime::currentDateTime();
    return now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODate).toStdString();
}

} // namespace

Classroom::Classroom(const QuizModel& model, QWidget& window, std::uint32_t seed,
                     std::unique_ptr<ResultsLog> log, QString logPath)
    : model_(model), window_(window), seed_(seed), log_(std::move(log)),
      logPath_(std::move(logPath)) {}

Classroom::~Classroom() = default;

StatisticsWindow* Classroom::statisticsWindow() {
    if (!statistics_) {
        // A child of the quiz window: it stays with it and closes with it.
        statistics_ = new StatisticsWindow(model_.numberStyle(), &window_);
        statistics_->showSource(seed_, logPath_);
        refresh();
    }
    return statistics_;
}

void Classroom::recordAnswer(int Index) {
    const Turn& turn = model_.turn();
    score_.record(turn.CurrencyNo, Index == turn.RealSide);
    if (log_) {
        writeLogRow(Index);
    }
    refresh();
}

void Classroom::writeLogRow(int Index) {
    const QuizModel& model = model_;
    const ResultRow row{.time = localIsoTime(),
                        .seed = seed_,
                        .turn = model.turnNumber(),
                        .currencyNo = model.turn().CurrencyNo,
                        .realSide = model.turn().RealSide,
                        .chosenSide = Index,
                        .spread = model.turn().Spread};
    if (log_->append(row)) {
        return;
    }
    // The quiz goes on; the teacher must see that answers are being lost.
    ++unloggedAnswers_;
    const QString reason = QString::fromStdString(log_->lastError());
    logWarning_ = unloggedAnswers_ == 1
                      ? QString::fromUtf8(kLogWarningOne).arg(logPath_, reason)
                      : QString::fromUtf8(kLogWarningMany)
                            .arg(QString::number(unloggedAnswers_), logPath_, reason);
    if (unloggedAnswers_ == 1) {
        statisticsWindow()->show(); // shown, but the quiz keeps the keyboard
    }
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
    const QuizModel& model = model_;
    statistics_->showScore(score_);
    statistics_->showTurn(model.turn(), model.turnNumber(), model.answered());
    statistics_->showLogWarning(logWarning_);
}

} // namespace quiz
