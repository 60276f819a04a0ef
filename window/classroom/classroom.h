#pragma once

// The classroom layer over a quiz: keeps the score, writes the results file and keeps the
// statistics window up to date.

#include "core/quiz/quiz_model.h"
#include "core/results/answer_spool.h"
#include "core/results/results_file.h"
#include "core/results/results_notices.h"
#include "core/results/run_stamp.h"
#include "core/scoring/scoreboard.h"
#include "core/scoring/staircase.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace quiz {

class StatisticsWindow;

// Where the answers go and whose they are.
struct ResultsTarget {
    std::unique_ptr<ResultsFile> file; // none: nothing is written anywhere
    std::string pupil;                 // a name given, or the login name
    std::string host;                  // the computer's name
    // The answers go to a class folder: the pupil never sees the seed, in the window or in the
    // file, lest a second copy of the quiz with it tell the answers; the file holds it sealed
    // for the teacher.
    bool classFolder = false;
    SeedOrigin seedOrigin = SeedOrigin::Own; // of the seed the run starts with
    // Rows that wait for the file are kept here too, on this computer (none: only in memory);
    // and spools other runs left in `spoolFolder` are delivered while this one runs.
    std::unique_ptr<AnswerSpool> spool = nullptr;
    std::string spoolFolder{};
};

class Classroom : public QObject {
    Q_OBJECT

public:
    // Follows `model`, whose random source was built from `seed`; the statistics window is a
    // child of `window`, the quiz's own. Must not outlive the model or the window.
    Classroom(const QuizModel& model, QWidget& window, std::uint32_t seed,
              ResultsTarget results = {});
    ~Classroom() override;

    const Scoreboard& score() const { return score_; }
    // Made on first use, so a run that never opens it pays nothing for it.
    StatisticsWindow* statisticsWindow();
    // What the statistics window says of the lesson's settings (see StatisticsWindow).
    void showLesson(const QString& settings, const QString& warning);
    // The teacher's public key from the lesson's settings; empty: no seed is written at all.
    void sealSeedsFor(const std::string& publicKey);
    // Where the seed of the stream chosen for the next turns comes from.
    void followStream(SeedOrigin origin);

public slots:
    // The pick of option Index has been judged.
    void recordAnswer(int Index);
    // A new turn has been drawn, or the level or data for the next one chosen.
    void refresh();
    void openStatistics();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void writeResultRow(int Index);
    void takeOutcome(const WriteOutcome& outcome);
    void retryKeptRows();
    void keepInSpool(const WriteOutcome& outcome, std::string_view newRow);
    bool spooledAll() const;
    void deliverLeftSpools();
    void retryWhileSomeWait();
    QString spoolFolderName() const;
    bool confirmClosing(std::size_t waiting);
    std::uint32_t turnSeed() const; // of the stream that dealt the turn on screen
    QString repeatOptions() const;
    void placeBesideTheQuiz();

    const QuizModel& model_;
    QWidget& window_;
    std::uint32_t seed_;
    ResultsTarget results_;
    Scoreboard score_;
    // The answers to turns a staircase dealt, named as the rows name them, so that this window
    // and the teacher's reach the same level from them.
    std::vector<LevelAnswer> staircaseAnswers_;
    ResultsNotices notices_;
    bool spoolLacksRows_ = false; // a row was given up or not spooled: the spool stays for later
    SpoolDelivery left_;          // what the spools of earlier runs came to
    QTimer retry_;
    QPointer<StatisticsWindow> statistics_;
    QString lessonSettings_;
    QString lessonWarning_;
    RunStamp stamp_;
    std::string seedKey_;
    SeedOrigin origin_;
};

} // namespace quiz
