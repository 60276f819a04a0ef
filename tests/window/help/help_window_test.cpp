// The guide as a teacher opens it: F1 and „Помощ“ in the quiz and in the teacher's view, the
// guide itself on screen, and every picture it shows found in the program's resources.

#include "core/random/random_source.h"
#include "tests/support/find_control.h"
#include "window/help/help_window.h"
#include "window/quiz/quiz_form.h"
#include "window/teacher/teacher_window.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <memory>

using namespace quiz;

namespace {

// The guide as it is in the sources, which the program's resources must hold.
QString guideSource() {
    QFile file(QStringLiteral(QUIZ_GUIDE_SOURCE));
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot read %s", QUIZ_GUIDE_SOURCE);
    }
    return QString::fromUtf8(file.readAll());
}

QString guideTitle() {
    return guideSource().section(u'\n', 0, 0).remove(QRegularExpression(QStringLiteral("^# ")));
}

// The guide window on screen, if any, whoever owns it.
const HelpWindow* shownGuide() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (const auto* help = qobject_cast<const HelpWindow*>(window); help && help->isVisible()) {
            return help;
        }
    }
    return nullptr;
}

int shownGuides() {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        count += qobject_cast<HelpWindow*>(window) && window->isVisible() ? 1 : 0;
    }
    return count;
}

// Picks the entry `caption` of the right-click menu that `target` opens.
void pickFromMenu(QWidget* target, const QString& caption) {
    QTimer::singleShot(0, [caption] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            return;
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == caption) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close(); // no such entry: the test goes on to fail rather than wait
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            target->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(target, &event);
}

// The names of the pictures the shown document holds, in order.
QStringList pictureNames(const QTextDocument& document) {
    QStringList names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (const QTextFormat format = fragment.fragment().charFormat();
                format.isImageFormat()) {
                names.append(format.toImageFormat().name());
            }
        }
    }
    return names;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            window->close();
        }
    }

    void theQuizOpensTheGuide_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("F1") << "F1";
        QTest::newRow("the window's menu") << "window";
        QTest::newRow("the text box's menu") << "text";
    }

    void theQuizOpensTheGuide() {
        QFETCH(QString, way);
        QuizForm form(std::make_unique<SeededRandomSource>(1), NumberStyle{});
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(shownGuide(), nullptr);
        if (way == QStringLiteral("F1")) {
            QTest::keyClick(form.focusWidget(), Qt::Key_F1);
        } else {
            pickFromMenu(way == QStringLiteral("window")
                             ? static_cast<QWidget*>(&form)
                             : findControl<QPlainTextEdit>(form, "Text1_0")->viewport(),
                         QStringLiteral("Помощ"));
        }
        QVERIFY(shownGuide());
        QCOMPARE(shownGuide()->guide().document()->firstBlock().text(), guideTitle());
        // Asked again, the same window comes forward rather than a second one.
        QTest::keyClick(form.focusWidget(), Qt::Key_F1);
        QCOMPARE(shownGuides(), 1);
    }

    void theTeachersViewOpensTheGuide_data() {
        QTest::addColumn<bool>("button");
        QTest::newRow("F1") << false;
        QTest::newRow("the button") << true;
    }

    void theTeachersViewOpensTheGuide() {
        QFETCH(bool, button);
        const QTemporaryDir folder;
        TeacherWindow window(folder.path(), NumberStyle{});
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        if (button) {
            QTest::mouseClick(findControl<QPushButton>(window, "help"), Qt::LeftButton);
        } else {
            QTest::keyClick(&window, Qt::Key_F1);
        }
        QVERIFY(shownGuide());
        QCOMPARE(shownGuide()->guide().document()->firstBlock().text(), guideTitle());
    }

    // A picture left out of the resources, or misnamed in the guide, would show as a blank.
    void everyPictureOfTheGuideLoads() {
        HelpWindow help;
        const QTextBrowser& guide = help.guide();
        const QStringList names = pictureNames(*guide.document());
        QCOMPARE(names.size(), guideSource().count(QStringLiteral("![")));
        QVERIFY(!names.isEmpty());
        for (const QString& name : names) {
            const QVariant loaded = const_cast<QTextBrowser&>(guide).loadResource(
                QTextDocument::ImageResource, QUrl(name));
            const QImage picture = loaded.typeId() == QMetaType::QImage
                                       ? loaded.value<QImage>()
                                       : QImage::fromData(loaded.toByteArray());
            QVERIFY2(!picture.isNull(), qPrintable(name));
        }
    }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
