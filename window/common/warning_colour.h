#pragma once

// The red a warning is written in, readable on the window's own background.

#include <QColor>

namespace quiz {

// WCAG's contrast ratio of two colours, 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& first, const QColor& second);

// Dark red on a light background, light red on a dark one: whichever reads at 4.5 : 1 or more.
QColor warningColour(const QColor& background);

} // namespace quiz
