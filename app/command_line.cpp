#include "app/command_line.h"

#include "core/random/seed_text.h"
#include "core/turns/level.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <limits>

namespace quiz {

namespace {

constexpr auto kSeedLimit = std::numeric_limits<std::uint32_t>::max();

// Translated when asked for, once a translator may have been installed.
QString description() {
    return QCoreApplication::translate(
        "quiz",
        "A quiz for an informatics lesson: which of two lists is a real exchange-rate series?\n"
        "Qt's own options, such as -platform and -style, are accepted as well.");
}

CommandLine textOnly(CommandLine::Action action, QString text) {
    CommandLine line;
    line.action = action;
    line.text = std::move(text);
    return line;
}

// One line, even for an argument that holds a line break.
CommandLine refuse(const QString& reason) {
    return textOnly(CommandLine::Action::Refuse,
                    QCoreApplication::applicationName() + QStringLiteral(": ") + oneLine(reason));
}

} // namespace

QString oneLine(QString text) {
    static const QRegularExpression controls(QStringLiteral("[\\x00-\\x1f]"));
    return text.replace(controls, QStringLiteral("?"));
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    // Qt's options are single-dash words (-platform), so ours read the same way: -seed 5.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("quiz", "Show this help and end."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")},
        QCoreApplication::translate("quiz", "Show the version and end."));
    const QCommandLineOption seed(
        QStringLiteral("seed"),
        QCoreApplication::translate(
            "quiz", "Draw the turns from seed N (0 to %1) instead of the clock, so every "
                    "computer shows the same turns.")
            .arg(kSeedLimit),
        QStringLiteral("N"));
    const QCommandLineOption level(
        QStringLiteral("level"),
        QCoreApplication::translate(
            "quiz", "Difficulty 0 to %1: how the made-up list is made. 0, the default, is "
                    "noise in a band; 1 a random walk; 2 the real day-to-day changes "
                    "shuffled; 3 a surrogate of them with the same spectrum; 4 the real "
                    "changes replayed from another day.")
                .arg(kLevelCount - 1) +
            u' ' +
            QCoreApplication::translate(
                "quiz", "auto: each pupil's own, from level 1 one level harder after three "
                        "right answers in a row and one easier after a wrong one."),
        QStringLiteral("N|auto"));
    const QCommandLineOption data(
        QStringLiteral("data"),
        QCoreApplication::translate(
            "quiz", "Where the real lists come from: catalogue (the default: six stored "
                    "series), ecb (the built-in euro reference rates of the European Central "
                    "Bank, 1999-2025, units of each currency for 1 euro; Source: ECB) or a "
                    "FILE of dates and daily rates, as the ECB publishes it or as a "
                    "spreadsheet saves it."),
        QStringLiteral("catalogue|ecb|FILE"));
    const QCommandLineOption log(
        QStringLiteral("log"),
        QCoreApplication::translate("quiz", "Append one CSV row per answered turn to FILE."),
        QStringLiteral("FILE"));
    const QCommandLineOption classDir(
        QStringLiteral("class-dir"),
        QCoreApplication::translate(
            "quiz", "Write this run's answers to a new file of its own in the class folder "
                    "DIR (a shared folder), named from the pupil, the computer and the time, "
                    "and follow the lesson the teacher sets there."),
        QStringLiteral("DIR"));
    const QCommandLineOption pupil(
        QStringLiteral("pupil"),
        QCoreApplication::translate("quiz", "The pupil's name for the results (default: "
                                            "the login name)."),
        QStringLiteral("NAME"));
    const QCommandLineOption teacher(
        QStringLiteral("teacher"),
        QCoreApplication::translate(
            "quiz", "Open the teacher's view of the class folder DIR instead of the quiz: "
                    "every pupil's results, followed live."),
        QStringLiteral("DIR"));
    parser.addOptions({help, version, seed, level, data, log, classDir, pupil, teacher});

    if (!parser.parse(arguments)) {
        return refuse(parser.errorText() + QCoreApplication::translate("quiz", " See --help."));
    }
    if (parser.isSet(help)) {
        return textOnly(CommandLine::Action::ShowHelp, parser.helpText());
    }
    if (parser.isSet(version)) {
        return textOnly(CommandLine::Action::ShowVersion,
                        QCoreApplication::applicationName() + u' ' +
                            QCoreApplication::applicationVersion() + u'\n');
    }
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty()) {
        return refuse(QCoreApplication::translate("quiz", "unexpected argument \"%1\". See --help.")
                          .arg(extra.first()));
    }

    CommandLine line;
    if (parser.isSet(seed)) {
        line.seed = seedFromText(parser.value(seed).toStdString());
        if (!line.seed) {
            return refuse(QCoreApplication::translate(
                              "quiz", "--seed takes a whole number from 0 to %1, not \"%2\".")
                              .arg(kSeedLimit)
                              .arg(parser.value(seed)));
        }
    }
    if (parser.isSet(level)) {
        const QString value = parser.value(level);
        line.level = levelFromText(value.toStdString());
        if (!line.level) {
            return refuse(QCoreApplication::translate(
                              "quiz", "--level takes a whole number from 0 to %1 or auto, not "
                                      "\"%2\".")
                              .arg(kLevelCount - 1)
                              .arg(value));
        }
    }
    if (parser.isSet(data)) {
        line.data = parser.value(data);
        if (line.data.isEmpty()) {
            return refuse(QCoreApplication::translate(
                "quiz", "--data needs catalogue, ecb or the name of a file."));
        }
    }
    if (parser.isSet(log)) {
        line.logPath = parser.value(log);
        if (line.logPath.isEmpty()) {
            return refuse(QCoreApplication::translate("quiz", "--log needs the name of a file."));
        }
    }
    if (parser.isSet(classDir)) {
        line.classDir = parser.value(classDir);
        if (line.classDir.isEmpty()) {
            return refuse(
                QCoreApplication::translate("quiz", "--class-dir needs the name of a folder."));
        }
        if (!line.logPath.isEmpty()) {
            return refuse(QCoreApplication::translate(
                "quiz", "--log and --class-dir both say where the answers go; "
                        "give one of them."));
        }
    }
    if (parser.isSet(pupil)) {
        line.pupil = parser.value(pupil).trimmed();
        // Line breaks, control and direction marks would garble the teacher's table.
        static const QRegularExpression unprintable(QStringLiteral(
            "[\\x00-\\x1f\\x7f\\x{200e}\\x{200f}\\x{202a}-\\x{202e}\\x{2066}-\\x{2069}]"));
        if (line.pupil.contains(unprintable)) {
            return refuse(QCoreApplication::translate(
                "quiz", "--pupil takes a name of letters, digits and signs, without control "
                        "characters."));
        }
        if (line.pupil.isEmpty()) {
            return refuse(QCoreApplication::translate("quiz", "--pupil needs a name."));
        }
    }
    if (parser.isSet(teacher)) {
        line.teacherDir = parser.value(teacher);
        if (line.teacherDir.isEmpty()) {
            return refuse(
                QCoreApplication::translate("quiz", "--teacher needs the name of a folder."));
        }
        for (const QCommandLineOption* quizOnly : {&seed, &level, &data, &log, &classDir, &pupil}) {
            if (parser.isSet(*quizOnly)) {
                return refuse(QCoreApplication::translate(
                                  "quiz", "--teacher opens the class view, which takes no "
                                          "--%1.")
                                  .arg(quizOnly->names().constFirst()));
            }
        }
    }
    return line;
}

} // namespace quiz
