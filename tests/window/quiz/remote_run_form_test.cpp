// The window over a run whose answers come later, as a lesson's on the network: a pick locks
// the options at once, what the run says later reaches the lists and the transcript, and the
// local run's own menu entries make way, all but the help.

#include "core/data/catalogue.h"
#include "core/quiz/quiz_run.h"
#include "tests/support/find_control.h"
#include "tests/support/sequence_random.h"
#include "window/quiz/quiz_form.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace quiz;

namespace {

// A run the test answers for: it records the events and says what the test makes it say.
class FakeRun final : public QuizRun {
public:
    std::vector<int> picks;
    int nextTurns = 0;
    Lists shownLists{{{"1,1", "1,2"}, {"2,1", "2,2"}}};
    std::array<QuizModel::Option, 2> options{{{true, false}, {true, false}}};
    std::string transcript;

    void Form_Load(std::string_view introduction) override { transcript = introduction; }
    bool Option1_Click(int Index) override {
        if (!options[0].enabled) {
            return false;
        }
        picks.push_back(Index);
        options = {};
        options[static_cast<std::size_t>(Index)].checked = true;
        return true;
    }
    void Command1_Click() override { ++nextTurns; }
    const Lists& lists() const override { return shownLists; }
    const QuizModel::Option& option(int index) const override {
        return options.at(static_cast<std::size_t>(index));
    }
    const std::string& Transcript() const override { return transcript; }
    bool isLocal() const override { return false; }

    void say() const { changed(); }
};

QStringList texts(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items.append(list->item(i)->text());
    }
    return items;
}

std::unique_ptr<QuizForm> localForm() {
    return std::make_unique<QuizForm>(std::make_unique<SequenceRandomSource>(turnDraws(seriesDraw(4), kSideOne, 0.5F)),
                                      NumberStyle{});
}

// What the run says later, after a pick of the second list.
enum class Later { Verdict, NewTurn };

} // namespace

class RemoteRunFormTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void aPickLocksAtOnceAndTheRunsLaterWordsAreShown_data();
    void aPickLocksAtOnceAndTheRunsLaterWordsAreShown();
    void theLocalRunsEntriesLeaveTheMenuButTheHelp();

private:
    std::unique_ptr<QuizForm> form_;
    FakeRun* run_ = nullptr;
};

void RemoteRunFormTest::init() {
    form_ = localForm();
    auto run = std::make_unique<FakeRun>();
    run_ = run.get();
    form_->joinLesson(std::move(run));
}

void RemoteRunFormTest::cleanup() {
    form_.reset();
}

void RemoteRunFormTest::aPickLocksAtOnceAndTheRunsLaterWordsAreShown_data() {
    QTest::addColumn<Later>("later");
    QTest::addColumn<std::string>("transcript");
    QTest::addColumn<bool>("open");       // the options can be picked again
    QTest::addColumn<QString>("firstItem"); // the first list's first number
    QTest::newRow("verdict") << Later::Verdict << std::string("Правилно\r\nМаксимална: 0,1\r\n")
                             << false << QStringLiteral("1,1");
    QTest::newRow("new turn") << Later::NewTurn << std::string("Генерирани са данни за: X\r\n")
                              << true << QStringLiteral("9,9");
}

void RemoteRunFormTest::aPickLocksAtOnceAndTheRunsLaterWordsAreShown() {
    QFETCH(Later, later);
    QFETCH(std::string, transcript);
    QFETCH(bool, open);
    QFETCH(QString, firstItem);
    const QSignalSpy answered(form_.get(), &QuizForm::turnAnswered);
    auto* option = findControl<QRadioButton>(*form_, "Option1_1");
    auto* text = findControl<QPlainTextEdit>(*form_, "Text1_0");
    const QString opening = text->toPlainText();
    QCOMPARE(texts(findControl<QListWidget>(*form_, "List1_1")), (QStringList{"2,1", "2,2"}));

    QTest::mouseClick(option, Qt::LeftButton);
    QCOMPARE(run_->picks, std::vector<int>{1});
    QVERIFY(option->isChecked());
    QVERIFY(!option->isEnabled() && !findControl<QRadioButton>(*form_, "Option1_0")->isEnabled());
    QCOMPARE(text->toPlainText(), opening); // no verdict until the run has one
    QCOMPARE(answered.count(), 0);          // no local turn was answered

    if (later == Later::Verdict) {
        run_->transcript += transcript;
    } else {
        run_->shownLists = {{{"9,9"}, {"8,8"}}};
        run_->options = {{{true, false}, {true, false}}};
        run_->transcript = transcript;
    }
    run_->say();
    QVERIFY(text->toPlainText().endsWith(QString::fromStdString(transcript).replace(
        QStringLiteral("\r\n"), QStringLiteral("\n"))));
    QCOMPARE(option->isEnabled(), open);
    QCOMPARE(option->isChecked(), !open);
    QCOMPARE(findControl<QListWidget>(*form_, "List1_0")->item(0)->text(), firstItem);
}

void RemoteRunFormTest::theLocalRunsEntriesLeaveTheMenuButTheHelp() {
    const QSignalSpy statistics(form_.get(), &QuizForm::statisticsRequested);
    QStringList shown;
    for (QAction* action : form_->actions()) {
        if (action->isVisible()) {
            shown.append(action->text());
        }
    }
    QCOMPARE(shown, QStringList{QStringLiteral("Помощ")});
    QTest::keyClick(form_.get(), Qt::Key_F2);
    QCOMPARE(statistics.count(), 0);
    QTest::mouseClick(findControl<QPushButton>(*form_, "Command1"), Qt::LeftButton);
    QCOMPARE(run_->nextTurns, 1);

    // The local window offers joining; the joined one no longer does.
    const auto local = localForm();
    local->offerJoining();
    const QSignalSpy join(local.get(), &QuizForm::joinRequested);
    for (QAction* action : local->actions()) {
        if (action->text() == QStringLiteral("Присъедини се към урок…") && action->isVisible()) {
            action->trigger();
        }
    }
    QCOMPARE(join.count(), 1);
}

QTEST_MAIN(RemoteRunFormTest)
#include "remote_run_form_test.moc"
