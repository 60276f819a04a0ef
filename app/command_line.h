#pragma once

// The program's own options: the quiz's (--seed, --level, --data), where results go (--log,
// --class-dir, --pupil), a lesson on the network (--join, --code), the teacher's view (--teacher,
// --serve, --any-network), and --help and --version.

#include <QString>
#include <QStringList>
#include <QUrl>

#include <cstdint>
#include <optional>

namespace quiz {

struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };

    Action action = Action::Run;
    std::optional<std::uint32_t> seed; // none: seed from the clock
    QString logPath;                   // empty: write no log
    QString classDir;                  // empty: no class folder; else a new file there for this run
    QString pupil;                     // empty: the login name
    QString teacherDir; // set: open the class view of this folder instead of the quiz
    // Set beside --teacher: host the lesson on the network, listening there (empty: every
    // address of this computer; port 0: any free one).
    std::optional<quint16> servePort;
    QString serveAddress;
    bool anyNetwork = false; // the lesson also answers peers beyond the local network
    // Difficulty, 0 to kLevelCount - 1, or kAdaptiveLevel; none: the lesson's, else 0.
    std::optional<int> level;
    QString data; // "catalogue", "ecb", or a file of rates; empty: the lesson's, else catalogue
    QUrl joinAddress; // set: play the turns of the lesson hosted there
    QString joinCode; // empty: asked for when joining
    // For ShowHelp and ShowVersion the text to print; for Refuse the one line saying why.
    QString text;
};

// `arguments` as QCoreApplication::arguments() gives them, the program first and Qt's own
// options already taken out. Needs a QCoreApplication, whose name and version it prints.
CommandLine parseCommandLine(const QStringList& arguments);

// A message stays one line whatever an argument or a file's name holds: control characters
// (a line break in a path) become "?".
QString oneLine(QString text);

} // namespace quiz
