// Which texts are Bulgarian: the program's messages only for a Bulgarian user, Qt's own texts
// in the windows always.

#include "app/command_line.h"
#include "app/startup.h"
#include "service/system/translations.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

using namespace quiz;

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    // One process, in this order: translators are installed for good.
    void messagesFollowTheUsersLanguageAndQtsOwnTheWindow() {
        const char* message = "--pupil needs a name.";
        QVERIFY(!installCommandLineTranslations(QLocale::c()));
        QCOMPARE(QCoreApplication::translate("quiz", message), QString::fromUtf8(message));

        QVERIFY(installWindowTranslations());
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "&Copy"),
                 QStringLiteral("&Копиране"));
        QCOMPARE(QCoreApplication::translate("quiz", message), QString::fromUtf8(message));

        QVERIFY(installCommandLineTranslations(QLocale(QLocale::Bulgarian, QLocale::Bulgaria)));
        QCOMPARE(QCoreApplication::translate("quiz", message), QStringLiteral("--pupil иска име."));

        // Every refusal of an argument, each in Bulgarian.
        const QRegularExpression cyrillic(QStringLiteral("[а-я]{3}"));
        const QStringList refused[] = {
            {QStringLiteral("--seed"), QStringLiteral("x")},
            {QStringLiteral("--level"), QStringLiteral("9")},
            {QStringLiteral("--data"), QString()},
            {QStringLiteral("--log"), QString()},
            {QStringLiteral("--class-dir"), QString()},
            {QStringLiteral("--log"), QStringLiteral("a"), QStringLiteral("--class-dir"),
             QStringLiteral("b")},
            {QStringLiteral("--pupil"), QString()},
            {QStringLiteral("--pupil"), QStringLiteral("a\tb")},
            {QStringLiteral("--pupil"), QStringLiteral("a\u202eb")},
            {QStringLiteral("--teacher"), QString()},
            {QStringLiteral("--teacher"), QStringLiteral("d"), QStringLiteral("--seed"),
             QStringLiteral("1")},
            {QStringLiteral("--join"), QStringLiteral("http://8.8.8.8:80/")},
            {QStringLiteral("--level"), QStringLiteral("1"), QStringLiteral("--join"),
             QStringLiteral("http://10.0.0.5:8080/")},
            {QStringLiteral("--code"), QStringLiteral("4821")},
            {QStringLiteral("--join"), QStringLiteral("http://10.0.0.5:8080/"),
             QStringLiteral("--code"), QStringLiteral("12")},
            {QStringLiteral("extra")},
        };
        for (const QStringList& arguments : refused) {
            const CommandLine line =
                parseCommandLine(QStringList{QStringLiteral("quiz")} + arguments);
            QCOMPARE(line.action, CommandLine::Action::Refuse);
            QVERIFY2(line.text.contains(cyrillic), qPrintable(line.text));
        }

        // Why a log cannot be opened, the system's reason included.
        const QTemporaryDir folder;
        const struct {
            QString logPath;
            const char* reason;
        } logs[] = {
            {folder.path(), "не е обикновен файл, а папка"},
            {folder.filePath(QStringLiteral("няма/log.csv")), "няма такава папка"},
        };
        for (const auto& log : logs) {
            CommandLine line;
            line.logPath = log.logPath;
            QString refusal;
            QVERIFY(!startQuiz(line, QLocale::c(), refusal));
            QVERIFY2(refusal.endsWith(QString::fromUtf8(log.reason)), qPrintable(refusal));
        }
    }
};

QTEST_MAIN(TranslationsTest)
#include "translations_test.moc"
