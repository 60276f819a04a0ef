#pragma once

// A pupil's run in a class folder follows the teacher's lesson: the settings file read at
// start and before each new turn, each change applied from the next turn, and the command
// line's options winning over the folder's.

#include "core/data/data_set.h"
#include "core/lesson/lesson_choices.h"
#include "core/lesson/lesson_settings.h"
#include "service/data/data_choice.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

namespace quiz {

class Classroom;
class QuizForm;

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
    // Follows the folder from `start`, before each turn `form` asks for; says what is in use
    // through `classroom`. Must not outlive either.
    LessonFollower(QString folder, GivenOptions given, const LessonStart& start, QuizForm& form,
                   Classroom& classroom);

    // Reads the settings again and applies what changed from the next turn on.
    void beforeTurn();

private:
    void apply(const LessonChoices& choices);
    void applyData(const ChosenSetting& data);
    void applySeed(const ChosenSetting& seed);
    void lockMenus();
    void useData(std::shared_ptr<const DataSet> data);
    void say();

    QString folder_;
    GivenOptions given_;
    QuizForm& form_;
    Classroom& classroom_;
    DataLoader loader_;
    std::optional<LessonSettings> lesson_; // the last good settings
    QString owner_;                        // the account that owns the file they came from
    LessonChoices applied_;
    MenuChoices menus_;
    bool settingData_ = false; // the data in use changes by the lesson, not by the menu
    std::string appliedDataKey_; // the data value, and for a file when it was set
    QString fileProblem_;
    QString dataProblem_; // the lesson's data could not be read: the last data stays
};

} // namespace quiz
