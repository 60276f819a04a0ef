// The window as a user drives it: picks by mouse, keyboard and assistive technology, new turns,
// and the keyboard path through the controls.

#include "core/data/catalogue.h"
#include "core/random/random_source.h"
#include "tests/support/find_control.h"
#include "tests/support/sequence_random.h"
#include "window/quiz/introduction.h"
#include "window/quiz/quiz_form.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace quiz;

namespace {

// First turn series 4 with the real list right; then series 2, left; then series 1, left.
std::vector<float> threeTurns() {
    std::vector<float> draws = turnDraws(seriesDraw(4), kSideOne, 0.5F);
    for (const auto& turn :
         {turnDraws(seriesDraw(2), kSideZero, 0.25F), turnDraws(seriesDraw(1), kSideZero, 0.0F)}) {
        draws.insert(draws.end(), turn.begin(), turn.end());
    }
    return draws;
}

QString shown(std::string_view transcript) {
    return QString::fromUtf8(transcript.data(), static_cast<qsizetype>(transcript.size()))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QStringList texts(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items.append(list->item(i)->text());
    }
    return items;
}

QStringList seriesTexts(int number) {
    QStringList items;
    for (const std::string_view text : currencyCatalogue().byNumber(number).values) {
        items.append(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    return items;
}

enum class PickBy { Mouse, Keyboard, Accessibility };

} // namespace

class QuizFormTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensOnAnArmedTurnUnderTheIntroduction();
    void pickIsJudgedOnceAndLocksBothOptions_data();
    void pickIsJudgedOnceAndLocksBothOptions();
    void command1ReportsTheNewTurnAndRearmsWithoutJudging();
    void secondCommand1LeavesOnlyItsOwnReport();
    void tabVisitsTheControlsInDesignOrder();
    void textBoxCanBeSelectedButNotEdited();
    void turnsCanBePlayedByKeyboardAlone();
    void everyPartOfTheWindowOffersTheStatistics();
    void aLevelFromTheMenuDealsTheNextTurnNotThisOne();
    void theAdaptiveEntryDealsEachTurnAtThePupilsLevel();

private:
    template <typename Widget> Widget* control(const char* name) const {
        return findControl<Widget>(*form_, name);
    }
    QRadioButton* option(int index) const {
        return index == 0 ? control<QRadioButton>("Option1_0") : control<QRadioButton>("Option1_1");
    }
    QListWidget* list(int index) const {
        return index == 0 ? control<QListWidget>("List1_0") : control<QListWidget>("List1_1");
    }
    QString textBox() const { return control<QPlainTextEdit>("Text1_0")->toPlainText(); }
    void pick(int index, PickBy way);
    void pressCommand1() { QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton); }

    std::unique_ptr<QuizForm> form_;
};

void QuizFormTest::init() {
    form_ = std::make_unique<QuizForm>(std::make_unique<SequenceRandomSource>(threeTurns()),
                                       NumberStyle{});
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void QuizFormTest::cleanup() {
    form_.reset();
}

void QuizFormTest::pick(int index, PickBy way) {
    QRadioButton* button = option(index);
    switch (way) {
    case PickBy::Mouse: {
        // A radio button takes clicks on its indicator and caption only; its centre may miss.
        QStyleOptionButton style;
        style.initFrom(button);
        const QRect indicator =
            button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &style, button);
        QTest::mouseClick(button, Qt::LeftButton, {}, indicator.center());
        break;
    }
    case PickBy::Keyboard:
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Space);
        break;
    case PickBy::Accessibility: {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        QVERIFY(accessible && accessible->actionInterface());
        accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        break;
    }
    }
}

void QuizFormTest::opensOnAnArmedTurnUnderTheIntroduction() {
    QCOMPARE(textBox(), shown(introduction()));
    for (int i = 0; i < 2; ++i) {
        QVERIFY(option(i)->isEnabled());
        QVERIFY(!option(i)->isChecked());
        QCOMPARE(list(i)->count(), kValueCount);
    }
    QCOMPARE(form_->model().turn().RealSide, 1);
    QCOMPARE(texts(list(1)), seriesTexts(4));
    QCOMPARE(list(0)->item(0)->text(), QStringLiteral("2.25460")); // 2.25015 + 4450 / 1e6
}

void QuizFormTest::pickIsJudgedOnceAndLocksBothOptions_data() {
    QTest::addColumn<PickBy>("way");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("verdict");
    const QString right = QStringLiteral("Правилно\n");
    const QString wrong = QStringLiteral("Грешка!\n");
    // The first turn shows the real series on the right, under option 1.
    QTest::newRow("mouse, real list") << PickBy::Mouse << 1 << right;
    QTest::newRow("mouse, generated list") << PickBy::Mouse << 0 << wrong;
    QTest::newRow("keyboard, real list") << PickBy::Keyboard << 1 << right;
    QTest::newRow("keyboard, generated list") << PickBy::Keyboard << 0 << wrong;
    QTest::newRow("accessibility, real list") << PickBy::Accessibility << 1 << right;
    QTest::newRow("accessibility, generated list") << PickBy::Accessibility << 0 << wrong;
}

