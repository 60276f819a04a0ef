// The windows report themselves as windows to a screen reader.

#include "app/window_roles.h"
#include "core/random/random_source.h"
#include "window/quiz/quiz_form.h"

#include <QAccessible>
#include <QTest>

using namespace quiz;

class WindowRolesTest : public QObject {
    Q_OBJECT

private slots:
    void topLevelWindowsReportAWindowRole() {
        QuizForm form(std::make_unique<SeededRandomSource>(1), NumberStyle{});
        reportWindowRoles();
        QCOMPARE(QAccessible::queryAccessibleInterface(&form)->role(), QAccessible::Window);
    }
};

QTEST_MAIN(WindowRolesTest)
#include "window_roles_test.moc"
