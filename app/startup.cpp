#include "app/startup.h"

#include "app/console_output.h"
#include "app/lesson_joining.h"
#include "app/number_style_from_locale.h"
#include "app/platform_start.h"
#include "app/teacher_network.h"
#include "app/window_icon.h"
#include "app/window_roles.h"
#include "core/random/random_source.h"
#include "core/results/class_file_name.h"
#include "core/results/result_row.h"
#include "core/results/results_file.h"
#include "core/turns/level.h"
#include "service/system/login_names.h"
#include "service/system/system_path.h"
#include "service/system/translations.h"
#include "service/words/file_kind_words.h"
#include "service/words/system_reason_words.h"
#include "window/quiz/data_menu.h"
#include "window/teacher/teacher_keys.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quiz {

namespace {

constexpr int kBadArguments = 2;

std::string environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

void setIdentity(const ProgramIdentity& identity) {
    QCoreApplication::setApplicationName(QString::fromUtf8(identity.executable));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(identity.version));
}

// What no console or file receives (a Windows program started from a shortcut) is shown in a
// message box, once the application can show one.
void showUnprinted(const QString& text, QMessageBox::Icon icon) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QMessageBox box(icon, QCoreApplication::applicationName(), text.trimmed());
        box.exec();
    }
}

void refuse(const QString& line) {
    if (!printErrorLine(line)) {
        showUnprinted(line, QMessageBox::Critical);
    }
}

// Help and version go to stdout and end well; a refusal is one line on stderr.
int finish(const CommandLine& line) {
    if (line.action == CommandLine::Action::Refuse) {
        refuse(line.text);
        return kBadArguments;
    }
    if (!printOut(line.text)) {
        showUnprinted(line.text, QMessageBox::Information);
    }
    return EXIT_SUCCESS;
}

// Without a display only --help and --version can be answered; anything else needs the window.
int withoutDisplay(int argc, char* argv[], const ProgramIdentity& identity,
                   const std::string& problem) {
    const QCoreApplication app(argc, argv);
    setIdentity(identity);
    installCommandLineTranslations(QLocale::system());
    if (const CommandLine line = parseCommandLine(QCoreApplication::arguments());
        line.action == CommandLine::Action::ShowHelp ||
        line.action == CommandLine::Action::ShowVersion) {
        return finish(line);
    }
    printErrorLine(QString::fromStdString(problem));
    return EXIT_FAILURE;
}

// Why a results file could not be opened, in the language of the program's messages: the
// common system reasons and what stands at the path instead of a file.
QString openErrorReason(const ResultsFile::OpenError& error) {
    const bool bulgarian = messagesAreBulgarian();
    if (error.kind == ResultsFile::OpenError::Kind::NotRegular) {
        return QString::fromStdString(
            notRegularFile(error.fileKind, bulgarian ? Wording::Bulgarian : Wording::English));
    }
    return QString::fromStdString(bulgarian ? bulgarianReason(error.errorNumber, error.text)
                                            : error.text);
}

std::unique_ptr<ResultsFile> openLog(const QString& path, QString& refusal) {
    // Absolute, so the statistics window can say where the rows go.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    ResultsFile::OpenError error;
    auto log = ResultsFile::open(systemPath(absolute), csvHeader(),
                                 ResultsFile::Mode::Append, error);
    if (log) {
        return log;
    }
    const QString program = QCoreApplication::applicationName();
    if (error.kind == ResultsFile::OpenError::Kind::OtherHeader) {
        refusal = QCoreApplication::translate(
                      "quiz", "%1: \"%2\" holds rows of another shape and is left as it is; "
                              "give a new file, such as \"%3\".")
                      .arg(program, path, QString::fromStdString(error.suggestedPath));
    } else {
        refusal = QCoreApplication::translate("quiz", "%1: cannot write the results log \"%2\": %3")
                      .arg(program, path, openErrorReason(error));
    }
    return nullptr;
}

