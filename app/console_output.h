#pragma once

// The program's printed lines: help, version and refusals. On Windows a windowed program has no
// console of its own; it borrows the one it was typed in, and has none from a shortcut.

#include <QString>

namespace quiz {

// Windows: when neither standard output nor error goes anywhere (no file, no pipe), takes the
// console of the process that started the program, if it has one. Elsewhere there is nothing
// to do.
void attachToParentConsole();

// Writes text as it is to standard output, or a line to standard error. False when nothing
// receives it (on Windows, a program started from a shortcut), so the caller can show it.
bool printOut(const QString& text);
bool printErrorLine(const QString& line);

} // namespace quiz
