// When the program can tell, before Qt tries, that no window can be opened.

#include "app/platform_start.h"

#include <QTest>

#include <map>
#include <string>
#include <vector>

using namespace quiz;

class PlatformStartTest : public QObject {
    Q_OBJECT

private slots:
    void needsADisplayOrAChosenPlatform_data() {
        QTest::addColumn<QStringList>("environment"); // NAME=value pairs
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("refused");
        QTest::newRow("nothing set") << QStringList{} << QStringList{} << true;
        QTest::newRow("empty DISPLAY") << QStringList{"DISPLAY="} << QStringList{} << true;
        QTest::newRow("X11") << QStringList{"DISPLAY=:0"} << QStringList{} << false;
        QTest::newRow("Wayland") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << QStringList{}
                                 << false;
        QTest::newRow("platform by variable")
            << QStringList{"QT_QPA_PLATFORM=offscreen"} << QStringList{} << false;
        QTest::newRow("platform by option")
            << QStringList{} << QStringList{"-platform", "offscreen"} << false;
        QTest::newRow("platform by long option")
            << QStringList{} << QStringList{"--platform", "offscreen"} << false;
        QTest::newRow("other arguments")
            << QStringList{} << QStringList{"-style", "fusion"} << true;
    }

    void needsADisplayOrAChosenPlatform() {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, arguments);
        QFETCH(bool, refused);

        std::map<std::string, std::string> variables;
        for (const QString& pair : environment) {
            variables[pair.section(u'=', 0, 0).toStdString()] = pair.section(u'=', 1).toStdString();
        }
        std::vector<std::string> texts{"realdataquiz"};
        for (const QString& argument : arguments) {
            texts.push_back(argument.toStdString());
        }
        std::vector<const char*> argv;
        for (const std::string& text : texts) {
            argv.push_back(text.c_str());
        }

        const std::string message = missingDisplayMessage(
            "realdataquiz", static_cast<int>(argv.size()), argv.data(),
            [&](const char* name) { return variables.count(name) ? variables.at(name) : ""; });
        QCOMPARE(!message.empty(), refused);
        if (refused) {
            QVERIFY(message.starts_with("realdataquiz: cannot open the quiz window: "));
            QVERIFY(message.find("QT_QPA_PLATFORM=offscreen") != std::string::npos);
            QVERIFY(message.find('\n') == std::string::npos); // one line
        }
    }
};

QTEST_MAIN(PlatformStartTest)
#include "platform_start_test.moc"