// A new file of this run's own in the class folder. Two runs of one pupil on one computer in
// the same second get two names, never one file.
std::unique_ptr<ResultsFile> openClassFile(const QString& folder, const std::string& pupil,
                                           const std::string& host, QString& refusal) {
    const QFileInfo info(folder);
    const QString program = QCoreApplication::applicationName();
    if (!info.isDir()) {
        refusal = QCoreApplication::translate(
                      "quiz", "%1: the class folder \"%2\" does not exist or is not a folder.")
                      .arg(program, folder);
        return nullptr;
    }
    const std::string name = classFileName(pupil, host, QDateTime::currentSecsSinceEpoch());
    std::string path =
        systemPath(QDir(info.absoluteFilePath()).filePath(QString::fromStdString(name)));
    ResultsFile::OpenError error;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (auto file = ResultsFile::open(path, csvHeader(), ResultsFile::Mode::CreateNew, error)) {
            return file;
        }
        if (error.suggestedPath.empty()) {
            break;
        }
        path = error.suggestedPath;
    }
    refusal = QCoreApplication::translate("quiz", "%1: cannot write in the class folder \"%2\": %3")
                  .arg(program, folder, openErrorReason(error));
    return nullptr;
}

// Answers that wait for their file are kept in the user's own data folder too; none where it
// cannot be made.
void spoolAnswers(ResultsTarget& results) {
    results.spoolFolder = answerSpoolFolder(QStringLiteral("spool"));
    if (!results.spoolFolder.empty()) {
        results.spool = AnswerSpool::open(results.spoolFolder, results.file->path());
    }
}

// What the lesson sets reaches the quiz and the classroom; the quiz's turns and menus reach the
// lesson.
void followLesson(LessonFollower& lesson, QuizForm& form, Classroom& classroom) {
    QObject::connect(&lesson, &LessonFollower::levelSet, &form, &QuizForm::chooseLevel);
    QObject::connect(&lesson, &LessonFollower::dataSet, &form, &QuizForm::chooseData);
    QObject::connect(&lesson, &LessonFollower::streamSet, &form,
                     [&form, &classroom](std::uint32_t seed, SeedOrigin origin) {
                         classroom.followStream(origin);
                         form.chooseStream(std::make_unique<SeededRandomSource>(seed), seed);
                     });
    QObject::connect(&lesson, &LessonFollower::choicesLocked, &form, &QuizForm::lockChoices);
    QObject::connect(&lesson, &LessonFollower::seedsSealedFor, &classroom,
                     &Classroom::sealSeedsFor);
    QObject::connect(&lesson, &LessonFollower::lessonShown, &classroom, &Classroom::showLesson);
    QObject::connect(&form, &QuizForm::turnRequested, &lesson, &LessonFollower::beforeTurn);
    QObject::connect(&form, &QuizForm::levelChosen, &lesson, &LessonFollower::levelChosen);
    QObject::connect(&form, &QuizForm::dataChosen, &lesson, &LessonFollower::dataChosen);
    lesson.begin();
}

// The options the command line gave, as typed, for the lesson to leave be.
GivenOptions givenOptions(const CommandLine& line) {
    GivenOptions given;
    if (line.level) {
        given.level = *line.level == kAdaptiveLevel ? "auto" : std::to_string(*line.level);
    }
    given.data = line.data.toStdString();
    if (line.seed) {
        given.seed = std::to_string(*line.seed);
    }
    return given;
}

} // namespace

std::unique_ptr<QuizSession> startQuiz(const CommandLine& line, const QLocale& locale,
                                       QString& refusal) {
    const GivenOptions given = givenOptions(line);
    const LessonStart start = startLesson(line.classDir, given);
    if (!start.data) {
        refusal =
            QCoreApplication::applicationName() + QStringLiteral(": ") + oneLine(start.dataError);
        return nullptr;
    }
    ResultsTarget results{.file = nullptr,
                          .pupil = line.pupil.isEmpty() ? loginName() : line.pupil.toStdString(),
                          .host = hostName()};
    if (!line.logPath.isEmpty()) {
        results.file = openLog(line.logPath, refusal);
    } else if (!line.classDir.isEmpty()) {
        results.file = openClassFile(line.classDir, results.pupil, results.host, refusal);
        results.classFolder = true;
        const SettingOrigin origin = start.choices.seed.origin;
        results.seedOrigin = origin == SettingOrigin::CommandLine ? SeedOrigin::CommandLine
                             : origin == SettingOrigin::Lesson    ? SeedOrigin::Lesson
                                                                  : SeedOrigin::Own;
    }
    if (!refusal.isEmpty()) {
        return nullptr;
    }
    if (results.file) {
        spoolAnswers(results);
    }
    auto session = std::make_unique<QuizSession>();
    session->form = std::make_unique<QuizForm>(std::make_unique<SeededRandomSource>(start.seed),
                                               numberStyleFrom(locale), start.data, start.level);
    new DataMenu(*session->form); // the form's own
    session->classroom = attachClassroom(*session->form, start.seed, std::move(results));
    if (!line.classDir.isEmpty()) {
        session->lesson =
            std::make_unique<LessonFollower>(line.classDir, given, start, session->form->model());
        followLesson(*session->lesson, *session->form, *session->classroom);
    } else {
        offerJoining(*session->form, line, numberStyleFrom(locale));
    }
    return session;
}

