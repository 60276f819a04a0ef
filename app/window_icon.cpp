#include "app/window_icon.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QTimer>
#include <QWidget>

namespace quiz {

namespace {

class IconAfterFirstFrame : public QObject {
public:
    IconAfterFirstFrame(QWidget& window, QString iconFile)
        : QObject(&window), iconFile_(std::move(iconFile)) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued, so it runs once this frame is on the screen.
            QTimer::singleShot(0, this, [this] {
                QApplication::setWindowIcon(QIcon(iconFile_));
                deleteLater();
            });
        }
        return false;
    }

private:
    QString iconFile_;
};

} // namespace

void setWindowIconAfterFirstFrame(QWidget& window, const QString& iconFile) {
    new IconAfterFirstFrame(window, iconFile);
}

} // namespace quiz
