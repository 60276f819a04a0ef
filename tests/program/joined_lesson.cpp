// The real program started with --join plays two turns of a lesson a fake host deals on
// loopback: it joins with the name and code given, sends each pick and each request for a turn,
// and its window shows the turns the host dealt.
//   joined_lesson <quiz program>   (with the first-frame probe in the environment)

#include "tests/support/fake_lesson_host.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

using namespace quiz;
using namespace quiz::fake_host;

namespace {

constexpr int kQuizEndsWithinMs = 60000; // a bound, never a measure
const QString kToken = QString(32, u'c');

// The probe waits before each round until its file exists: a turn is dealt, then its file made.
bool tellProbe(const QString& waitFile, int round) {
    QFile file(waitFile + u'.' + QString::number(round));
    return file.open(QIODevice::WriteOnly);
}

bool fail(const char* what, QProcess& quiz) {
    std::fprintf(stderr, "%s\n%s\n", what, quiz.readAllStandardError().constData());
    quiz.kill();
    quiz.waitForFinished();
    return false;
}

bool heardPick(const FakeHost& host, qsizetype index, int turn, int side) {
    const QJsonObject& pick = host.heard.at(index);
    return host.kindOf(index) == key(wire_kind::kPick) &&
           pick.value(key(wire_field::kTurn)).toInt() == turn &&
           pick.value(key(wire_field::kSide)).toInt() == side &&
           pick.value(key(wire_field::kToken)).toString() == kToken &&
           host.kindOf(index + 1) == key(wire_kind::kNext);
}

bool playTwoTurns(FakeHost& host, QProcess& quiz, const QString& waitFile) {
    if (!host.waitForMessages(1) || host.kindOf(0) != key(wire_kind::kJoin) ||
        host.heard[0].value(key(wire_field::kName)).toString() != QStringLiteral("Иван") ||
        host.heard[0].value(key(wire_field::kCode)).toString() != QStringLiteral("4821")) {
        return fail("the quiz did not join with the name and code given", quiz);
    }
    host.say(joinedMessage(kToken, QStringLiteral("Иван")));
    host.say(turnMessage(1, {"1,11", "1,12"}, {"2,11", "2,12"}));
    if (!host.pupil->flush() || !tellProbe(waitFile, 1)) {
        return fail("the first turn could not be dealt", quiz);
    }
    if (!host.waitForMessages(3) || !heardPick(host, 1, 1, 1)) {
        return fail("no pick of the second list and request for a turn", quiz);
    }
    host.say(judgedMessage(1, 1, true, {"Правилно"}));
    host.say(turnMessage(2, {"3,31", "3,32"}, {"4,41", "4,42"}));
    if (!host.pupil->flush() || !tellProbe(waitFile, 2)) {
        return fail("the second turn could not be dealt", quiz);
    }
    if (!host.waitForMessages(5) || !heardPick(host, 3, 2, 1)) {
        return fail("no pick of the second turn", quiz);
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: joined_lesson <quiz program>\n");
        return 2;
    }
    FakeHost host;
    const QTemporaryDir folder;
    const QString waitFile = folder.filePath(QStringLiteral("dealt"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Each round waits for its turn, then picks the second list and asks for the next turn.
    environment.insert(QStringLiteral("QUIZ_PROBE_CLICK"), QStringLiteral("Option1_1,Command1"));
    environment.insert(QStringLiteral("QUIZ_PROBE_REPEAT"), QStringLiteral("2"));
    environment.insert(QStringLiteral("QUIZ_PROBE_WAIT_AFTER"), QStringLiteral("0,1"));
    environment.insert(QStringLiteral("QUIZ_PROBE_WAIT_FILE"), waitFile);
    QProcess quiz;
    quiz.setProcessEnvironment(environment);
    quiz.start(QString::fromLocal8Bit(argv[1]),
               {QStringLiteral("--join"), host.address().toString(), QStringLiteral("--pupil"),
                QStringLiteral("Иван"), QStringLiteral("--code"), QStringLiteral("4821")});
    if (!playTwoTurns(host, quiz, waitFile)) {
        return 1;
    }
    // It may have ended already, while the host was waiting for its last messages.
    const bool ended =
        quiz.state() == QProcess::NotRunning || quiz.waitForFinished(kQuizEndsWithinMs);
    if (!ended || quiz.exitStatus() != QProcess::NormalExit || quiz.exitCode() != 0) {
        std::fprintf(stderr, "exit %d\n", quiz.exitCode());
        fail("the quiz ended badly", quiz);
        return 1;
    }
    const QString shown = QString::fromUtf8(quiz.readAllStandardOutput());
    if (!shown.contains(QStringLiteral("list List1_0 3,31\n")) ||
        !shown.contains(QStringLiteral("list List1_1 4,41\n"))) {
        std::fprintf(stderr, "the window did not show the second turn:\n%s\n", qPrintable(shown));
        return 1;
    }
    return 0;
}
