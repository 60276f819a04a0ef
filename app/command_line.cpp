#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <limits>

namespace quiz {

namespace {

constexpr auto kSeedLimit = std::numeric_limits<std::uint32_t>::max();

const QString kDescription = QStringLiteral(
    "A quiz for an informatics lesson: which of two lists is a real exchange-rate series?\n"
    "Qt's own options, such as -platform and -style, are accepted as well.");

CommandLine textOnly(CommandLine::Action action, QString text) {
    CommandLine line;
    line.action = action;
    line.text = std::move(text);
    return line;
}

// One line, even for an argument that holds a line break.
CommandLine refuse(QString reason) {
    static const QRegularExpression controls(QStringLiteral("[\\x00-\\x1f]"));
    reason.replace(controls, QStringLiteral("?"));
    return textOnly(CommandLine::Action::Refuse,
                    QCoreApplication::applicationName() + QStringLiteral(": ") + reason);
}

std::optional<std::uint32_t> seedFrom(const QString& text) {
    // Digits only: no sign, blanks or exponent, so a typing slip is never read as some seed.
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,10}$"));
    if (!digits.match(text).hasMatch()) {
        return std::nullopt;
    }
    const qulonglong value = text.toULongLong();
    if (value > kSeedLimit) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(kDescription);
    // Qt's options are single-dash words (-platform), so ours read the same way: -seed 5.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and end."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and end."));
    const QCommandLineOption seed(
        QStringLiteral("seed"),
        QStringLiteral("Draw the turns from seed N (0 to %1) instead of the clock, so every "
                       "computer shows the same turns.")
            .arg(kSeedLimit),
        QStringLiteral("N"));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("Append one CSV row per answered turn to FILE."),
                                 QStringLiteral("FILE"));
    parser.addOptions({help, version, seed, log});

    if (!parser.parse(arguments)) {
        return refuse(parser.errorText() + QStringLiteral(" See --help."));
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
        return refuse(QStringLiteral("unexpected argument \"%1\". See --help.").arg(extra.first()));
    }

    CommandLine line;
    if (parser.isSet(seed)) {
        line.seed = seedFrom(parser.value(seed));
        if (!line.seed) {
            return refuse(QStringLiteral("--seed takes a whole number from 0 to %1, not \"%2\".")
                              .arg(kSeedLimit)
                              .arg(parser.value(seed)));
        }
    }
    if (parser.isSet(log)) {
        line.logPath = parser.value(log);
        if (line.logPath.isEmpty()) {
            return refuse(QStringLiteral("--log needs the name of a file."));
        }
    }
    return line;
}

} // namespace quiz
