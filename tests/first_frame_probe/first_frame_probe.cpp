// A Qt generic plugin that watches any Qt Widgets program from the inside, unchanged: once the
// first window has been painted it prints the monotonic clock and the first item of every list
// box, then ends the program normally. Loaded with
//   QT_PLUGIN_PATH=<build>/plugins QT_QPA_GENERIC_PLUGINS=firstframeprobe program ...
// With QUIZ_PROBE_CLICK=<object name>[,<object name>…] it first clicks those buttons in turn,
// as a user would, QUIZ_PROBE_REPEAT times over (once by default).

#include <QAbstractButton>
#include <QApplication>
#include <QGenericPlugin>
#include <QListWidget>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

class FirstFrameWatcher : public QObject {
public:
    FirstFrameWatcher() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!reported_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            reported_ = true;
            // Queued: it runs once this paint has been flushed to the screen.
            QMetaObject::invokeMethod(this, &FirstFrameWatcher::report, Qt::QueuedConnection);
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

    static void clickRequestedButton() {
        const QStringList names =
            qEnvironmentVariable("QUIZ_PROBE_CLICK").split(u',', Qt::SkipEmptyParts);
        const int repeat = std::max(1, qEnvironmentVariableIntValue("QUIZ_PROBE_REPEAT"));
        for (int round = 0; round < repeat; ++round) {
            for (const QString& name : names) {
                click(name);
            }
        }
    }

    static void report() {
        clickRequestedButton();
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
                            list->count() > 0 ? qPrintable(list->item(0)->text()) : "");
            }
        }
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    bool reported_ = false;
};

} // namespace

class FirstFrameProbe : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "first_frame_probe.json")

public:
    QObject* create(const QString&, const QString&) override { return new FirstFrameWatcher; }
};

#include "first_frame_probe.moc"
