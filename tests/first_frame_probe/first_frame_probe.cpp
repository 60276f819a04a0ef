// A Qt generic plugin that watches any Qt Widgets program from the inside, unchanged: once the
// first window has been painted it prints the monotonic clock and the first item of every list
// box, then ends the program normally. Loaded with
//   QT_PLUGIN_PATH=<build>/plugins QT_QPA_GENERIC_PLUGINS=firstframeprobe program ...
// With QUIZ_PROBE_CLICK=<object name>[,<object name>…] it first clicks those buttons in turn,
// as a user would, QUIZ_PROBE_REPEAT times over (once by default). With QUIZ_PROBE_TABLE=<object
// name> it waits until that table has rows (at most 30 s) and also prints every table's cells;
// with QUIZ_PROBE_ALL_ITEMS=1 every item of the list boxes, not only the first. With
// QUIZ_PROBE_WAIT_AFTER=<rounds>[,<rounds>…] and QUIZ_PROBE_WAIT_FILE=<path> it stops after
// those rounds until <path>.1, <path>.2, … exist (at most a minute each), as a pupil stops to
// listen, and plays on once told.

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QGenericPlugin>
#include <QListWidget>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

class FirstFrameWatcher : public QObject {
public:
    FirstFrameWatcher() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Any widget of a window: a window that its children cover whole (a scroll area's
        // viewport) is never painted itself.
        if (!reported_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            reported_ = true;
            // Queued: it runs once this paint has been flushed to the screen.
            QMetaObject::invokeMethod(this, &FirstFrameWatcher::reportWhenReady,
                                      Qt::QueuedConnection);
        }
        return false;
    }

private:
    static void click(const QString& name) {
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* button = window->findChild<QAbstractButton*>(name)) {
                button->click();
                std::printf("clicked %s\n", qPrintable(name));
                return;
            }
        }
    }

    // The rounds of clicks, from the one due; a wait point hands over to the timer.
    void play() {
        constexpr int kPollMs = 50;
        constexpr int kMostWaitPolls = 1200;
        const QStringList names =
            qEnvironmentVariable("QUIZ_PROBE_CLICK").split(u',', Qt::SkipEmptyParts);
        const int repeat = std::max(1, qEnvironmentVariableIntValue("QUIZ_PROBE_REPEAT"));
        const QStringList waits =
            qEnvironmentVariable("QUIZ_PROBE_WAIT_AFTER").split(u',', Qt::SkipEmptyParts);
        const QString waitFile = qEnvironmentVariable("QUIZ_PROBE_WAIT_FILE");
        for (; round_ < repeat; ++round_) {
            const qsizetype wait = waits.indexOf(QString::number(round_));
            const QString signal = waitFile + u'.' + QString::number(wait + 1);
            if (wait >= 0 && waited_ <= wait && !QFile::exists(signal) &&
                ++waitPolls_ < kMostWaitPolls) {
                QTimer::singleShot(kPollMs, this, &FirstFrameWatcher::play);
                return;
            }
            waited_ = std::max(waited_, int(wait) + 1);
            waitPolls_ = 0;
            for (const QString& name : names) {
                click(name);
            }
        }
        report();
    }

    // The teacher's view reads its folder on a thread of its own: wait for the table's rows.
    void reportWhenReady() {
        const QString name = qEnvironmentVariable("QUIZ_PROBE_TABLE");
        constexpr int kPollMs = 100;
        constexpr int kMostPolls = 300;
        if (!name.isEmpty() && rowsIn(name) == 0 && ++polls_ < kMostPolls) {
            QTimer::singleShot(kPollMs, this, &FirstFrameWatcher::reportWhenReady);
            return;
        }
        play();
    }

    static int rowsIn(const QString& name) {
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            if (const auto* table = window->findChild<QTableWidget*>(name)) {
                return table->rowCount();
            }
        }
        return 0;
    }

    static void printTables(const QWidget* window) {
        for (const QTableWidget* table : window->findChildren<QTableWidget*>()) {
            for (int row = 0; row < table->rowCount(); ++row) {
                QStringList cells;
                for (int column = 0; column < table->columnCount(); ++column) {
                    const QTableWidgetItem* item = table->item(row, column);
                    cells << (item ? item->text() : QString());
                }
                std::printf("table %s %s\n", qPrintable(table->objectName()),
                            cells.join(u'\t').toUtf8().constData());
            }
        }
    }

    static QString items(const QListWidget* list) {
        if (list->count() == 0) {
            return {};
        }
        if (!qEnvironmentVariableIsSet("QUIZ_PROBE_ALL_ITEMS")) {
            return list->item(0)->text();
        }
        QStringList texts;
        for (int row = 0; row < list->count(); ++row) {
            texts << list->item(row)->text();
        }
        return texts.join(u' ');
    }

    static void report() {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("first-frame-ns %lld\n",
                    static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            QList<QListWidget*> lists = window->findChildren<QListWidget*>();
            std::sort(lists.begin(), lists.end(), [](const QListWidget* a, const QListWidget* b) {
                return a->objectName() < b->objectName();
            });
            for (const QListWidget* list : lists) {
                std::printf("list %s %s\n", qPrintable(list->objectName()),
                            items(list).toUtf8().constData());
            }
            if (qEnvironmentVariableIsSet("QUIZ_PROBE_TABLE")) {
                printTables(window);
            }
        }
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    bool reported_ = false;
    int polls_ = 0;
    int round_ = 0;
    int waited_ = 0; // wait points passed
    int waitPolls_ = 0;
};

} // namespace

class FirstFrameProbe : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "first_frame_probe.json")

public:
    QObject* create(const QString&, const QString&) override { return new FirstFrameWatcher; }
};

#include "first_frame_probe.moc"
