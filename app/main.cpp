// Starts the quiz: one window with a seeded turn, until the user closes it.

#include "core/random_source.h"
#include "core/results_log.h"
#include "window/classroom.h"
#include "window/command_line.h"
#include "window/number_style_from_locale.h"
#include "window/platform_start.h"
#include "window/quiz_form.h"
#include "window/window_icon.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int kBadArguments = 2;

std::string environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

void setIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral(QUIZ_EXECUTABLE));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUIZ_VERSION));
}

// Help and version go to stdout and end well; a refusal is one line on stderr.
int finish(const quiz::CommandLine& line) {
    if (line.action == quiz::CommandLine::Action::Refuse) {
        std::fprintf(stderr, "%s\n", qPrintable(line.text));
        return kBadArguments;
    }
    std::fputs(qPrintable(line.text), stdout);
    return EXIT_SUCCESS;
}

// Without a display only --help and --version can be answered; anything else needs the window.
int withoutDisplay(int argc, char* argv[], const std::string& problem) {
    const QCoreApplication app(argc, argv);
    setIdentity();
    if (const quiz::CommandLine line = quiz::parseCommandLine(QCoreApplication::arguments());
        line.action == quiz::CommandLine::Action::ShowHelp ||
        line.action == quiz::CommandLine::Action::ShowVersion) {
        return finish(line);
    }
    std::fprintf(stderr, "%s\n", problem.c_str());
    return EXIT_FAILURE;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::string problem =
            quiz::missingDisplayMessage(QUIZ_EXECUTABLE, argc, argv, environmentVariable);
        !problem.empty()) {
        return withoutDisplay(argc, argv, problem);
    }
    quiz::PlatformStartGuard guard(QUIZ_EXECUTABLE);
    QApplication app(argc, argv); // takes Qt's own options out of argv
    guard.release();
    setIdentity();

    const quiz::CommandLine line = quiz::parseCommandLine(QCoreApplication::arguments());
    if (line.action != quiz::CommandLine::Action::Run) {
        return finish(line);
    }
    std::unique_ptr<quiz::ResultsLog> log;
    if (!line.logPath.isEmpty()) {
        std::string error;
        log = quiz::ResultsLog::open(QFile::encodeName(line.logPath).toStdString(), error);
        if (!log) {
            std::fprintf(stderr, "%s: cannot write the results log \"%s\": %s\n", QUIZ_EXECUTABLE,
                         qPrintable(line.logPath), error.c_str());
            return kBadArguments;
        }
    }
    QGuiApplication::setDesktopFileName(QStringLiteral(QUIZ_APP_ID));

    const std::uint32_t seed = line.seed.value_or(quiz::SeededRandomSource::seedFromClock());
    quiz::QuizForm form(std::make_unique<quiz::SeededRandomSource>(seed),
                        quiz::numberStyleFrom(QLocale::system()));
    quiz::Classroom classroom(form, seed, std::move(log),
                              QFileInfo(line.logPath).absoluteFilePath());
    quiz::setWindowIconAfterFirstFrame(form, QStringLiteral(QUIZ_WINDOW_ICON));
    form.show();
    return QApplication::exec();
}
