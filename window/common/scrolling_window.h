#pragma once

// A window whose content scrolls, sized to what it would like or to the screen it opens on.

#include <QSize>

class QWidget;

namespace quiz {

// Puts `content` in a frameless scroll area filling `window`, and sizes the window to
// `preferred`, but never beyond 90 % of the available area of its screen (its parent's, if
// it has one): on a small screen it opens smaller and scrolls.
void scrollInWindow(QWidget& window, QWidget* content, QSize preferred);
// `preferred`, but never beyond 90 % of the available area of the window's screen (its
// parent's, if it has one).
QSize sizeOnScreen(const QWidget& window, QSize preferred);

} // namespace quiz
