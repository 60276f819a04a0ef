#include "app/command_line.h"

#include "core/random/seed_text.h"
#include "core/network_lesson/join_code.h"
#include "core/network_lesson/pupil_name.h"
#include "core/turns/level.h"
#include "service/join/lesson_address.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <array>
#include <limits>
#include <utility>
#include <optional>
#include <vector>

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

// Each stores its option's value in `line`, which holds the options before it in the table, or
// returns why the value is refused.
using TakeValue = QString (*)(const QString& value, CommandLine& line);

QString takeSeed(const QString& value, CommandLine& line) {
    line.seed = seedFromText(value.toStdString());
    if (line.seed) {
        return {};
    }
    return QCoreApplication::translate("quiz",
                                       "--seed takes a whole number from 0 to %1, not \"%2\".")
        .arg(kSeedLimit)
        .arg(value);
}

QString takeLevel(const QString& value, CommandLine& line) {
    line.level = levelFromText(value.toStdString());
    if (line.level) {
        return {};
    }
    return QCoreApplication::translate("quiz", "--level takes a whole number from 0 to %1 or "
                                               "auto, not \"%2\".")
        .arg(kLevelCount - 1)
        .arg(value);
}

QString takeData(const QString& value, CommandLine& line) {
    line.data = value;
    return value.isEmpty() ? QCoreApplication::translate(
                                 "quiz", "--data needs catalogue, ecb or the name of a file.")
                           : QString();
}

QString takeLog(const QString& value, CommandLine& line) {
    line.logPath = value;
    return value.isEmpty() ? QCoreApplication::translate("quiz", "--log needs the name of a file.")
                           : QString();
}

QString takeClassDir(const QString& value, CommandLine& line) {
    line.classDir = value;
    if (value.isEmpty()) {
        return QCoreApplication::translate("quiz", "--class-dir needs the name of a folder.");
    }
    if (!line.logPath.isEmpty()) {
        return QCoreApplication::translate("quiz",
                                           "--log and --class-dir both say where the answers "
                                           "go; give one of them.");
    }
    return {};
}

// The rule a hosted lesson holds names to, so that a folder pupil's name reads the same.
QString takePupil(const QString& value, CommandLine& line) {
    // Composed, so that "Е" + U+0308 names the same pupil as "Ё" (see pupil_key.h).
    // A tab or a line end at the ends is the shell's or the shortcut's, not the name's.
    const auto name =
        pupilName(value.trimmed().normalized(QString::NormalizationForm_C).toStdString());
    if (const auto* kept = std::get_if<std::string>(&name)) {
        line.pupil = QString::fromStdString(*kept);
        return {};
    }
    switch (std::get<RefusalId>(name)) {
    case RefusalId::NameEmpty:
        return QCoreApplication::translate("quiz", "--pupil needs a name.");
    case RefusalId::NameTooLong:
        return QCoreApplication::translate("quiz", "--pupil takes a name of at most %1 characters.")
            .arg(kNameMostCharacters);
    case RefusalId::NameLikeFormula:
        // A spreadsheet opening the class's files would run it.
        return QCoreApplication::translate("quiz", "--pupil takes a name that does not start "
                                                   "with =, +, - or @.");
    default:
        // Line breaks, control and direction marks would garble the teacher's table.
        return QCoreApplication::translate(
            "quiz", "--pupil takes a name of letters, digits and signs, without control "
                    "characters.");
    }
}

QString takeJoin(const QString& value, CommandLine& line) {
    const std::optional<QUrl> address = lessonAddressFromText(value);
    if (!address) {
        return QCoreApplication::translate(
                   "quiz", "--join takes the lesson's address on the local network, such as "
                           "http://192.168.1.20:8080/, not \"%1\".")
            .arg(value);
    }
    line.joinAddress = *address;
    // The host deals the turns and keeps the answers: nothing of a run of its own applies.
    const std::array<std::pair<bool, const char*>, 5> own{{{line.seed.has_value(), "seed"},
                                                           {line.level.has_value(), "level"},
                                                           {!line.data.isEmpty(), "data"},
                                                           {!line.logPath.isEmpty(), "log"},
                                                           {!line.classDir.isEmpty(), "class-dir"}}};
    for (const auto& [given, name] : own) {
        if (given) {
            return QCoreApplication::translate(
                       "quiz", "--join plays the lesson's own turns, which takes no --%1.")
                .arg(QLatin1String(name));
        }
    }
    return {};
}

