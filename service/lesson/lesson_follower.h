#pragma once

// A pupil's run in a class folder follows the teacher's lesson: the settings file read at
// start and before each new turn, each change applied from the next turn, and the command
// line's options winning over the folder's. The quiz and the classroom hear of it by signals.

#include "core/data/data_set.h"
#include "core/lesson/lesson_choices.h"
#include "core/lesson/lesson_settings.h"
#include "core/seal/sealed_seed.h"
#include "service/data/data_choice.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

namespace quiz {

class QuizModel;

// The settings file as a pupil's program finds it. `problem` says why it is not used, in one
// Bulgarian line; a folder without one has neither settings nor a problem.
struct LessonFile {
    std::optional<LessonSettings> settings;
    QString problem;
    QString owner{}; // the account that owns the file, where the system tells
};
LessonFile readLessonFile(const QString& folder);

// The path of the lesson's data file `name` in `folder`, or empty with `problem` set when it
// is no regular file there (a link out of the folder, a pipe, a folder).
QString lessonDataPath(const QString& folder, const std::string& name, QString& problem);

// What a run starts with: the choices, the data read for them, and what was wrong, if anything.
struct LessonStart {
    LessonChoices choices;
    std::shared_ptr<const DataSet> data; // null: the command line's data could not be read
    int level = 0;
    std::uint32_t seed = 0;
    std::optional<LessonSettings> lesson;
    QString lessonOwner; // the account that owns the settings file, where the system tells
    QString fileProblem; // why the folder's settings are not used
    QString dataProblem; // why the data they name is not used: the run starts without it
    QString dataError;   // why the command line's own data could not be read
};
LessonStart startLesson(const QString& folder, const GivenOptions& given);

class LessonFollower : public QObject {
    Q_OBJECT

public:
    // Follows the folder from `start`; what is in use it reads from `model`, the quiz's, which
    // must outlive it. Nothing is signalled before begin().
    LessonFollower(QString folder, GivenOptions given, const LessonStart& start,
                   const QuizModel& model);

    // Tells what the lesson sets at the start, once the signals are connected.
    void begin();
    // Reads the settings again and applies what changed from the next turn on: before each
    // turn the quiz asks for.
    void beforeTurn();
    // The pupil chose a level from the menu.
    void levelChosen();
    // Other data is in use, by the menu or by the lesson.
    void dataChosen();

signals:
    // For the turns from the next one on.
    void levelSet(int level);
    void dataSet(std::shared_ptr<const quiz::DataSet> data);
    // A new stream of turns from `seed`: the class's, or the run's own again.
    void streamSet(std::uint32_t seed, quiz::SeedOrigin origin);
    // Which of the menus the lesson sets, so that they leave the choice be.
    void choicesLocked(bool level, bool data);
    // The teacher's public key the run's seeds are sealed with; empty for none.
    void seedsSealedFor(const std::string& publicKey);
    // What the statistics window says of the settings in use, and what is wrong with them.
    void lessonShown(const QString& settings, const QString& warnings);

private:
    void apply(const LessonChoices& choices);
    void applyData(const ChosenSetting& data);
    void applySeed(const ChosenSetting& seed);
    void lockMenus();
    void useData(std::shared_ptr<const DataSet> data);
    void say();

    QString folder_;
    GivenOptions given_;
    const QuizModel& model_;
    DataLoader loader_;
    std::optional<LessonSettings> lesson_; // the last good settings
    QString owner_;                        // the account that owns the file they came from
    LessonChoices applied_;
    MenuChoices menus_;
    bool settingData_ = false;   // the data in use changes by the lesson, not by the menu
    std::string appliedDataKey_; // the data value, and for a file when it was set
    QString fileProblem_;
    QString dataProblem_; // the lesson's data could not be read: the last data stays
};

} // namespace quiz
