// Thousands of presses and picks through the real window, the statistics window open beside
// it: the transcript never holds more than a report and one verdict, and memory stays flat.
// QUIZ_SOAK_ROUNDS sets how many rounds (a press and a pick each; default 2,000).

#include "core/random/random_source.h"
#include "tests/support/find_control.h"
#include "window/classroom/attach_classroom.h"
#include "window/classroom/classroom.h"
#include "window/classroom/statistics_window.h"
#include "window/quiz/quiz_form.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <malloc.h>

#include <cstdlib>

using namespace quiz;

namespace {

constexpr int kDefaultRounds = 2000;
constexpr int kWarmUpRounds = 200; // Qt fills its caches (glyphs, pixmaps) early on
constexpr int kPaintEvery = 25;    // let both windows repaint now and then
constexpr std::size_t kHeapSlack = 256 * 1024;

int soakRounds() {
    const char* text = std::getenv("QUIZ_SOAK_ROUNDS");
    return text ? std::atoi(text) : kDefaultRounds;
}

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

int lineCount(const std::string& transcript) {
    int lines = 0;
    for (std::size_t at = transcript.find("\r\n"); at != std::string::npos;
         at = transcript.find("\r\n", at + 2)) {
        ++lines;
    }
    return lines;
}

} // namespace

class WindowSoakTest : public QObject {
    Q_OBJECT

private slots:
    void transcriptAndMemoryStayBounded();
};

void WindowSoakTest::transcriptAndMemoryStayBounded() {
    const std::uint32_t seed = SeededRandomSource::seedFromClock();
    QuizForm form(std::make_unique<SeededRandomSource>(seed), NumberStyle{});
    const auto classroom = attachClassroom(form, seed);
    form.show();
    classroom->statisticsWindow()->show();
    QVERIFY(QTest::qWaitForWindowExposed(classroom->statisticsWindow()));

    auto* command = findControl<QPushButton>(form, "Command1");
    auto* text = findControl<QPlainTextEdit>(form, "Text1_0");
    const std::array options{findControl<QRadioButton>(form, "Option1_0"),
                             findControl<QRadioButton>(form, "Option1_1")};
    const int rounds = soakRounds();
    std::size_t heapAfterWarmUp = 0;
    for (int round = 1; round <= rounds; ++round) {
        command->click();
        QCOMPARE(lineCount(form.model().Transcript()), 2);
        options[static_cast<std::size_t>(round % 2)]->click();
        QCOMPARE(lineCount(form.model().Transcript()), 3);
        QCOMPARE(text->blockCount(), 4); // three lines, and the empty one after the last end
        if (round % kPaintEvery == 0) {
            QCoreApplication::processEvents();
        }
        if (round == kWarmUpRounds) {
            heapAfterWarmUp = heapInUse();
        }
    }
    QCOMPARE(classroom->score().total().answered, rounds);

#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the sanitizer's own allocator hides the heap; LeakSanitizer checks this build at exit");
#endif
    if (rounds > kWarmUpRounds) {
        const std::size_t heapAtEnd = heapInUse();
        qInfo("heap in use after %d rounds: %zu bytes; at the end of %d: %zu bytes", kWarmUpRounds,
              heapAfterWarmUp, rounds, heapAtEnd);
        QVERIFY2(heapAtEnd < heapAfterWarmUp + kHeapSlack, "the heap grows from turn to turn");
    }
}

QTEST_MAIN(WindowSoakTest)
#include "window_soak_test.moc"
