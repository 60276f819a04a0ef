// What each option's value becomes, the options that may not go together, and which refusal
// a teacher sees first when several values are wrong.

#include "app/command_line.h"

#include <QCoreApplication>
#include <QTest>

using namespace quiz;
using Action = CommandLine::Action;

class OptionRulesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("realdataquiz")); }

    void storesEachValue() {
        const CommandLine quiz = parseCommandLine(
            {"realdataquiz", "--pupil", "  Ана Петрова ", "--data", "ecb", "--class-dir", "7а"});
        QCOMPARE(quiz.action, Action::Run);
        QCOMPARE(quiz.pupil, QStringLiteral("Ана Петрова"));
        QCOMPARE(quiz.data, QStringLiteral("ecb"));
        QCOMPARE(quiz.classDir, QStringLiteral("7а"));
        QVERIFY(quiz.teacherDir.isEmpty());

        const CommandLine teacher = parseCommandLine({"realdataquiz", "-teacher", "7а"});
        QCOMPARE(teacher.action, Action::Run);
        QCOMPARE(teacher.teacherDir, QStringLiteral("7а"));
        QVERIFY(teacher.classDir.isEmpty());
    }

    void refusesTheFirstWrongValue_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString both = QStringLiteral(
            "--log and --class-dir both say where the answers go; give one of them.");
        const QString noSeed = QStringLiteral("--seed takes a whole number from 0 to 4294967295, "
                                              "not \"x\".");
        const auto classView = [](const char* option) {
            return QStringLiteral("--teacher opens the class view, which takes no --%1.")
                .arg(QLatin1String(option));
        };
        QTest::newRow("log, then class folder")
            << QStringList{"--log", "a.csv", "--class-dir", "d"} << both;
        QTest::newRow("class folder, then log")
            << QStringList{"--class-dir", "d", "--log", "a.csv"} << both;
        QTest::newRow("an empty class folder before the clash")
            << QStringList{"--class-dir=", "--log", "a.csv"}
            << QStringLiteral("--class-dir needs the name of a folder.");
        QTest::newRow("empty data") << QStringList{"--data="}
                                    << QStringLiteral("--data needs catalogue, ecb or the name "
                                                      "of a file.");
        QTest::newRow("a blank pupil")
            << QStringList{"--pupil", "   "} << QStringLiteral("--pupil needs a name.");
        QTest::newRow("a pupil written right to left")
            << QStringList{"--pupil", "Ана\u202eb"}
            << QStringLiteral("--pupil takes a name of letters, digits and signs, without "
                              "control characters.");
        QTest::newRow("a pupil's name a spreadsheet would run")
            << QStringList{"--pupil", "=HYPERLINK(\"http://x\")"}
            << QStringLiteral("--pupil takes a name that does not start with =, +, - or @.");
        QTest::newRow("a pupil's name too long for the teacher's table")
            << QStringList{"--pupil", QString(41, u'я')}
            << QStringLiteral("--pupil takes a name of at most 40 characters.");
        QTest::newRow("a pupil's name with a line separator")
            << QStringList{"--pupil", "Ана\u2028Иван"}
            << QStringLiteral("--pupil takes a name of letters, digits and signs, without "
                              "control characters.");
        QTest::newRow("seed before level, whatever the order typed")
            << QStringList{"--level", "9", "--seed", "x"} << noSeed;
        QTest::newRow("a wrong seed before the teacher's view")
            << QStringList{"--teacher", "t", "--seed", "x"} << noSeed;
        QTest::newRow("an empty teacher's folder")
            << QStringList{"--teacher=", "--seed", "1"}
            << QStringLiteral("--teacher needs the name of a folder.");
        for (const char* option : {"seed", "level", "data", "log", "class-dir", "pupil"}) {
            QTest::newRow(qPrintable(QStringLiteral("teacher with --%1").arg(option)))
                << QStringList{"--teacher", "t", QStringLiteral("--%1=1").arg(option)}
                << classView(option);
        }
        QTest::newRow("the first of the quiz's options named")
            << QStringList{"--pupil", "p", "--teacher", "t", "--data", "ecb"} << classView("data");
    }
    void refusesTheFirstWrongValue() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const CommandLine line = parseCommandLine(QStringList{"realdataquiz"} + arguments);
        QCOMPARE(line.action, Action::Refuse);
        QCOMPARE(line.text, QStringLiteral("realdataquiz: ") + message);
    }
};

QTEST_MAIN(OptionRulesTest)
#include "option_rules_test.moc"