void QuizFormTest::pickIsJudgedOnceAndLocksBothOptions() {
    QFETCH(PickBy, way);
    QFETCH(int, index);
    QFETCH(QString, verdict);

    pick(index, way);
    QCOMPARE(textBox(), shown(introduction()) + verdict);
    // The introduction fills more than the box: the verdict below it is scrolled into view.
    const QScrollBar* scroll = control<QPlainTextEdit>("Text1_0")->verticalScrollBar();
    QVERIFY(scroll->maximum() > 0);
    QCOMPARE(scroll->value(), scroll->maximum());
    QVERIFY(option(index)->isChecked());
    QVERIFY(!option(1 - index)->isChecked());
    QVERIFY(!option(0)->isEnabled());
    QVERIFY(!option(1)->isEnabled());

    // Locked: no way of picking again adds a second verdict.
    for (const PickBy again : {PickBy::Mouse, PickBy::Keyboard, PickBy::Accessibility}) {
        pick(1 - index, again);
        pick(index, again);
    }
    QCOMPARE(textBox(), shown(introduction()) + verdict);
    QVERIFY(option(index)->isChecked());
}

void QuizFormTest::command1ReportsTheNewTurnAndRearmsWithoutJudging() {
    pick(0, PickBy::Mouse);
    pressCommand1();

    QCOMPARE(textBox(), QStringLiteral("Генерирани са данни за: японска йена - JPY\n"
                                       "Максимална разлика: 0.0667599999999999\n"));
    QCOMPARE(texts(list(0)), seriesTexts(2));
    QCOMPARE(list(1)->count(), kValueCount);
    QCOMPARE(list(1)->item(0)->text(), QStringLiteral("1.54626")); // 1.49654 + 49720 / 1e6
    for (int i = 0; i < 2; ++i) {
        QVERIFY(option(i)->isEnabled());
        QVERIFY(!option(i)->isChecked());
    }

    pick(0, PickBy::Keyboard); // the real list is now on the left
    QVERIFY(textBox().endsWith(QStringLiteral("\nПравилно\n")));
}

void QuizFormTest::secondCommand1LeavesOnlyItsOwnReport() {
    pressCommand1();
    pick(1, PickBy::Mouse);
    pressCommand1();
    QCOMPARE(textBox(), QStringLiteral("Генерирани са данни за: щатски долар - USD\n"
                                       "Максимална разлика: 0.04196\n"));
    QCOMPARE(texts(list(0)), seriesTexts(1));
}

void QuizFormTest::tabVisitsTheControlsInDesignOrder() {
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QCOMPARE(form_->focusWidget(), control<QPlainTextEdit>("Text1_0"));

    // The option group is one stop, as radio buttons are everywhere; arrows move within it.
    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(form_->focusWidget(), Qt::Key_Tab);
        visited.append(form_->focusWidget()->objectName());
    }
    QCOMPARE(visited, (QStringList{"Option1_0", "List1_0", "List1_1", "Command1", "Text1_0"}));

    QTest::keyClick(form_->focusWidget(), Qt::Key_Tab);
    QTest::keyClick(form_->focusWidget(), Qt::Key_Right);
    QCOMPARE(form_->focusWidget(), option(1));
    QVERIFY(!option(1)->isChecked()); // moving is not picking
}

void QuizFormTest::textBoxCanBeSelectedButNotEdited() {
    auto* text = control<QPlainTextEdit>("Text1_0");
    text->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(text, QStringLiteral("xyz"));
    QTest::keyClick(text, Qt::Key_Backspace);
    QCOMPARE(textBox(), shown(introduction()));

    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(text->textCursor().selectedText().startsWith(QStringLiteral("През 1950 г.")));
}

// Space picks, the focus moves on to Command1, Space again starts the next turn on the first
// option; and every step is announced to whoever listens.
void QuizFormTest::turnsCanBePlayedByKeyboardAlone() {
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    const QSignalSpy answered(form_.get(), &QuizForm::turnAnswered);
    const QSignalSpy started(form_.get(), &QuizForm::turnStarted);
    const QSignalSpy statistics(form_.get(), &QuizForm::statisticsRequested);

    QTest::keyClick(form_->focusWidget(), Qt::Key_Tab);
    QTest::keyClick(form_->focusWidget(), Qt::Key_Right);
    QTest::keyClick(form_->focusWidget(), Qt::Key_Space);
    QVERIFY(textBox().endsWith(QStringLiteral("Правилно\n")));
    QCOMPARE(answered.count(), 1);
    QCOMPARE(answered.first().first().toInt(), 1);
    QCOMPARE(form_->focusWidget(), control<QPushButton>("Command1"));

    QTest::keyClick(form_->focusWidget(), Qt::Key_Space);
    QCOMPARE(started.count(), 1);
    QCOMPARE(form_->focusWidget(), option(0));
    QVERIFY(!option(0)->isChecked()); // focused, not picked
    QTest::keyClick(form_->focusWidget(), Qt::Key_Space);
    QVERIFY(textBox().endsWith(QStringLiteral("Правилно\n"))); // series 2 is on the left
    QCOMPARE(answered.count(), 2);

    QTest::keyClick(form_->focusWidget(), Qt::Key_F2);
    QCOMPARE(statistics.count(), 1);
    QCOMPARE(answered.count(), 2); // a refused pick is never announced
}

