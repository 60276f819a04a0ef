#include "window/common/scrolling_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

namespace quiz {

namespace {

constexpr double kMostOfTheScreen = 0.9;

} // namespace

void scrollInWindow(QWidget& window, QWidget* content, QSize preferred) {
    auto* scroll = new QScrollArea(&window);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* outer = new QVBoxLayout(&window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    window.resize(sizeOnScreen(window, preferred));
}

QSize sizeOnScreen(const QWidget& window, QSize preferred) {
    const QWidget* parent = window.parentWidget();
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    return screen ? preferred.boundedTo(screen->availableSize() * kMostOfTheScreen) : preferred;
}

} // namespace quiz
