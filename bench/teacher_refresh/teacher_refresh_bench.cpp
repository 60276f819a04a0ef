// The teacher's view refreshing while a class plays a lesson it hosts: each refresh from the ask
// to the tables and the chart on screen, the part of it on the window's thread, and the longest
// the event loop went without running a timer. Then the same refresh with the class done, and
// the first reading of the whole folder by a view opened afresh.

#include "app/panel_hosting.h"
#include "core/seal/seal_keys.h"
#include "bench/lesson_load.h"
#include "tests/support/lesson_client.h"
#include "window/teacher/network_panel.h"
#include "window/teacher/teacher_window.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

using namespace quiz;
using namespace quiz::testing;

namespace {

constexpr int kTickMs = 5;        // the probe of the event loop
constexpr int kAskEveryMs = 200;  // a refresh asked for this often, besides the view's own
constexpr int kIdleRefreshes = 20;

double milliseconds(qint64 nanoseconds) {
    return static_cast<double>(nanoseconds) / 1e6;
}

// Times the refreshes of one view and the gaps between the ticks of a fast timer on its thread.
class RefreshWatch : public QObject {
public:
    explicit RefreshWatch(TeacherWindow& window) : window_(window) {
        clock_.start();
        qApp->installEventFilter(this);
        connect(&window_, &TeacherWindow::shown, this, &RefreshWatch::shown);
        ticks_.setTimerType(Qt::PreciseTimer);
        ticks_.setInterval(kTickMs);
        connect(&ticks_, &QTimer::timeout, this, &RefreshWatch::tick);
        asks_.setInterval(kAskEveryMs);
        connect(&asks_, &QTimer::timeout, this, &RefreshWatch::ask);
    }
    void start() {
        lastTick_ = clock_.nsecsElapsed();
        ticks_.start();
        asks_.start();
    }
    void stop() {
        ticks_.stop();
        asks_.stop();
    }
    // Asks for a refresh unless one is under way.
    void ask() {
        if (!window_.reading()) {
            asked_ = clock_.nsecsElapsed();
            window_.refresh();
        }
    }
    std::vector<double> refreshes; // from the ask to the view shown
    std::vector<double> displays;  // the reading's arrival to the view shown, on the window's thread
    std::vector<double> gaps;      // between the timer's ticks

protected:
    // The reading comes to the window as a queued call; shown() ends it.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::MetaCall) {
            arrived_ = clock_.nsecsElapsed();
        }
        return false;
    }

private:
    void tick() {
        const qint64 now = clock_.nsecsElapsed();
        gaps.push_back(milliseconds(now - lastTick_));
        lastTick_ = now;
    }
    void shown() {
        const qint64 now = clock_.nsecsElapsed();
        if (asked_ >= 0) {
            refreshes.push_back(milliseconds(now - asked_));
            asked_ = -1;
        }
        if (arrived_ >= 0) {
            displays.push_back(milliseconds(now - arrived_));
            arrived_ = -1;
        }
    }

    TeacherWindow& window_;
    QElapsedTimer clock_;
    QTimer ticks_;
    QTimer asks_;
    qint64 lastTick_ = 0;
    qint64 asked_ = -1;
    qint64 arrived_ = -1;
};

// The class on a thread of its own, as in hosted_lesson_bench: every pupil picks, then every
// one takes the verdict and asks for the next turn. Each verdict's latency goes to `latencies`.
// The teacher sets `level` on the ECB's rates with the seed key, as before a lesson.
void applyLesson(TeacherWindow& window, int level) {
    window.findChild<QComboBox*>(QStringLiteral("lessonLevel"))->setCurrentIndex(level);
    window.findChild<QComboBox*>(QStringLiteral("lessonData"))->setCurrentIndex(1);
    window.findChild<QPushButton*>(QStringLiteral("lessonApply"))->click();
}

void waitShown(TeacherWindow& window) {
    LessonClient::waitUntil([&] { return !window.reading(); });
}

void printTimes(const char* what, const std::vector<double>& times) {
    std::printf("%-44s %4zu, median %7.2f ms, 99th %7.2f ms, worst %7.2f ms\n", what, times.size(),
                bench::percentile(times, 0.5), bench::percentile(times, 0.99), bench::percentile(times, 1.0));
}

