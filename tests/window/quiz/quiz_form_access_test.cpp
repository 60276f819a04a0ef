// The quiz window for every user: a screen reader hears the verdict and the new turn where the
// focus lands, with no stray stops; a dark theme keeps its text and its picks visible; a wider
// font never cuts a caption.

#include "core/random/random_source.h"
#include "tests/support/find_control.h"
#include "window/quiz/caption_fit.h"
#include "window/quiz/quiz_form.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace quiz;

namespace {

QString description(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
}

QPalette darkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(35, 38, 41));
    dark.setColor(QPalette::WindowText, QColor(252, 252, 252));
    dark.setColor(QPalette::Base, QColor(27, 30, 32));
    dark.setColor(QPalette::Text, QColor(252, 252, 252));
    dark.setColor(QPalette::Button, QColor(49, 54, 59));
    dark.setColor(QPalette::ButtonText, QColor(252, 252, 252));
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::Base}) {
        dark.setColor(QPalette::Disabled, role, dark.color(QPalette::Active, QPalette::Window));
    }
    return dark;
}

int darkPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qGray(image.pixel(x, y)) < 90 ? 1 : 0;
        }
    }
    return count;
}

} // namespace

class QuizFormAccessTest : public QObject {
    Q_OBJECT

private slots:
    // A screen reader walks a menu each time it opens. The entries it met in one right-click
    // menu must still be whole, and inside the menu shown, in every later one: the bridge keeps
    // the items it met, and one that points into a menu since deleted is a crash waiting.
    void theMenusEntriesStayWholeForAScreenReader() {
        QuizForm form(std::make_unique<SeededRandomSource>(2), NumberStyle{});
        form.show();
        auto* text = findControl<QPlainTextEdit>(form, "Text1_0");
        for (QWidget* target : {text->viewport(), static_cast<QWidget*>(&form), text->viewport()}) {
            int entries = 0;
            QString fault;
            QTimer::singleShot(0, [&] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(menu);
                for (int index = 0; shown != nullptr && index < shown->childCount(); ++index) {
                    QAccessibleInterface* entry = shown->child(index);
                    ++entries;
                    if (entry == nullptr || !entry->isValid() || entry->parent() == nullptr ||
                        entry->parent()->object() != menu) {
                        fault = QStringLiteral("entry %1 of %2").arg(index).arg(entries);
                    }
                }
                menu->close();
            });
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                    target->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(target, &event);
            QVERIFY(entries > 0);
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        }
    }

    void theVerdictAndTheReportTravelWithTheFocus() {
        QuizForm form(std::make_unique<SeededRandomSource>(2), NumberStyle{});
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* first = findControl<QRadioButton>(form, "Option1_0");
        first->setFocus();
        QList<QWidget*> stops;
        const QMetaObject::Connection watching =
            connect(qApp, &QApplication::focusChanged, this,
                    [&](QWidget*, QWidget* now) { stops.append(now); });

        QTest::keyClick(first, Qt::Key_Space);
        auto* command = findControl<QPushButton>(form, "Command1");
        disconnect(watching);
        QCOMPARE(stops, QList<QWidget*>{command}); // straight there, no list on the way
        const QString verdict = form.model().turn().RealSide == 0 ? QStringLiteral("Правилно")
                                                                  : QStringLiteral("Грешка!");
        QVERIFY2(description(command).startsWith(verdict), qPrintable(description(command)));

        QTest::keyClick(command, Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), first);
        QVERIFY2(description(first).startsWith(QStringLiteral("Генерирани са данни за: ")),
                 qPrintable(description(first)));
        QVERIFY(!description(command).contains(verdict)); // the old verdict is gone
    }

    // Above level 0 the spread would name the real list: neither the box nor what a screen
    // reader hears tells it before the pick; both tell it after.
    void aboveLevelZeroTheSpreadComesOnlyAfterThePick() {
        const QString spread = QStringLiteral("Максимална разлика: ");
        QuizForm form(std::make_unique<SeededRandomSource>(2), NumberStyle{}, DataSet::catalogue(),
                      3);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* first = findControl<QRadioButton>(form, "Option1_0");
        auto* command = findControl<QPushButton>(form, "Command1");
        auto* text = findControl<QPlainTextEdit>(form, "Text1_0");
        QTest::keyClick(command, Qt::Key_Space);
        for (QWidget* widget : std::initializer_list<QWidget*>{
                 first, command, findControl<QRadioButton>(form, "Option1_1")}) {
            QVERIFY2(!description(widget).contains(spread), qPrintable(description(widget)));
        }
        QVERIFY(!text->toPlainText().contains(spread));

        QTest::keyClick(first, Qt::Key_Space);
        const QString verdict = form.model().turn().RealSide == 0 ? QStringLiteral("Правилно")
                                                                  : QStringLiteral("Грешка!");
        QVERIFY2(description(command).startsWith(verdict + QStringLiteral(". ") + spread),
                 qPrintable(description(command)));
        const QStringList lines = text->toPlainText().trimmed().split(u'\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[1], verdict);
        QVERIFY2(lines[2].startsWith(spread), qPrintable(lines[2]));
    }

    void aDarkThemeKeepsTheTextDarkAndThePickVisible() {
        const QPalette previous = QApplication::palette();
        QApplication::setPalette(darkPalette());
        QuizForm form(std::make_unique<SeededRandomSource>(2), NumberStyle{});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(darkPixels(findControl<QLabel>(form, "Label1_1")->grab().toImage()) > 50);

        auto* picked = findControl<QRadioButton>(form, "Option1_0");
        auto* other = findControl<QRadioButton>(form, "Option1_1");
        picked->click(); // both lock; only the picked one shows its dot
        const QImage checked = picked->grab().toImage();
        const QImage unchecked = other->grab().toImage();

        QVERIFY(darkPixels(checked) > darkPixels(unchecked) + 4);
        QVERIFY(darkPixels(unchecked) > 20); // a locked caption stays legible
        QApplication::setPalette(previous);
    }

    void aWiderFontShrinksACaptionUntilItFits() {
        const QString caption = QStringLiteral("Изберете списъка с реални данни!");
        QFont wide = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        wide.setPointSize(12);
        wide.setLetterSpacing(QFont::PercentageSpacing, 150);
        const int width = QFontMetrics(wide).horizontalAdvance(caption) * 2 / 3;
        const int size = fittingPointSize(wide, caption, width);
        QVERIFY(size < 12);
        wide.setPointSize(size);
        QVERIFY(QFontMetrics(wide).horizontalAdvance(caption) <= width);
        QCOMPARE(fittingPointSize(wide, caption, 10'000), size); // room enough: untouched
    }
};

QTEST_MAIN(QuizFormAccessTest)
#include "quiz_form_access_test.moc"
