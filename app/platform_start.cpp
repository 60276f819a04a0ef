#include "app/platform_start.h"

#include <QMessageLogContext>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace quiz {

namespace {

constexpr std::string_view kHint =
    "Start it in a desktop session, or set QT_QPA_PLATFORM=offscreen to run it without a screen.";

std::string cannotOpen(std::string_view program, std::string_view reason) {
    return std::string(program) + ": cannot open the quiz window: " + std::string(reason) + ". " +
           std::string(kHint);
}

struct HeldMessage {
    QtMsgType type;
    QString text;
};

// A message handler is a plain function, so the guard's state is file-wide; there is only
// ever one guard, around the application's construction.
std::string guardedProgram;
std::vector<HeldMessage> heldMessages;
QtMessageHandler previousHandler = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, text});
        return;
    }
    // The first thing Qt complained about names the cause ("could not connect to display");
    // the fatal text after it is generic advice about reinstalling.
    const QString& cause = heldMessages.empty() ? text : heldMessages.front().text;
    QString reason = cause.section(u'\n', 0, 0).trimmed();
    if (reason.endsWith(u'.')) {
        reason.chop(1);
    }
    const std::string line = cannotOpen(guardedProgram, reason.toStdString());
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    // Qt aborts once the handler returns from a fatal message; a failed start is no crash.
    std::_Exit(EXIT_FAILURE);
}

} // namespace

std::string missingDisplayMessage(std::string_view program, int argc, const char* const* argv,
                                  const EnvironmentLookup& environment) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    if (!environment("QT_QPA_PLATFORM").empty()) {
        return {};
    }
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-platform" || argument == "--platform") {
            return {};
        }
    }
    if (!environment("DISPLAY").empty() || !environment("WAYLAND_DISPLAY").empty()) {
        return {};
    }
    return cannotOpen(program, "no display is set (neither DISPLAY nor WAYLAND_DISPLAY)");
#else
    (void)program;
    (void)argc;
    (void)argv;
    (void)environment;
    return {};
#endif
}

PlatformStartGuard::PlatformStartGuard(std::string_view program) {
    guardedProgram = program;
    heldMessages.clear();
    previousHandler = qInstallMessageHandler(holdMessage);
}

PlatformStartGuard::~PlatformStartGuard() {
    release();
}

void PlatformStartGuard::release() {
    if (released_) {
        return;
    }
    released_ = true;
    qInstallMessageHandler(previousHandler);
    const QMessageLogContext noContext;
    for (const HeldMessage& message : std::exchange(heldMessages, {})) {
        qt_message_output(message.type, noContext, message.text);
    }
}

} // namespace quiz
