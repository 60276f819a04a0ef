#pragma once

// The classroom layer over a quiz: keeps the score, writes the results log and keeps the
// statistics window up to date.

#include "core/quiz_model.h"
#include "core/results_log.h"
#include "core/scoreboard.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

class QWidget;

namespace quiz {

class StatisticsWindow;

class Classroom : public QObject {
    Q_OBJECT

public:
    // Follows `model`, whose random source was built from `seed`; the statistics window is a
    // child of `window`, the quiz's own. Without a log nothing is written anywhere. Must not
    // outlive the model or the window.
    Classroom(const QuizModel& model, QWidget& window, std::uint32_t seed,
              std::unique_ptr<ResultsLog> log = nullptr, QString logPath = {});
    ~Classroom() override;

    const Scoreboard& score() const { return score_; }
    // Made on first use, so a run that never opens it pays nothing for it.
    StatisticsWindow* statisticsWindow();

public slots:
    // The pick of option Index has been judged.
    void recordAnswer(int Index);
    // A new turn has been drawn.
    void refresh();
    void openStatistics();

private:
    void writeLogRow(int Index);

    const QuizModel& model_;
    QWidget& window_;
    std::uint32_t seed_;
    std::unique_ptr<ResultsLog> log_;
    QString logPath_;
    Scoreboard score_;
    int unloggedAnswers_ = 0;
    QString logWarning_;
    QPointer<StatisticsWindow> statistics_;
};

} // namespace quiz