QString takeCode(const QString& value, CommandLine& line) {
    line.joinCode = QString(value).remove(u' ');
    static const QRegularExpression digits(
        QStringLiteral("^[0-9]{%1,%2}$").arg(kLeastCodeDigits).arg(kMostCodeDigits));
    if (line.joinAddress.isEmpty()) {
        return QCoreApplication::translate("quiz", "--code goes with --join.");
    }
    if (!digits.match(line.joinCode).hasMatch()) {
        return QCoreApplication::translate("quiz", "--code takes the lesson's code of %1 to %2 "
                                                   "digits, not \"%3\".")
            .arg(kLeastCodeDigits)
            .arg(kMostCodeDigits)
            .arg(value);
    }
    return {};
}

QString takeTeacher(const QString& value, CommandLine& line) {
    line.teacherDir = value;
    return value.isEmpty()
               ? QCoreApplication::translate("quiz", "--teacher needs the name of a folder.")
               : QString();
}

QString takeServe(const QString& value, CommandLine& line) {
    // "8080", "127.0.0.1:8080", "[::1]:8080": the port after the last colon.
    const qsizetype colon = value.lastIndexOf(u':');
    QString address = colon < 0 ? QString() : value.first(colon);
    if (address.startsWith(u'[') && address.endsWith(u']')) {
        address = address.mid(1, address.size() - 2);
    }
    bool number = false;
    const uint port = value.sliced(colon + 1).toUInt(&number);
    if (line.teacherDir.isEmpty()) {
        return QCoreApplication::translate("quiz", "--serve hosts the lesson of --teacher; give "
                                                   "--teacher DIR as well.");
    }
    if (!number || port > 65535 || (colon >= 0 && address.isEmpty())) {
        return QCoreApplication::translate("quiz", "--serve takes [ADDRESS:]PORT, such as 8080 or "
                                                   "127.0.0.1:0, not \"%1\".")
            .arg(value);
    }
    line.servePort = static_cast<quint16>(port);
    line.serveAddress = address;
    return {};
}

// An option that takes a value: how --help tells it, and what the program makes of it.
struct ValueOption {
    QCommandLineOption option;
    TakeValue take;
    bool quizOnly = true; // meaningless beside --teacher
};

// The teacher's view and its lesson on the network, after the quiz's own.
std::vector<ValueOption> teacherOptions() {
    using Option = QCommandLineOption;
    return {
        {Option(QStringLiteral("teacher"),
                QCoreApplication::translate(
                    "quiz", "Open the teacher's view of the class folder DIR instead of the quiz: "
                            "every pupil's results, followed live."),
                QStringLiteral("DIR")),
         takeTeacher, false},
        {Option(QStringLiteral("serve"),
                QCoreApplication::translate(
                    "quiz", "With --teacher: host the lesson on the school network at "
                            "[ADDRESS:]PORT (port 0: any free one). Pupils join from a browser; "
                            "the address and the join code are printed on one line."),
                QStringLiteral("[ADDRESS:]PORT")),
         takeServe, false},
    };
}

QString levelHelp() {
    return QCoreApplication::translate(
               "quiz", "Difficulty 0 to %1: how the made-up list is made. 0, the default, is "
                       "noise in a band; 1 a random walk; 2 the real day-to-day changes "
                       "shuffled; 3 a surrogate of them with the same spectrum; 4 the real "
                       "changes replayed from another day.")
               .arg(kLevelCount - 1) +
           u' ' +
           QCoreApplication::translate(
               "quiz", "auto: each pupil's own, from level 1 one level harder after "
                       "three right answers in a row and one easier after a wrong one.");
}

// A lesson on the network; after --pupil, whose name --join takes, and the options of a run of
// its own, which --join refuses.
std::vector<ValueOption> joinOptions() {
    using Option = QCommandLineOption;
    return {
        {Option(QStringLiteral("join"),
                QCoreApplication::translate(
                    "quiz", "Play the turns of the lesson a teacher hosts at URL on the local "
                            "network (http://192.168.1.20:8080/); the name is --pupil's."),
                QStringLiteral("URL")),
         takeJoin},
        {Option(QStringLiteral("code"),
                QCoreApplication::translate(
                    "quiz", "The lesson's join code, as the teacher shows it; without it, or "
                            "without --pupil, the quiz asks for both."),
                QStringLiteral("CODE")),
         takeCode},
    };
}

