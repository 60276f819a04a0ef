// The order the Tab key takes through the teacher's view: down the window as it is laid out,
// the lesson's choices first, for a teacher who works from the keyboard or a screen reader.

#include "window/teacher/teacher_window.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quiz;

namespace {

// The named controls Tab stops at, in order, from the window's first.
QStringList tabStops(QWidget& window) {
    QStringList names;
    for (QWidget* widget = window.nextInFocusChain(); widget != &window;
         widget = widget->nextInFocusChain()) {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(&window) &&
            !widget->objectName().isEmpty()) {
            names << widget->objectName();
        }
    }
    return names;
}

} // namespace

class TeacherFocusOrderTest : public QObject {
    Q_OBJECT

private slots:
    void tabGoesDownTheWindow() {
        const QTemporaryDir folder;
        TeacherWindow window(folder.path(), NumberStyle{});
        const QStringList stops = tabStops(window);
        // From the top: the lesson's row of choices and its button, the pupils, the class by
        // level and by currency, what was skipped.
        const QStringList downTheWindow = {"lessonLevel", "lessonData", "lessonTogether",
                                           "lessonApply", "pupils",     "byLevel",
                                           "byCurrency",  "skipped"};
        QCOMPARE(stops.mid(0, downTheWindow.size()), downTheWindow);
        // Then the row of buttons at the bottom, and nothing after it.
        QStringList buttons = stops.mid(downTheWindow.size());
        buttons.sort();
        QCOMPARE(buttons, (QStringList{"exportExcel", "exportPlain", "help", "projector", "savePng"}));
    }
};

QTEST_MAIN(TeacherFocusOrderTest)
#include "teacher_focus_order_test.moc"
