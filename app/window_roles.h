#pragma once

// Tells assistive technologies that the program's top-level windows are windows: a plain
// QWidget would otherwise report itself as a filler.

namespace quiz {

// Installs the accessibility factory once; safe to call again.
void reportWindowRoles();

} // namespace quiz
