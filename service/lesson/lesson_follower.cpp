#include "service/lesson/lesson_follower.h"

#include "core/data/data_ids.h"
#include "core/platform/file_ops.h"
#include "core/platform/regular_file.h"
#include "core/quiz/quiz_model.h"
#include "core/random/random_source.h"
#include "core/random/seed_text.h"
#include "core/turns/level.h"
#include "service/lesson/lesson_file.h"
#include "service/system/translations.h"
#include "service/words/file_kind_words.h"
#include "service/words/lesson_words.h"
#include "service/words/level_words.h"
#include "service/words/system_reason_words.h"
#include "service/words/utf8_string.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace quiz {

namespace {

// Said with what the pupil plays with instead: the last good settings, or none at all.
QString fileProblem(const QString& reason, bool keptGood) {
    return utf8("Настройките на урока (%1) не са използвани: %2. %3")
        .arg(QString::fromUtf8(kLessonSettingsFile.data(), kLessonSettingsFile.size()), reason,
             keptGood ? utf8("Играе се с последните добри настройки.")
                      : utf8("Играе се без настройки на урока."));
}

QString dataProblem(const QString& reason) {
    return utf8("Данните на урока не могат да се използват: %1. Играе се с "
                             "досегашните данни.")
        .arg(reason);
}

// A file set again is read again: the teacher may have put new bytes under the same name.
std::string dataKey(const ChosenSetting& data, const std::optional<LessonSettings>& lesson) {
    if (data.origin == SettingOrigin::Lesson && !isBuiltInData(data.value) && lesson) {
        return data.value + '\n' + lesson->writtenAt;
    }
    return data.value;
}

// The lesson's data: built in, or a file that lies in the folder.
std::shared_ptr<const DataSet> lessonData(const QString& folder, const std::string& value,
                                          QString& problem) {
    if (isBuiltInData(value)) {
        return loadData(QString::fromStdString(value), problem, Audience::Window);
    }
    const QString path = lessonDataPath(folder, value, problem);
    return path.isEmpty() ? nullptr : loadData(path, problem, Audience::Window);
}

int levelOf(const ChosenSetting& level) {
    return levelFromText(level.value).value_or(0);
}

QString levelText(int level) {
    return level == kAdaptiveLevel ? adaptiveLevelName() : levelName(level);
}

QString dataText(const DataSet& data) {
    switch (data.kind()) {
    case DataKind::Catalogue:
        return lessonDataName(kCatalogueData);
    case DataKind::Ecb:
        return lessonDataName(kEcbData);
    case DataKind::File:
        break;
    }
    return lessonDataName(
        QFileInfo(QString::fromStdString(data.argument())).fileName().toStdString());
}

} // namespace

LessonFile readLessonFile(const QString& folder) {
    const platform::RegularFile file = readLessonSettingsFile(folder);
    using Outcome = platform::RegularFile::Outcome;
    if (file.outcome == Outcome::Missing) {
        return {};
    }
    if (file.outcome == Outcome::NotRegular) {
        return {std::nullopt, utf8("това ") +
                                  QString::fromStdString(notRegularFile(Wording::Bulgarian))};
    }
    if (file.outcome == Outcome::Failed) {
        return {std::nullopt, QString::fromStdString(bulgarianReason(
                                  file.errorNumber, std::strerror(file.errorNumber)))};
    }
    const LessonRead read = readLessonSettings(file.bytes);
    if (!read.settings) {
        return {std::nullopt, lessonProblemText(read.problem, read.arguments)};
    }
    return {read.settings, QString(), QString::fromStdString(file.owner)};
}

QString lessonDataPath(const QString& folder, const std::string& name, QString& problem) {
    const QString path = QDir(folder).filePath(QString::fromStdString(name));
    const QFileInfo info(path);
    // The name is a plain one, so only a link can lead out of the folder.
    const QString inside = QFileInfo(info.canonicalFilePath()).absolutePath();
    if (!info.exists()) {
        problem = utf8("в папката на класа няма файл „%1“").arg(info.fileName());
    } else if (!info.isFile()) {
        problem = utf8("„%1“ %2").arg(
            info.fileName(), QString::fromStdString(notRegularFile(Wording::Bulgarian)));
    } else if (inside != QFileInfo(folder).canonicalFilePath()) {
        problem =
            utf8("„%1“ не е файл направо в папката на класа").arg(info.fileName());
    } else {
        return path;
    }
    return {};
}

LessonStart startLesson(const QString& folder, const GivenOptions& given) {
    LessonStart start;
    if (!folder.isEmpty()) {
        LessonFile file = readLessonFile(folder);
        start.lesson = std::move(file.settings);
        start.lessonOwner = file.owner;
        start.fileProblem = file.problem.isEmpty() ? QString() : fileProblem(file.problem, false);
    }
    start.choices = lessonChoices(given, start.lesson ? &*start.lesson : nullptr);
    if (start.choices.data.origin == SettingOrigin::Lesson) {
        QString problem;
        start.data = lessonData(folder, start.choices.data.value, problem);
        if (!start.data) {
            start.dataProblem = dataProblem(problem);
        }
    }
    if (!start.data) {
        const std::string own = given.data.empty() ? std::string(kCatalogueData) : given.data;
        start.data = loadData(QString::fromStdString(own), start.dataError, Audience::Console);
    }
    start.level = levelOf(start.choices.level);
    const std::optional<std::uint32_t> seed = seedFromText(start.choices.seed.value);
    start.seed = seed.value_or(SeededRandomSource::seedFromClock());
    return start;
}

