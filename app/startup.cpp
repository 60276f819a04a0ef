#include "app/startup.h"

#include "app/number_style_from_locale.h"
#include "app/platform_start.h"
#include "app/window_icon.h"
#include "core/random_source.h"
#include "core/results_log.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

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

// Help and version go to stdout and end well; a refusal is one line on stderr.
int finish(const CommandLine& line) {
    if (line.action == CommandLine::Action::Refuse) {
        std::fprintf(stderr, "%s\n", qPrintable(line.text));
        return kBadArguments;
    }
    std::fputs(qPrintable(line.text), stdout);
    return EXIT_SUCCESS;
}

// Without a display only --help and --version can be answered; anything else needs the window.
int withoutDisplay(int argc, char* argv[], const ProgramIdentity& identity,
                   const std::string& problem) {
    const QCoreApplication app(argc, argv);
    setIdentity(identity);
    if (const CommandLine line = parseCommandLine(QCoreApplication::arguments());
        line.action == CommandLine::Action::ShowHelp ||
        line.action == CommandLine::Action::ShowVersion) {
        return finish(line);
    }
    std::fprintf(stderr, "%s\n", problem.c_str());
    return EXIT_FAILURE;
}

std::unique_ptr<ResultsLog> openLog(const QString& path, QString& refusal) {
    std::string error;
    auto log = ResultsLog::open(QFile::encodeName(path).toStdString(), error);
    if (!log) {
        refusal =
            QStringLiteral("%1: cannot write the results log \"%2\": %3")
                .arg(QCoreApplication::applicationName(), path, QString::fromStdString(error));
    }
    return log;
}

} // namespace

std::unique_ptr<Classroom> attachClassroom(QuizForm& form, std::uint32_t seed,
                                           std::unique_ptr<ResultsLog> log, QString logPath) {
    auto classroom =
        std::make_unique<Classroom>(form.model(), form, seed, std::move(log), std::move(logPath));
    QObject::connect(&form, &QuizForm::turnAnswered, classroom.get(), &Classroom::recordAnswer);
    QObject::connect(&form, &QuizForm::turnStarted, classroom.get(), &Classroom::refresh);
    QObject::connect(&form, &QuizForm::statisticsRequested, classroom.get(),
                     &Classroom::openStatistics);
    return classroom;
}

std::unique_ptr<QuizSession> startQuiz(const CommandLine& line, const QLocale& locale,
                                       QString& refusal) {
    std::unique_ptr<ResultsLog> log;
    if (!line.logPath.isEmpty() && !(log = openLog(line.logPath, refusal))) {
        return nullptr;
    }
    const std::uint32_t seed = line.seed.value_or(SeededRandomSource::seedFromClock());
    auto session = std::make_unique<QuizSession>();
    session->form = std::make_unique<QuizForm>(std::make_unique<SeededRandomSource>(seed),
                                               numberStyleFrom(locale));
    session->classroom = attachClassroom(
        *session->form, seed, std::move(log),
        line.logPath.isEmpty() ? QString() : QFileInfo(line.logPath).absoluteFilePath());
    return session;
}

int runQuiz(int argc, char* argv[], const ProgramIdentity& identity) {
    if (const std::string problem =
            missingDisplayMessage(identity.executable, argc, argv, environmentVariable);
        !problem.empty()) {
        return withoutDisplay(argc, argv, identity, problem);
    }
    PlatformStartGuard guard(identity.executable);
    QApplication app(argc, argv); // takes Qt's own options out of argv
    guard.release();
    setIdentity(identity);

    const CommandLine line = parseCommandLine(QCoreApplication::arguments());
    if (line.action != CommandLine::Action::Run) {
        return finish(line);
    }
    QString refusal;
    const std::unique_ptr<QuizSession> session = startQuiz(line, QLocale::system(), refusal);
    if (!session) {
        std::fprintf(stderr, "%s\n", qPrintable(refusal));
        return kBadArguments;
    }
    QGuiApplication::setDesktopFileName(QString::fromUtf8(identity.appId));
    setWindowIconAfterFirstFrame(*session->form, QString::fromUtf8(identity.windowIcon));
    session->form->show();
    return QApplication::exec();
}

} // namespace quiz
