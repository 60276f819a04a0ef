#pragma once

// The quiz window: shows the core's QuizModel and forwards the user's picks and presses to it.

#include "core/number_style.h"
#include "core/quiz_model.h"
#include "core/random_source.h"

#include <QWidget>

#include <array>
#include <memory>

class QAction;
class QButtonGroup;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace quiz {

class QuizForm : public QWidget {
    Q_OBJECT

public:
    // Opens on the first turn with the introduction; numbers are written in the given style.
    QuizForm(std::unique_ptr<RandomSource> random, NumberStyle style, QWidget* parent = nullptr);

    const QuizModel& model() const { return model_; }

signals:
    void turnAnswered(int Index); // a pick was judged; the verdict is in the transcript
    void turnStarted();           // Command1 drew a new turn
    void statisticsRequested();   // F2, or the entry in the context menu

private:
    void createStatisticsAction();
    void showTextMenu(const QPoint& position);
    void createControls();
    void orderTabStops();
    void Option1_Click(int Index);
    void Command1_Click();

    void showTurn();
    void showOptions();
    void showTranscript();

    QuizModel model_;
    std::array<QLabel*, 2> Label1{};
    std::array<QRadioButton*, 2> Option1{};
    std::array<QListWidget*, 2> List1{};
    QButtonGroup* optionGroup_ = nullptr;
    QPushButton* Command1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QAction* statisticsAction_ = nullptr;
};

} // namespace quiz
