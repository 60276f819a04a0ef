// A lesson's turns as the quiz window's run, against a fake host on loopback: a pick locks the
// options before the verdict comes, the verdict's lines join the transcript, a refusal is said,
// and a dropped connection is announced until the host deals the turn again.

#include "service/join/remote_quiz.h"
#include "tests/support/fake_lesson_host.h"

#include <QSignalSpy>
#include <QTest>

using namespace quiz;
using namespace quiz::fake_host;

namespace {

const QString kToken = QString(32, u'b');

JoinDetails pupil() {
    return {QStringLiteral("Иван"), QStringLiteral("4821"), QStringLiteral("device-0123456789"),
            QStringLiteral(",")};
}

struct Options {
    bool enabled0, checked0, enabled1, checked1;
};

Options options(const RemoteQuiz& quiz) {
    return {quiz.option(0).enabled, quiz.option(0).checked, quiz.option(1).enabled,
            quiz.option(1).checked};
}

bool operator==(const Options& a, const Options& b) {
    return a.enabled0 == b.enabled0 && a.checked0 == b.checked0 && a.enabled1 == b.enabled1 &&
           a.checked1 == b.checked1;
}

// Plays up to a dealt turn 1 and counts the run's changes.
struct Played {
    FakeHost host;
    RemoteQuiz quiz{host.address(), pupil(), nullptr, 50};
    int changes = 0;

    void dealFirstTurn() {
        quiz.onChanged([this] { ++changes; });
        quiz.Form_Load("Въведение\r\n");
        QVERIFY(host.waitForMessages(1));
        host.say(joinedMessage(kToken, QStringLiteral("Иван")));
        host.say(turnMessage(1));
        QVERIFY(QTest::qWaitFor([&] { return quiz.lists()[0].size() == 2; }, kWaitMs));
    }
    bool waitForChange(int count) {
        return QTest::qWaitFor([&] { return changes >= count; }, kWaitMs);
    }
};

} // namespace

class RemoteQuizTest : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheIntroductionUntilATurnIsDealt();
    void aPickLocksAtOnceAndTheVerdictComesLater_data();
    void aPickLocksAtOnceAndTheVerdictComesLater();
    void aRefusalIsSaidAndAClosingOneEndsThePicks_data();
    void aRefusalIsSaidAndAClosingOneEndsThePicks();
    void aDropIsAnnouncedUntilTheTurnIsDealtAgain();
    void aRefusalAtTheDoorEndsTheRunAndAsksAgain();
    void aHostThatIsGoneIsSaidToBeAwaited();
};

void RemoteQuizTest::opensOnTheIntroductionUntilATurnIsDealt() {
    FakeHost host;
    RemoteQuiz quiz(host.address(), pupil());
    quiz.Form_Load("Въведение\r\n");
    QCOMPARE(quiz.Transcript(), std::string("Въведение\r\nСвързване с урока…\r\n"));
    QVERIFY(!quiz.option(0).enabled && !quiz.option(1).enabled);
    QVERIFY(!quiz.Option1_Click(0)); // nothing to pick yet
    QVERIFY(host.waitForMessages(1));
    QCOMPARE(host.kindOf(0), key(wire_kind::kJoin));
    QCOMPARE(host.heard[0].value(key(wire_field::kName)).toString(), QStringLiteral("Иван"));
}

void RemoteQuizTest::aPickLocksAtOnceAndTheVerdictComesLater_data() {
    QTest::addColumn<int>("side");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("first, right") << 0 << true << QStringLiteral("Правилно");
    QTest::newRow("second, wrong") << 1 << false << QStringLiteral("Грешка!");
}

