#pragma once

// The quiz window: shows the core's QuizModel, or a lesson's turns from the network, and
// forwards the user's picks and presses to it.

#include "core/data/data_set.h"
#include "core/quiz/quiz_model.h"
#include "core/quiz/quiz_run.h"
#include "core/random/random_source.h"
#include "core/text/number_style.h"
#include "core/turns/level.h"

#include <QWidget>

#include <array>
#include <memory>
#include <string>

class QAction;
class QButtonGroup;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace quiz {

class QuizForm : public QWidget {
    Q_OBJECT

public:
    // Opens on the first turn with the introduction; numbers are written in the given style.
    // Turns come from `data` at `level`, by default the quiz as it was designed.
    QuizForm(std::unique_ptr<RandomSource> random, NumberStyle style,
             std::shared_ptr<const DataSet> data = DataSet::catalogue(), int level = 0,
             QWidget* parent = nullptr);

    const QuizModel& model() const { return model_; }
    // What the window shows: the model's own run, or the lesson joined.
    const QuizRun& run() const { return *run_; }

    // From now on the window shows `remote`'s turns; the local run's level, data and statistics
    // leave the menu, and the turn signals below stay silent, since no local turn is played.
    void joinLesson(std::unique_ptr<QuizRun> remote);
    // The menu offers joining a lesson only where the program answers joinRequested.
    void offerJoining();

    // For the turns from the next one on (a level or kAdaptiveLevel); the menus show the choice.
    void chooseLevel(int level);
    void chooseData(std::shared_ptr<const DataSet> data);
    // The turns from the next one on come from a new stream, numbered from 1 (a class's seed).
    void chooseStream(std::unique_ptr<RandomSource> random, std::uint32_t seed);
    // While the teacher's lesson sets the level or the data, the menu leaves them be.
    void lockChoices(bool level, bool data);

signals:
    void turnRequested();         // Command1 was pressed; the new turn is not drawn yet
    void turnAnswered(int Index); // a pick was judged; the verdict is in the transcript
    void turnStarted();           // Command1 drew a new turn
    void statisticsRequested();   // F2, or the entry in the context menu
    // From the menu, for the turns from the next one on: a level or kAdaptiveLevel.
    void levelChosen(int level);
    // The menu asks for other data: the stored series, the ECB's, or a file (to be chosen).
    void dataRequested(quiz::DataKind kind);
    void dataChosen(); // other data is in use from the next turn on
    void joinRequested(); // the menu asks to join a lesson on the network

private:
    void createMenus();
    QMenu* createLevelMenu();
    QMenu* createDataMenu();
    QMenu* createContextMenu();
    void showContextMenu(const QPoint& globalPosition, bool inText);
    void createControls();
    void orderTabStops();
    void Option1_Click(int Index);
    void Command1_Click();

    void showTurn();
    void showOptions();
    void showTranscript();
    void showChange();

    QuizModel model_;
    std::unique_ptr<QuizRun> run_;
    QuizRun::Lists shownLists_;
    // The controls and their handlers keep the names the window was designed with (Label1,
    // Option1, List1, Command1, Text1; Option1_Click, Command1_Click); the rest is camelCase.
    std::array<QLabel*, 2> Label1{};
    std::array<QRadioButton*, 2> Option1{};
    std::array<QListWidget*, 2> List1{};
    QButtonGroup* optionGroup_ = nullptr;
    QPushButton* Command1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QAction* statisticsAction_ = nullptr;
    QAction* joinAction_ = nullptr;
    std::string shownTranscript_; // what Text1 shows, as the model wrote it
    std::array<QAction*, kLevelCount> levelActions_{};
    QAction* adaptiveAction_ = nullptr;
    std::array<QAction*, 3> dataActions_{}; // by DataKind
    QMenu* levelMenu_ = nullptr;
    QMenu* dataMenu_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    std::array<QAction*, 3> textActions_{}; // Copy, Select All and the line under them
};

} // namespace quiz
