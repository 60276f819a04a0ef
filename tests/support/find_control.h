#pragma once

// Looks a window's control up by its object name; a missing one ends the test run loudly.

#include <QWidget>

template <typename Widget> Widget* findControl(const QWidget& window, const char* name) {
    auto* widget = window.findChild<Widget*>(QLatin1String(name));
    if (!widget) {
        qFatal("no control %s", name);
    }
    return widget;
}
