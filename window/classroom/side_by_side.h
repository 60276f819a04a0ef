#pragma once

// Where the quiz window and the statistics window go so that neither covers the other.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quiz {

struct SideBySide {
    QPoint quiz;       // the quiz window's frame, moved only when neither side has room
    QPoint statistics; // the statistics window's frame
};

// Beside the quiz window (right, else left) where the screen's `room` allows; else the quiz
// window moves so that both fit, centred; on a screen too narrow for both, they go to its two
// edges and overlap as little as they can, the statistics window over the quiz's right edge.
SideBySide sideBySide(const QRect& room, const QRect& quizFrame, const QSize& statistics, int gap);

} // namespace quiz
