#pragma once

// Where the quiz window and the statistics window go, and how large the statistics window is,
// so that it fits the screen and neither covers the other where there is room.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace quiz {

// What the statistics window would like: `preferred` inside its frame, never narrower than
// `leastWidth` while it can sit beside the quiz, and `frame` the window manager's frame around
// it (title bar and borders), `gap` pixels from the quiz.
struct StatisticsShape {
    QSize preferred;
    int leastWidth = 0;
    QMargins frame;
    int gap = 0;
};

struct SideBySide {
    QPoint quiz;       // the quiz window's frame, moved only when neither side has room
    QPoint statistics; // the statistics window's frame
    QSize size;        // the statistics window inside its frame
};

// Inside the screen's `room` (its available geometry, without panels), frame and all: as tall as
// it would like or as the room is; beside the quiz window (right, else left), narrowed down
// to its least width where that makes it fit; else the quiz window moves so that both fit,
// centred; on a screen too narrow for both, they go to its two edges and overlap as little as
// they can, the statistics window over the quiz's right edge. Level with the quiz's top where
// its bottom stays on the screen.
SideBySide sideBySide(const QRect& room, const QRect& quizFrame, const StatisticsShape& shape);

} // namespace quiz