LessonFollower::LessonFollower(QString folder, GivenOptions given, const LessonStart& start,
                               const QuizModel& model)
    : folder_(std::move(folder)), given_(std::move(given)), model_(model),
      loader_(Audience::Window), lesson_(start.lesson), owner_(start.lessonOwner),
      applied_(start.choices), appliedDataKey_(dataKey(start.choices.data, start.lesson)),
      fileProblem_(start.fileProblem), dataProblem_(start.dataProblem) {
    connect(&loader_, &DataLoader::loaded, this, [this](std::shared_ptr<const DataSet> data) {
        useData(std::move(data));
        dataProblem_.clear();
        say();
    });
    connect(&loader_, &DataLoader::refused, this, [this](const QString& reason) {
        dataProblem_ = dataProblem(reason);
        lockMenus();
        say();
    });
}

void LessonFollower::begin() {
    emit seedsSealedFor(lesson_ ? lesson_->seedKey : std::string());
    lockMenus();
    say();
}

void LessonFollower::levelChosen() {
    menus_.level = true;
    say();
}

void LessonFollower::dataChosen() {
    if (!settingData_) {
        menus_.data = true;
        say();
    }
}

void LessonFollower::beforeTurn() {
    LessonFile file = readLessonFile(folder_);
    if (file.settings) {
        lesson_ = std::move(file.settings);
        owner_ = file.owner;
        fileProblem_.clear();
    } else if (!file.problem.isEmpty()) {
        fileProblem_ = fileProblem(file.problem, lesson_.has_value());
    } else if (lesson_) {
        fileProblem_ = fileProblem(utf8("файлът вече го няма в папката"), true);
    }
    emit seedsSealedFor(lesson_ ? lesson_->seedKey : std::string());
    apply(lessonChoices(given_, lesson_ ? &*lesson_ : nullptr));
    say();
}

void LessonFollower::apply(const LessonChoices& choices) {
    if (choices.level.origin == SettingOrigin::Lesson) {
        emit levelSet(levelOf(choices.level));
    }
    applyData(choices.data);
    applySeed(choices.seed);
    applied_ = choices;
    lockMenus();
}

void LessonFollower::useData(std::shared_ptr<const DataSet> data) {
    // The quiz says dataChosen for the lesson's data as well, which is no menu's choice.
    settingData_ = true;
    emit dataSet(std::move(data));
    settingData_ = false;
}

// What the lesson sets, the menus leave be; data the lesson names but cannot be read is the
// pupil's to choose again.
void LessonFollower::lockMenus() {
    emit choicesLocked(applied_.level.origin == SettingOrigin::Lesson,
                       applied_.data.origin == SettingOrigin::Lesson && dataProblem_.isEmpty());
}

void LessonFollower::applyData(const ChosenSetting& data) {
    const std::string key = dataKey(data, lesson_);
    if (data.origin != SettingOrigin::Lesson) {
        loader_.cancel(); // a file the lesson no longer names is not used once read
        appliedDataKey_.clear();
        dataProblem_.clear();
        return;
    }
    if (key == appliedDataKey_) {
        return;
    }
    appliedDataKey_ = key;
    QString problem;
    if (isBuiltInData(data.value)) {
        loader_.cancel();
        useData(lessonData(folder_, data.value, problem));
        dataProblem_.clear();
        return;
    }
    // A file is read off the window's thread and used from the turn after it is read.
    if (const QString path = lessonDataPath(folder_, data.value, problem); !path.isEmpty()) {
        loader_.load(path);
        return;
    }
    loader_.cancel();
    dataProblem_ = dataProblem(problem);
    lockMenus();
}

// A class's seed deals the class's turns from the next one on; without it again, the run
// goes on with a stream of its own.
void LessonFollower::applySeed(const ChosenSetting& seed) {
    if (seed == applied_.seed || seed.origin == SettingOrigin::CommandLine) {
        return;
    }
    const std::optional<std::uint32_t> lessonSeed = seedFromText(seed.value);
    const std::uint32_t next = lessonSeed.value_or(SeededRandomSource::seedFromClock());
    emit streamSet(next, lessonSeed ? SeedOrigin::Lesson : SeedOrigin::Own);
}

void LessonFollower::say() {
    LessonChoices shown = withMenuChoices(applied_, menus_);
    if (!dataProblem_.isEmpty() || loader_.busy()) {
        shown.data.origin = SettingOrigin::Default; // the data on screen is still the last
    }
    QStringList warnings;
    for (const QString& problem : {fileProblem_, dataProblem_}) {
        if (!problem.isEmpty()) {
            warnings << problem;
        }
    }
    emit lessonShown(lessonSummary(shown, levelText(model_.chosenLevel()),
                                   dataText(model_.chosenData()), lesson_ ? &*lesson_ : nullptr,
                                   owner_, QString::fromStdString(platform::currentAccount())),
                     warnings.join(u'\n'));
}

} // namespace quiz
