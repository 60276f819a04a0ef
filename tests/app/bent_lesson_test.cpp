// A lesson in one class folder where pupils try to bend the counts: one answers the same turns
// again in a second copy of the quiz, one switches the level from the menu, 25 only guess. The
// teacher's view, reading the folder with the teacher's key, must count the first answers,
// reach no level from menu-chosen turns, and find none of the guessers better than guessing.

#include "app/startup.h"
#include "core/class/class_reasons.h"
#include "core/lesson/lesson_settings.h"
#include "core/seal/seal_keys.h"
#include "core/turns/level.h"
#include "service/class/class_folder.h"
#include "tests/support/class_session.h"
#include "tests/support/find_control.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <memory>
#include <random>
#include <string>

using namespace quiz;

namespace {

constexpr int kGuessers = 25;
constexpr int kGuessesEach = 8;

class ClassFolderWithKey {
public:
    ClassFolderWithKey() : keys_(makeSealKeys()) {
        LessonSettings lesson;
        lesson.seedKey = keys_.publicKey;
        QSaveFile file(QDir(folder_.path()).filePath(QStringLiteral("lesson.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(lessonSettingsText(lesson)));
        QVERIFY(file.commit());
    }

    std::unique_ptr<QuizSession> start(const QString& pupil, const QStringList& options) const {
        return testing::startInClassFolder(folder_.path(), pupil, options);
    }

    // The teacher's view of the folder, with the key its seeds are sealed for.
    std::unique_ptr<ClassFolder> teacher() const {
        auto view = std::make_unique<ClassFolder>(folder_.path(), keys_);
        view->refresh();
        return view;
    }

private:
    QTemporaryDir folder_;
    SealKeys keys_;
};

// Answers the turn on screen, right or wrong as asked, and asks for the next one.
void answer(QuizSession& session, bool right) {
    const int real = session.form->model().turn().RealSide;
    const int pick = right ? real : 1 - real;
    findControl<QRadioButton>(*session.form, pick == 0 ? "Option1_0" : "Option1_1")->click();
    findControl<QPushButton>(*session.form, "Command1")->click();
}

void answerAll(QuizSession& session, const std::string& pattern) {
    for (const char right : pattern) {
        answer(session, right == 'R');
    }
}

void chooseLevel(QuizSession& session, int level) {
    findControl<QMenu>(*session.form, "levelMenu")->actions()[level]->trigger();
}

const PupilSummary* pupilNamed(const std::vector<PupilSummary>& pupils, const std::string& name) {
    const auto found = std::find_if(pupils.begin(), pupils.end(),
                                    [&](const PupilSummary& pupil) { return pupil.pupil == name; });
    return found == pupils.end() ? nullptr : &*found;
}

void nextSecond() {
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    while (QDateTime::currentSecsSinceEpoch() == now) {
        QThread::msleep(10);
    }
}

bool namedAsRepeat(const ClassResults& results) {
    const std::vector<Skipped> notCounted = results.notCounted();
    return std::any_of(notCounted.begin(), notCounted.end(), [](const Skipped& skipped) {
        return skipped.reason.id == ClassReasonId::RepeatedTurns;
    });
}

} // namespace

class BentLessonTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("realdataquiz")); }

    void theTeacherCountsWhatThePupilsFirstGaveAndNoLuck() {
        const ClassFolderWithKey folder;
        // Мария answers ten turns, two wrong, then deals them again and answers all right.
        {
            const auto first = folder.start(QStringLiteral("Мария"),
                                            {QStringLiteral("--seed"), QStringLiteral("4242"),
                                             QStringLiteral("--level"), QStringLiteral("2")});
            answerAll(*first, "RRWRRRWRRR");
        }
        // Rows tell time to the second, and a copy started within the same second could not be
        // told to come later; no pupil replays ten turns that fast.
        nextSecond();
        {
            const auto again = folder.start(QStringLiteral("Мария"),
                                            {QStringLiteral("--seed"), QStringLiteral("4242"),
                                             QStringLiteral("--level"), QStringLiteral("2")});
            answerAll(*again, "RRRRRRRRRR");
        }
        // Петър plays at level 4, switches 3/4/3/4 from the menu, 4 of 12 right.
        {
            const auto switching = folder.start(QStringLiteral("Петър"),
                                                {QStringLiteral("--level"), QStringLiteral("4")});
            const std::string thirds[] = {"RWW", "WRW", "WWR", "RWW"};
            const int levels[] = {3, 4, 3, 4};
            for (int part = 0; part < 4; ++part) {
                chooseLevel(*switching, levels[part]);
                answerAll(*switching, thirds[part]);
            }
        }
        // Guessers: picks from a seeded stream, the same in every run of the test.
        std::mt19937 coin(2027);
        int luckiest = 0;
        for (int guesser = 1; guesser <= kGuessers; ++guesser) {
            const auto session = folder.start(QStringLiteral("Ученик %1").arg(guesser),
                                              {QStringLiteral("--level"), QStringLiteral("2")});
            int right = 0;
            for (int turn = 0; turn < kGuessesEach; ++turn) {
                const bool lucky = (coin() & 1U) != 0;
                right += lucky ? 1 : 0;
                answer(*session, lucky);
            }
            luckiest = std::max(luckiest, right);
        }
        // Tested alone at 5 %, 7 of 8 would beat guessing: the class must hold such a pupil.
        QVERIFY(luckiest >= 7);

        const auto teacher = folder.teacher();
        const ClassResults& results = teacher->results();
        const std::vector<PupilSummary> pupils = results.pupils();
        QCOMPARE(pupils.size(), std::size_t{kGuessers + 2});

        const PupilSummary* maria = pupilNamed(pupils, "Мария");
        QVERIFY(maria);
        QCOMPARE(maria->answered, 10);
        QCOMPARE(maria->right, 8);
        QVERIFY(namedAsRepeat(results));

        const PupilSummary* petar = pupilNamed(pupils, "Петър");
        QVERIFY(petar);
        QCOMPARE(petar->answered, 12);
        QCOMPARE(petar->right, 4);
        QVERIFY2(!petar->reached, "a level was reached from turns no staircase dealt");

        const ClassSummary summary = results.summary();
        QCOMPARE(summary.total.answered, 10 + 12 + kGuessers * kGuessesEach);
        QCOMPARE(summary.pupilsJudged, kGuessers + 2);
        QCOMPARE(summary.pupilsBeatingGuessing, 0);
    }
};

QTEST_MAIN(BentLessonTest)
#include "bent_lesson_test.moc"
