#pragma once

// The statistics window: how this run of the quiz is going, and the answered turn revealed.

#include "core/scoring/scoreboard.h"
#include "core/scoring/staircase.h"
#include "core/text/number_style.h"
#include "core/turns/turn.h"

#include <QWidget>

#include <cstdint>
#include <optional>

class QFormLayout;
class QLabel;
class QTableWidget;

namespace quiz {

class RevealChart;

class StatisticsWindow : public QWidget {
    Q_OBJECT

public:
    // Numbers are written in `style`, as the quiz window writes them.
    explicit StatisticsWindow(NumberStyle style, QWidget* parent = nullptr);

    // What it would like inside its frame; on a smaller screen it opens smaller and scrolls.
    static QSize preferredSize();
    // The narrowest it still reads well at, its lines wrapped, beside the quiz window.
    static int leastWidth();

    // `level` is the one the current turn was dealt at: guessing is judged within one level.
    void showScore(const Scoreboard& score, int level);
    // Once the level adapts to the pupil: the level reached so far, none before it moved.
    void showReachedLevel(const std::optional<ReachedLevel>& reached);
    void hideReachedLevel();
    // The chart shows the turn only once it is answered.
    void showTurn(const Turn& turn, int turnNumber, bool answered);
    // The options that deal the same turns again, as typed after the program's name.
    void showRepeat(std::uint32_t seed, const QString& options);
    // Until the turn is answered, only that they will be shown then; or nothing at all.
    void showRepeatAfterTheAnswer();
    void hideRepeat();
    // Where the answers go; an empty path means nowhere.
    void showLog(const QString& path);
    void showLogWarning(const QString& warning);
    // The lesson's settings and where each came from; `warning` says why a settings file was
    // not used. Empty hides them.
    void showLesson(const QString& settings, const QString& warning);

private:
    QLabel* addFigure(QFormLayout* form, const char* caption, const char* name);

    NumberStyle style_;
    QLabel* answered_ = nullptr;
    QLabel* correct_ = nullptr;
    QLabel* accuracy_ = nullptr;
    QLabel* streaks_ = nullptr;
    QLabel* reachedCaption_ = nullptr;
    QLabel* reached_ = nullptr;
    QLabel* chance_ = nullptr;
    QTableWidget* byLevel_ = nullptr;
    QTableWidget* byCurrency_ = nullptr;
    QLabel* turnHeading_ = nullptr;
    RevealChart* chart_ = nullptr;
    QLabel* explanation_ = nullptr;
    QLabel* seed_ = nullptr;
    QLabel* log_ = nullptr;
    QLabel* logWarning_ = nullptr;
    QLabel* lesson_ = nullptr;
    QLabel* lessonWarning_ = nullptr;
};

} // namespace quiz
