#include "window/classroom/side_by_side.h"

#include <algorithm>

namespace quiz {

namespace {

int frameWidth(const QMargins& frame) {
    return frame.left() + frame.right();
}

// The statistics window's own width for `room` pixels beside the quiz, frame included; 0 when
// even its least width does not fit there.
int widthBeside(int room, const StatisticsShape& shape) {
    const int inside = room - shape.gap - frameWidth(shape.frame);
    return inside >= shape.leastWidth ? std::min(inside, shape.preferred.width()) : 0;
}

} // namespace

SideBySide sideBySide(const QRect& room, const QRect& quizFrame, const StatisticsShape& shape) {
    const QMargins& frame = shape.frame;
    const int height = std::min(shape.preferred.height(),
                                room.height() - frame.top() - frame.bottom());
    const int outerHeight = height + frame.top() + frame.bottom();
    const int top = std::max(room.top(), std::min(quizFrame.top(), room.bottom() + 1 - outerHeight));

    if (const int width = widthBeside(room.right() - quizFrame.right(), shape)) {
        return {quizFrame.topLeft(), {quizFrame.right() + 1 + shape.gap, top}, {width, height}};
    }
    if (const int width = widthBeside(quizFrame.left() - room.left(), shape)) {
        const int outer = width + frameWidth(frame);
        return {quizFrame.topLeft(), {quizFrame.left() - shape.gap - outer, top}, {width, height}};
    }
    // Neither side has room as the quiz stands: both move, centred, or go to the edges.
    const int besideWidth = widthBeside(room.width() - quizFrame.width(), shape);
    const int width = besideWidth > 0 ? besideWidth
                                      : std::min(shape.preferred.width(),
                                                 room.width() - frameWidth(frame));
    const int outer = width + frameWidth(frame);
    const int together = quizFrame.width() + shape.gap + outer;
    const int left = room.left() + std::max(0, (room.width() - together) / 2);
    const QPoint quiz(left, quizFrame.top());
    const int statisticsLeft =
        std::min(left + quizFrame.width() + shape.gap, room.right() + 1 - outer);
    return {quiz, {std::max(room.left(), statisticsLeft), top}, {width, height}};
}

} // namespace quiz