std::unique_ptr<TeacherWindow> startTeacher(const CommandLine& line, const QLocale& locale,
                                            QString& refusal) {
    if (!QFileInfo(line.teacherDir).isDir()) {
        refusal = QCoreApplication::translate(
                      "quiz", "%1: the class folder \"%2\" does not exist or is not a folder.")
                      .arg(QCoreApplication::applicationName(), line.teacherDir);
        return nullptr;
    }
    // Who set the lesson, as the pupils' statistics windows and other teachers' views say it.
    const QString author = QStringLiteral("%1 (%2)").arg(QString::fromStdString(loginName()),
                                                          QString::fromStdString(hostName()));
    // The key pair lives in this account's own settings; a view without one still opens, and
    // its lesson panel says that no seed will be written.
    TeacherKeys keys = loadTeacherKeys();
    if (!keys.problem.isEmpty()) {
        printErrorLine(QCoreApplication::applicationName() + QStringLiteral(": ") + keys.problem);
    }
    return std::make_unique<TeacherWindow>(QFileInfo(line.teacherDir).absoluteFilePath(),
                                           numberStyleFrom(locale), author, std::move(keys.keys));
}

namespace {

// The teacher's view, with its lesson on the network; with --serve already serving.
int runTeacher(const CommandLine& line, QString& refusal) {
    const std::unique_ptr<TeacherNetwork> network = makeTeacherNetwork(line);
    const std::unique_ptr<TeacherWindow> teacher = startTeacher(line, QLocale::system(), refusal);
    // Hosting is refused before any window shows.
    if (!teacher || !network->serveAsAsked(line, refusal)) {
        refuse(oneLine(refusal));
        return kBadArguments;
    }
    network->attach(*teacher);
    teacher->show();
    network->announceServing();
    return QApplication::exec();
}

} // namespace

int runQuiz(int argc, char* argv[], const ProgramIdentity& identity) {
    attachToParentConsole();
#ifdef SIGPIPE
    // A reader that goes away is a failed write, reported like a full disk, never the end.
    std::signal(SIGPIPE, SIG_IGN);
#endif
#ifdef SIGXFSZ
    // So is a file grown to the size a login's limit allows: killed mid-row, a file keeps half.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    if (const std::string problem =
            missingDisplayMessage(identity.executable, argc, argv, environmentVariable);
        !problem.empty()) {
        return withoutDisplay(argc, argv, identity, problem);
    }
    PlatformStartGuard guard(identity.executable);
    QApplication app(argc, argv); // takes Qt's own options out of argv
    guard.release();
    setIdentity(identity);
    installCommandLineTranslations(QLocale::system());

    const CommandLine line = parseCommandLine(QCoreApplication::arguments());
    if (line.action != CommandLine::Action::Run) {
        return finish(line);
    }
    if (const QString absent = networkLessonRefusal(line); !absent.isEmpty()) {
        refuse(absent);
        return kBadArguments;
    }
    installWindowTranslations();
    reportWindowRoles();
    QString refusal;
    QGuiApplication::setDesktopFileName(QString::fromUtf8(identity.appId));
    if (!line.teacherDir.isEmpty()) {
        return runTeacher(line, refusal);
    }
    const std::unique_ptr<QuizSession> session = startQuiz(line, QLocale::system(), refusal);
    if (!session) {
        refuse(oneLine(refusal));
        return kBadArguments;
    }
    setWindowIconAfterFirstFrame(*session->form, QString::fromUtf8(identity.windowIcon));
    session->form->show();
    return QApplication::exec();
}

} // namespace quiz
