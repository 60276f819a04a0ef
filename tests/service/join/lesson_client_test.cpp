// A pupil's quiz in a lesson, against a fake host on loopback that speaks the lesson's
// messages: it joins, picks, hears the verdict, and after a dropped connection resumes with its
// token to the same turn; a host's refusal and a message it cannot read are said, not obeyed.

#include "service/join/lesson_client.h"
#include "tests/support/fake_lesson_host.h"

#include <QSignalSpy>
#include <QTest>

using namespace quiz;
using namespace quiz::fake_host;

namespace {

const QString kToken = QString(32, u'a');

JoinDetails pupil() {
    return {QStringLiteral("Мария"), QStringLiteral("4821"), QStringLiteral("device-0123456789"),
            QStringLiteral(",")};
}

} // namespace

class LessonClientTest : public QObject {
    Q_OBJECT
private slots:
    void joinsPicksAndResumesAfterADrop();
    void saysTheHostsRefusal();
    void leavesAHostItCannotRead();
};

void LessonClientTest::joinsPicksAndResumesAfterADrop() {
    FakeHost host;
    LessonClient client(host.address(), pupil(), nullptr, 50);
    QSignalSpy joined(&client, &LessonClient::joined);
    QSignalSpy dealt(&client, &LessonClient::turnDealt);
    QSignalSpy judged(&client, &LessonClient::turnJudged);
    QSignalSpy reconnecting(&client, &LessonClient::reconnecting);
    QSignalSpy reconnected(&client, &LessonClient::reconnected);
    client.open();

    QVERIFY(host.waitForMessages(1));
    QCOMPARE(host.kindOf(0), key(wire_kind::kJoin));
    QCOMPARE(host.heard[0].value(key(wire_field::kName)).toString(), QStringLiteral("Мария"));
    QCOMPARE(host.heard[0].value(key(wire_field::kCode)).toString(), QStringLiteral("4821"));
    host.say(joinedMessage(kToken, QStringLiteral("Мария")));
    host.say(turnMessage(3));
    QVERIFY(dealt.wait(kWaitMs));
    QCOMPARE(joined.count(), 1);
    const auto turn = dealt.at(0).at(0).value<DealtTurn>();
    QCOMPARE(turn.number, 3);
    QCOMPARE(turn.lists[1].at(1), std::string("1,95722"));

    client.pick(1);
    QVERIFY(host.waitForMessages(2));
    QCOMPARE(host.kindOf(1), key(wire_kind::kPick));
    QCOMPARE(host.heard[1].value(key(wire_field::kTurn)).toInt(), 3);
    QCOMPARE(host.heard[1].value(key(wire_field::kSide)).toInt(), 1);
    QCOMPARE(host.heard[1].value(key(wire_field::kToken)).toString(), kToken);
    host.say(judgedMessage(3, 1, true, {"Вярно!"}));
    QVERIFY(judged.wait(kWaitMs));
    const auto verdict = judged.at(0).at(0).value<JudgedTurn>();
    QVERIFY(verdict.right);
    QCOMPARE(verdict.report, std::vector<std::string>{"Вярно!"});

    // The connection drops: the quiz says so, comes back and resumes with its token.
    host.pupil->abort();
    QVERIFY(reconnecting.wait(kWaitMs));
    QVERIFY(host.waitForMessages(3));
    QCOMPARE(reconnected.count(), 1);
    QCOMPARE(host.kindOf(2), key(wire_kind::kResume));
    QCOMPARE(host.heard[2].value(key(wire_field::kToken)).toString(), kToken);
    client.next();
    QVERIFY(host.waitForMessages(4));
    QCOMPARE(host.kindOf(3), key(wire_kind::kNext));
    client.close();
}

void LessonClientTest::saysTheHostsRefusal() {
    FakeHost host;
    LessonClient client(host.address(), pupil());
    QSignalSpy refused(&client, &LessonClient::refused);
    client.open();
    QVERIFY(host.waitForMessages(1));
    const QString words = QStringLiteral("Кодът за влизане не е верен.");
    host.say(refusedMessage(QStringLiteral("wrong-code"), words, false));
    QVERIFY(refused.wait(kWaitMs));
    QCOMPARE(refused.at(0).at(0).toString(), words);
    QVERIFY(!client.isJoined());
    client.close();
}

void LessonClientTest::leavesAHostItCannotRead() {
    FakeHost host;
    LessonClient client(host.address(), pupil());
    QSignalSpy refused(&client, &LessonClient::refused);
    QSignalSpy dealt(&client, &LessonClient::turnDealt);
    client.open();
    QVERIFY(host.waitForMessages(1));
    QJsonObject wrong = turnMessage(1);
    wrong.insert(key(wire_field::kLevel), QStringLiteral("high")); // a number's field as text
    host.say(wrong);
    QVERIFY(refused.wait(kWaitMs));
    QVERIFY(refused.at(0).at(1).toBool());
    QCOMPARE(dealt.count(), 0);
}

QTEST_GUILESS_MAIN(LessonClientTest)
#include "lesson_client_test.moc"
