#pragma once

// The program's window icon, set once the window has first been painted.

#include <QString>

class QWidget;

namespace quiz {

// Decoding the icon (and, on X11, sending it to the server) would delay the first frame by a
// millisecond or more, and no title bar shows it before the window is up; so it waits for
// that frame. The icon then applies to every window of the program.
void setWindowIconAfterFirstFrame(QWidget& window, const QString& iconFile);

} // namespace quiz
