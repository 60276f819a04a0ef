// The program's options as a teacher might type them, right and wrong.

#include "app/command_line.h"
#include "core/turns/level.h"

#include <QCoreApplication>
#include <QTest>

using namespace quiz;
using Action = CommandLine::Action;

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QCoreApplication::setApplicationName(QStringLiteral("realdataquiz"));
        QCoreApplication::setApplicationVersion(QStringLiteral("1.2.3"));
    }

    void acceptsTheOptionsItDocuments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<qint64>("seed"); // -1: none given
        QTest::addColumn<QString>("logPath");
        QTest::newRow("nothing") << QStringList{} << qint64{-1} << QString();
        QTest::newRow("seed") << QStringList{"--seed", "42"} << qint64{42} << QString();
        QTest::newRow("seed with =") << QStringList{"--seed=0"} << qint64{0} << QString();
        QTest::newRow("single dash, as Qt's own")
            << QStringList{"-seed", "7"} << qint64{7} << QString();
        QTest::newRow("largest seed")
            << QStringList{"--seed", "4294967295"} << qint64{4294967295} << QString();
        QTest::newRow("leading zeros")
            << QStringList{"--seed", "0000000012"} << qint64{12} << QString();
        QTest::newRow("log") << QStringList{"--log", "клас 7а.csv"} << qint64{-1}
                             << QStringLiteral("клас 7а.csv");
        QTest::newRow("both") << QStringList{"--log=r.csv", "--seed", "9"} << qint64{9}
                              << QStringLiteral("r.csv");
    }
    void acceptsTheOptionsItDocuments() {
        QFETCH(QStringList, arguments);
        QFETCH(qint64, seed);
        QFETCH(QString, logPath);
        const CommandLine line = parseCommandLine(QStringList{"realdataquiz"} + arguments);
        QCOMPARE(line.action, Action::Run);
        QCOMPARE(line.seed.has_value(), seed >= 0);
        if (line.seed) {
            QCOMPARE(qint64{*line.seed}, seed);
        }
        QCOMPARE(line.logPath, logPath);
        QVERIFY(!line.level); // the lesson's, else 0
        QVERIFY(line.data.isEmpty());
    }

    // A name typed decomposed is the one composed, as the results and a hosted lesson keep it.
    void composesThePupilsName() {
        const CommandLine line = parseCommandLine({QStringLiteral("realdataquiz"),
                                                   QStringLiteral("--pupil"),
                                                   QStringLiteral("Е\u0308лка")});
        QCOMPARE(line.action, Action::Run);
        QCOMPARE(line.pupil, QStringLiteral("Ёлка"));
        // Blanks inside as one space, as a hosted lesson keeps the name.
        QCOMPARE(parseCommandLine({QStringLiteral("realdataquiz"), QStringLiteral("--pupil"),
                                   QStringLiteral("  Ана   Иванова ")})
                     .pupil,
                 QStringLiteral("Ана Иванова"));
        // A tab or a line end at the ends, as a shortcut or a script may leave, is no part of it.
        QCOMPARE(parseCommandLine({QStringLiteral("realdataquiz"), QStringLiteral("--pupil"),
                                   QStringLiteral("\tАна\n")})
                     .pupil,
                 QStringLiteral("Ана"));
    }

    // Only the teacher's lesson can be widened, whether served at once or from the panel.
    void widensOnlyTheTeachersLesson() {
        for (const QStringList& arguments :
             {QStringList{"--teacher", "10А", "--any-network"},
              QStringList{"--any-network", "--teacher", "10А", "--serve", "0"}}) {
            const CommandLine line = parseCommandLine(QStringList{"realdataquiz"} + arguments);
            QCOMPARE(line.action, Action::Run);
            QVERIFY(line.anyNetwork);
        }
        QVERIFY(!parseCommandLine({"realdataquiz", "--teacher", "10А"}).anyNetwork);
    }

    void takesEveryLevel() {
        for (int level = 0; level <= 4; ++level) {
            const CommandLine line =
                parseCommandLine({QStringLiteral("realdataquiz"), QStringLiteral("--level"),
                                  QString::number(level)});
            QCOMPARE(line.action, Action::Run);
            QCOMPARE(line.level, std::optional<int>(level));
        }
        const CommandLine adaptive = parseCommandLine(
            {QStringLiteral("realdataquiz"), QStringLiteral("--level"), QStringLiteral("auto")});
        QCOMPARE(adaptive.action, Action::Run);
        QCOMPARE(adaptive.level, std::optional<int>(quiz::kAdaptiveLevel));
        const CommandLine help = parseCommandLine({"realdataquiz", "--help"});
        QVERIFY(help.text.contains(QLatin1String("N|auto")));
        // The help wraps its lines wherever the width says.
        QVERIFY(help.text.simplified().contains(QLatin1String("auto: each pupil's own")));
    }

    void refusesWithOneLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString seedRange =
            QStringLiteral("realdataquiz: --seed takes a whole number from 0 to 4294967295, not ");
        QTest::newRow("unknown option") << QStringList{"--colour"}
                                        << QStringLiteral("realdataquiz: Unknown option 'colour'. "
                                                          "See --help.");
        QTest::newRow("seed missing") << QStringList{"--seed"}
                                      << QStringLiteral("realdataquiz: Missing value after "
                                                        "'--seed'. See --help.");
        QTest::newRow("seed not a number")
            << QStringList{"--seed", "abc"} << seedRange + QStringLiteral("\"abc\".");
        QTest::newRow("seed negative")
            << QStringList{"--seed=-1"} << seedRange + QStringLiteral("\"-1\".");
        QTest::newRow("seed too large")
            << QStringList{"--seed", "4294967296"} << seedRange + QStringLiteral("\"4294967296\".");
        QTest::newRow("seed far too large")
            << QStringList{"--seed", "99999999999999999999"}
            << seedRange + QStringLiteral("\"99999999999999999999\".");
        QTest::newRow("seed with a sign")
            << QStringList{"--seed", "+5"} << seedRange + QStringLiteral("\"+5\".");
        QTest::newRow("seed with blanks")
            << QStringList{"--seed", " 5"} << seedRange + QStringLiteral("\" 5\".");
        QTest::newRow("seed as a fraction")
            << QStringList{"--seed", "5.0"} << seedRange + QStringLiteral("\"5.0\".");
        const QString levelRange =
            QStringLiteral("realdataquiz: --level takes a whole number from 0 to 4 or auto, not ");
        for (const char* level : {"5", "-1", "x", "1.5", "01", "", "Auto", "auto ", "-auto"}) {
            QTest::newRow(qPrintable(QStringLiteral("level '%1'").arg(level)))
                << QStringList{QStringLiteral("--level=%1").arg(level)}
                << levelRange + QStringLiteral("\"%1\".").arg(level);
        }
        QTest::newRow("empty log") << QStringList{"--log="}
                                   << QStringLiteral("realdataquiz: --log needs the name of a "
                                                     "file.");
        QTest::newRow("stray argument") << QStringList{"results.csv"}
                                        << QStringLiteral("realdataquiz: unexpected argument "
                                                          "\"results.csv\". See --help.");
        QTest::newRow("any network without a lesson")
            << QStringList{"--any-network"}
            << QStringLiteral("realdataquiz: --any-network widens the lesson of --teacher; give "
                              "--teacher DIR as well.");
        QTest::newRow("line break in a value")
            << QStringList{"--seed", "1\n2"} << seedRange + QStringLiteral("\"1?2\".");
    }
    void refusesWithOneLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const CommandLine line = parseCommandLine(QStringList{"realdataquiz"} + arguments);
        QCOMPARE(line.action, Action::Refuse);
        QCOMPARE(line.text, message);
    }

    void helpAndVersionEndWithoutRunning() {
        const CommandLine help = parseCommandLine({"realdataquiz", "--seed", "5", "-h"});
        QCOMPARE(help.action, Action::ShowHelp);
        for (const char* option : {"--seed <N>", "--log <FILE>", "--version", "-platform"}) {
            QVERIFY2(help.text.contains(QLatin1String(option)), option);
        }
        QCOMPARE(parseCommandLine({"realdataquiz", "--help"}).action, Action::ShowHelp);

        const CommandLine version = parseCommandLine({"realdataquiz", "--version"});
        QCOMPARE(version.action, Action::ShowVersion);
        QCOMPARE(version.text, QStringLiteral("realdataquiz 1.2.3\n"));
        QCOMPARE(parseCommandLine({"realdataquiz", "-v"}).action, Action::ShowVersion);
    }
};

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