// In the order --help lists them and their values are checked.
std::vector<ValueOption> valueOptions() {
    using Option = QCommandLineOption;
    std::vector<ValueOption> options{
        {Option(QStringLiteral("seed"),
                QCoreApplication::translate(
                    "quiz", "Draw the turns from seed N (0 to %1) instead of the clock, so every "
                            "computer shows the same turns.")
                    .arg(kSeedLimit),
                QStringLiteral("N")),
         takeSeed},
        {Option(QStringLiteral("level"), levelHelp(), QStringLiteral("N|auto")), takeLevel},
        {Option(QStringLiteral("data"),
                QCoreApplication::translate(
                    "quiz", "Where the real lists come from: catalogue (the default: six stored "
                            "series), ecb (the built-in euro reference rates of the European "
                            "Central Bank, 1999-2025, units of each currency for 1 euro; Source: "
                            "ECB) or a FILE of dates and daily rates, as the ECB publishes it or "
                            "as a spreadsheet saves it."),
                QStringLiteral("catalogue|ecb|FILE")),
         takeData},
        {Option(
             QStringLiteral("log"),
             QCoreApplication::translate("quiz", "Append one CSV row per answered turn to FILE."),
             QStringLiteral("FILE")),
         takeLog},
        {Option(QStringLiteral("class-dir"),
                QCoreApplication::translate(
                    "quiz", "Write this run's answers to a new file of its own in the class folder "
                            "DIR (a shared folder), named from the pupil, the computer and the "
                            "time, and follow the lesson the teacher sets there."),
                QStringLiteral("DIR")),
         takeClassDir},
        {Option(QStringLiteral("pupil"),
                QCoreApplication::translate(
                    "quiz", "The pupil's name for the results (default: the login name)."),
                QStringLiteral("NAME")),
         takePupil},
    };
    for (ValueOption& each : joinOptions()) {
        options.push_back(std::move(each));
    }
    for (ValueOption& each : teacherOptions()) {
        options.push_back(std::move(each));
    }
    return options;
}

// --help, --version, a parse error or a stray argument: what the program does instead of
// running, if it does.
std::optional<CommandLine> endBeforeRunning(QCommandLineParser& parser,
                                            const QStringList& arguments,
                                            const QCommandLineOption& help,
                                            const QCommandLineOption& version) {
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
    return std::nullopt;
}

// Every option given, taken in the table's order; the first refusal ends it.
CommandLine takeValues(const QCommandLineParser& parser, const std::vector<ValueOption>& options) {
    CommandLine line;
    for (const ValueOption& each : options) {
        if (!parser.isSet(each.option)) {
            continue;
        }
        if (const QString refusal = each.take(parser.value(each.option), line);
            !refusal.isEmpty()) {
            return refuse(refusal);
        }
    }
    if (line.teacherDir.isEmpty()) {
        return line;
    }
    for (const ValueOption& each : options) {
        if (each.quizOnly && parser.isSet(each.option)) {
            return refuse(QCoreApplication::translate(
                              "quiz", "--teacher opens the class view, which takes no --%1.")
                              .arg(each.option.names().constFirst()));
        }
    }
    return line;
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
    parser.addOptions({help, version});
    const std::vector<ValueOption> options = valueOptions();
    for (const ValueOption& each : options) {
        parser.addOption(each.option);
    }
    const QCommandLineOption anyNetwork(
        QStringLiteral("any-network"),
        QCoreApplication::translate("quiz", "With --teacher: the lesson on the network also "
                                            "answers computers beyond the local network (by "
                                            "default only private, link-local and loopback "
                                            "addresses)."));
    parser.addOption(anyNetwork);
    if (std::optional<CommandLine> ended = endBeforeRunning(parser, arguments, help, version)) {
        return *std::move(ended);
    }
    CommandLine line = takeValues(parser, options);
    if (line.action == CommandLine::Action::Run && parser.isSet(anyNetwork)) {
        if (line.teacherDir.isEmpty()) {
            return refuse(QCoreApplication::translate(
                "quiz", "--any-network widens the lesson of --teacher; give --teacher DIR as well."));
        }
        line.anyNetwork = true;
    }
    return line;
}

} // namespace quiz
