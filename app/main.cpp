// Starts the quiz: one window with a freshly seeded turn, until the user closes it.

#include "core/random_source.h"
#include "window/number_style_from_locale.h"
#include "window/platform_start.h"
#include "window/quiz_form.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
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

QIcon applicationIcon() {
    QIcon icon;
    for (const QFileInfo& size : QDir(QStringLiteral(":/icons")).entryInfoList()) {
        icon.addFile(size.filePath());
    }
    return icon;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::string problem =
            quiz::missingDisplayMessage(QUIZ_EXECUTABLE, argc, argv, environmentVariable);
        !problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return EXIT_FAILURE;
    }
    quiz::PlatformStartGuard guard(QUIZ_EXECUTABLE);
    QApplication app(argc, argv); // takes Qt's own options out of argv
    guard.release();

    QApplication::setApplicationName(QStringLiteral(QUIZ_EXECUTABLE));
    QApplication::setApplicationVersion(QStringLiteral(QUIZ_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUIZ_APP_ID));
    QApplication::setWindowIcon(applicationIcon());

    if (const QStringList extra = QApplication::arguments().mid(1); !extra.isEmpty()) {
        std::fprintf(stderr, "%s: unexpected argument \"%s\": the quiz takes no arguments\n",
                     QUIZ_EXECUTABLE, qPrintable(extra.first()));
        return kBadArguments;
    }

    quiz::QuizForm form(
        std::make_unique<quiz::SeededRandomSource>(quiz::SeededRandomSource::seedFromClock()),
        quiz::numberStyleFrom(QLocale::system()));
    form.show();
    return QApplication::exec();
}
