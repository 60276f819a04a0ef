// Which texts are Bulgarian: the program's messages only for a Bulgarian user, Qt's own texts
// in the windows always; and the windows report themselves as windows.

#include "app/startup.h"
#include "app/translations.h"
#include "app/window_roles.h"
#include "core/random_source.h"

#include <QAccessible>
#include <QTest>

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
    }

    void topLevelWindowsReportAWindowRole() {
        QuizForm form(std::make_unique<SeededRandomSource>(1), NumberStyle{});
        reportWindowRoles();
        QCOMPARE(QAccessible::queryAccessibleInterface(&form)->role(), QAccessible::Window);
    }
};

QTEST_MAIN(TranslationsTest)
#include "translations_test.moc"