void RemoteQuizTest::aPickLocksAtOnceAndTheVerdictComesLater() {
    QFETCH(int, side);
    QFETCH(bool, right);
    QFETCH(QString, verdict);
    Played played;
    played.dealFirstTurn();
    RemoteQuiz& quiz = played.quiz;
    QCOMPARE(quiz.Transcript(), std::string("Генерирани са данни за: щатски долар - USD\r\n"));
    QVERIFY(options(quiz) == (Options{true, false, true, false}));

    QVERIFY(quiz.Option1_Click(side));
    const Options locked{false, side == 0, false, side == 1};
    QVERIFY(options(quiz) == locked);
    QVERIFY(!quiz.Option1_Click(1 - side)); // one pick a turn, even before the verdict
    QVERIFY(played.host.waitForMessages(2));
    QCOMPARE(played.host.kindOf(1), key(wire_kind::kPick));
    QCOMPARE(played.host.heard[1].value(key(wire_field::kSide)).toInt(), side);

    const int before = played.changes;
    played.host.say(judgedMessage(1, side, right, {verdict, QStringLiteral("Максимална разлика: 0,003")}));
    QVERIFY(played.waitForChange(before + 1));
    QCOMPARE(QString::fromStdString(quiz.Transcript()),
             QStringLiteral("Генерирани са данни за: щатски долар - USD\r\n") + verdict +
                 QStringLiteral("\r\nМаксимална разлика: 0,003\r\n"));
    QVERIFY(options(quiz) == locked);

    // The next turn replaces the lists and the transcript, and the options open again.
    quiz.Command1_Click();
    QVERIFY(played.host.waitForMessages(3));
    QCOMPARE(played.host.kindOf(2), key(wire_kind::kNext));
    played.host.say(turnMessage(2, {"7,5"}, {"7,6"}));
    QVERIFY(QTest::qWaitFor([&] { return quiz.lists()[0].size() == 1; }, kWaitMs));
    QCOMPARE(quiz.lists()[1], std::vector<std::string>{"7,6"});
    QVERIFY(options(quiz) == (Options{true, false, true, false}));
    QCOMPARE(quiz.Transcript(), std::string("Генерирани са данни за: щатски долар - USD\r\n"));
}

void RemoteQuizTest::aRefusalIsSaidAndAClosingOneEndsThePicks_data() {
    QTest::addColumn<bool>("closes");
    QTest::newRow("the pick again") << false;
    QTest::newRow("the lesson is over") << true;
}

void RemoteQuizTest::aRefusalIsSaidAndAClosingOneEndsThePicks() {
    QFETCH(bool, closes);
    Played played;
    played.dealFirstTurn();
    QVERIFY(played.quiz.Option1_Click(0));
    const QString words = QStringLiteral("Ходът вече е друг.");
    const int before = played.changes;
    played.host.say(refusedMessage(QStringLiteral("stale-turn"), words, closes));
    QVERIFY(played.waitForChange(before + 1));
    QVERIFY(QString::fromStdString(played.quiz.Transcript()).endsWith(words + QStringLiteral("\r\n")));
    QVERIFY(options(played.quiz) == (Options{!closes, false, !closes, false}));
    QCOMPARE(played.quiz.Option1_Click(1), !closes);
}

void RemoteQuizTest::aDropIsAnnouncedUntilTheTurnIsDealtAgain() {
    Played played;
    played.dealFirstTurn();
    const int before = played.changes;
    played.host.pupil->abort();
    QVERIFY(played.waitForChange(before + 1));
    QVERIFY(played.quiz.Transcript().ends_with("Връзката се възстановява…\r\n"));
    QVERIFY(played.host.waitForMessages(2));
    QCOMPARE(played.host.kindOf(1), key(wire_kind::kResume));
    played.host.say(turnMessage(1));
    QVERIFY(played.waitForChange(before + 2));
    QCOMPARE(played.quiz.Transcript(),
             std::string("Генерирани са данни за: щатски долар - USD\r\n"));
}

// A wrong code or a name taken: the run leaves the host and says why, for another try.
void RemoteQuizTest::aRefusalAtTheDoorEndsTheRunAndAsksAgain() {
    FakeHost host;
    RemoteQuiz quiz(host.address(), pupil());
    QSignalSpy again(&quiz, &RemoteQuiz::refusedBeforeJoining);
    quiz.Form_Load("");
    QVERIFY(host.waitForMessages(1));
    const QString words = QStringLiteral("Кодът за влизане не е верен.");
    host.say(refusedMessage(QStringLiteral("wrong-code"), words, false));
    QVERIFY(again.wait(kWaitMs));
    QCOMPARE(again.at(0).at(0).toString(), words);
    QVERIFY(QTest::qWaitFor([&] { return host.pupil->state() == QAbstractSocket::UnconnectedState; },
                            kWaitMs));
    QVERIFY(!quiz.option(0).enabled && !quiz.option(1).enabled);
    QVERIFY(quiz.Transcript().ends_with(words.toStdString() + "\r\n"));
}

void RemoteQuizTest::aHostThatIsGoneIsSaidToBeAwaited() {
    FakeHost host;
    const QUrl address = host.address();
    host.server.close(); // nobody at the address any more
    RemoteQuiz quiz(address, pupil(), nullptr, 50);
    quiz.Form_Load("");
    QVERIFY(QTest::qWaitFor(
        [&] { return quiz.Transcript().ends_with("Връзката се възстановява…\r\n"); }, kWaitMs));
}

QTEST_GUILESS_MAIN(RemoteQuizTest)
#include "remote_quiz_test.moc"