// A right click anywhere: on the window's own parts the menu holds the statistics, the level,
// the data and the help; in the text box they come below the box's own Copy and Select All.
void QuizFormTest::everyPartOfTheWindowOffersTheStatistics() {
    const QSignalSpy statistics(form_.get(), &QuizForm::statisticsRequested);
    auto* text = control<QPlainTextEdit>("Text1_0");
    for (QWidget* target :
         {static_cast<QWidget*>(control<QLabel>("Label1_0")), static_cast<QWidget*>(option(1)),
          list(0)->viewport(), text->viewport(), static_cast<QWidget*>(form_.get())}) {
        QStringList entries;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) {
                return;
            }
            for (QAction* action : menu->actions()) {
                if (!action->isVisible()) {
                    continue;
                }
                entries.append(action->text());
                if (action->text() == QStringLiteral("Статистика…")) {
                    menu->setActiveAction(action);
                }
            }
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                target->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(target, &event);
        const QStringList own{QStringLiteral("Статистика…"), QStringLiteral("Трудност"),
                              QStringLiteral("Данни"), QStringLiteral("Помощ")};
        for (const QString& entry : own) {
            QVERIFY2(entries.contains(entry),
                     qPrintable(target->objectName() + u':' + entries.join(u',')));
        }
        QCOMPARE(entries.size() > own.size(), target == text->viewport());
    }
    QCOMPARE(statistics.count(), 5);
}

// No pick is judged at a level it was not dealt at.
void QuizFormTest::aLevelFromTheMenuDealsTheNextTurnNotThisOne() {
    QuizForm form(std::make_unique<SeededRandomSource>(5), NumberStyle{});
    const QSignalSpy chosen(&form, &QuizForm::levelChosen);
    const QList<QAction*> levels = findControl<QMenu>(form, "levelMenu")->actions();
    QCOMPARE(levels.size(), 7); // the five levels, a separator, and the adaptive one
    QVERIFY(levels[0]->isChecked());

    const QString before = findControl<QListWidget>(form, "List1_0")->item(0)->text();
    levels[4]->trigger();
    QCOMPARE(chosen.count(), 1);
    QVERIFY(levels[4]->isChecked() && !levels[0]->isChecked());
    QCOMPARE(form.model().turn().level, 0);
    QCOMPARE(findControl<QListWidget>(form, "List1_0")->item(0)->text(), before);

    findControl<QPushButton>(form, "Command1")->click();
    QCOMPARE(form.model().turn().level, 4);
}

// „според ученика“ starts the staircase from the next turn; the turn on screen keeps its level.
void QuizFormTest::theAdaptiveEntryDealsEachTurnAtThePupilsLevel() {
    QuizForm form(std::make_unique<SeededRandomSource>(5), NumberStyle{}, DataSet::catalogue(), 3);
    QSignalSpy chosen(&form, &QuizForm::levelChosen);
    QAction* adaptive = findControl<QMenu>(form, "levelMenu")->actions().last();
    QCOMPARE(adaptive->text(), QStringLiteral("според ученика"));
    QVERIFY(!adaptive->isChecked());
    adaptive->trigger();
    QCOMPARE(chosen.takeFirst().at(0).toInt(), kAdaptiveLevel);
    QVERIFY(adaptive->isChecked());
    QCOMPARE(form.model().turn().level, 3);

    const auto answer = [&form](bool right) {
        const int real = form.model().turn().RealSide;
        findControl<QRadioButton>(form, right == (real == 0) ? "Option1_0" : "Option1_1")->click();
        findControl<QPushButton>(form, "Command1")->click();
    };
    answer(true);
    QCOMPARE(form.model().turn().level, Staircase::kStartLevel);
    answer(false);
    QCOMPARE(form.model().turn().level, 0);

    // Opened with --level auto, the entry is checked from the start.
    const QuizForm opened(std::make_unique<SeededRandomSource>(5), NumberStyle{},
                          DataSet::catalogue(), kAdaptiveLevel);
    QVERIFY(findControl<QMenu>(opened, "levelMenu")->actions().last()->isChecked());
    QCOMPARE(opened.model().turn().level, Staircase::kStartLevel);
}

QTEST_MAIN(QuizFormTest)
#include "quiz_form_test.moc"