int pupilsShown(const TeacherWindow& window) {
    return window.findChild<QTableWidget*>(QStringLiteral("pupils"))->rowCount();
}

// The class plays while the watch asks for refreshes; then the same with the class done.
void measureUnderLoad(TeacherWindow& window, const HostedLesson& lesson, int pupils, int turns) {
    RefreshWatch watch(window);
    std::vector<double> latencies;
    std::atomic<bool> done = false;
    QThread* players = QThread::create([&] {
        latencies = bench::playLesson(lesson, pupils, turns);
        done = true;
    });
    QElapsedTimer played;
    played.start();
    watch.start();
    players->start();
    LessonClient::waitUntil([&] { return done.load(); }, 10 * 60 * 1000);
    players->wait();
    delete players;
    const qint64 playMs = played.elapsed();
    watch.stop();
    waitShown(window);
    std::printf("pupils %d, turns %d: played in %lld ms, verdict latency median %.2f ms, 99th "
                "%.2f ms\n",
                pupils, turns, static_cast<long long>(playMs), bench::percentile(latencies, 0.5),
                bench::percentile(latencies, 0.99));
    printTimes("refresh under load, ask to shown:", watch.refreshes);
    printTimes("  of it on the window's thread:", watch.displays);
    printTimes("gaps between 5 ms ticks under load:", watch.gaps);

    RefreshWatch idle(window);
    for (int i = 0; i < kIdleRefreshes; ++i) {
        idle.ask();
        waitShown(window);
    }
    std::printf("the class done, %d pupils shown:\n", pupilsShown(window));
    printTimes("refresh of the whole class, ask to shown:", idle.refreshes);
    printTimes("  of it on the window's thread:", idle.displays);
}

struct Options {
    int pupils = 40;
    int turns = 50;
    int level = 2;          // the lesson panel's: 0 to 4, 5 for the pupil's own
    bool projector = false; // the projector view open as well
};

Options optionsFrom(int argc, char* argv[]) {
    Options options;
    int* numbers[] = {&options.pupils, &options.turns, &options.level};
    int next = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--projector") == 0) {
            options.projector = true;
        } else if (next < 3) {
            *numbers[next++] = std::atoi(argv[i]);
        }
    }
    return options;
}

// The teacher opens the view again on the folder the lesson filled: 0 when it shows every pupil.
int openAgain(const QString& folder, const SealKeys& keys, int pupils) {
    QElapsedTimer first;
    first.start();
    TeacherWindow again(folder, NumberStyle{.decimalSeparator = ","}, {}, keys);
    again.show();
    waitShown(again);
    std::printf("a view opened afresh: first reading shown in %lld ms, %d pupils\n",
                static_cast<long long>(first.elapsed()), pupilsShown(again));
    return pupilsShown(again) == pupils ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const Options options = optionsFrom(argc, argv);
    const QTemporaryDir folder;
    const SealKeys keys = makeSealKeys();
    PanelHosting hosting(folder.path(), QHostAddress(QHostAddress::LocalHost));
    auto window = std::make_unique<TeacherWindow>(folder.path(), NumberStyle{.decimalSeparator = ","},
                                                  QStringLiteral("bench (PC00)"), keys);
    applyLesson(*window, options.level);
    QString problem;
    auto serving = LessonHosting::listen(folder.path(), QHostAddress(QHostAddress::LocalHost), 0,
                                         problem);
    if (!serving) {
        std::fprintf(stderr, "teacher_refresh_bench: cannot host: %s\n", qPrintable(problem));
        return 1;
    }
    const HostedLesson lesson{serving->address().toString(), serving->joinCode()};
    hosting.adopt(std::move(serving));
    window->offerNetworkLesson(hosting, QStringLiteral("bench"), nullptr)->start();
    window->show();
    if (options.projector) {
        window->showProjector();
    }
    waitShown(*window);
    std::printf("level %d on the ECB's rates%s\n", options.level,
                options.projector ? ", the projector view open" : "");
    measureUnderLoad(*window, lesson, options.pupils, options.turns);
    window.reset();
    return openAgain(folder.path(), keys, options.pupils);
}
