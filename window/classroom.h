#pragma once

// The classroom layer over a quiz window: keeps the score, writes the results log and
// keeps the statistics window up to date.

#include "core/results_log.h"
#include "core/scoreboard.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

namespace quiz {

class QuizForm;
class StatisticsWindow;

class Classroom : public QObject {
    Q_OBJECT

public:
    // `seed` is the one the form's random source was built from; without a log nothing is
    // written anywhere. Must not outlive the form.
    Classroom(QuizForm& form, std::uint32_t seed, std::unique_ptr<ResultsLog> log = nullptr,
              QString logPath = {});
    ~Classroom() override;

    const Scoreboard& score() const { return score_; }
    // Made on first use, so a run that never opens it pays nothing for it.
    StatisticsWindow* statisticsWindow();

private:
    void recordAnswer(int Index);
    void writeLogRow(int Index);
    void openStatistics();
    void refresh();

    QuizForm& form_;
    std::uint32_t seed_;
    std::unique_ptr<ResultsLog> log_;
    QString logPath_;
    Scoreboard score_;
    int unloggedAnswers_ = 0;
    QString logWarning_;
    QPointer<StatisticsWindow> statistics_;
};

} // namespace quiz
