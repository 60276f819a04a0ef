#include "window/classroom/side_by_side.h"

#include <algorithm>

namespace quiz {

SideBySide sideBySide(const QRect& room, const QRect& quizFrame, const QSize& statistics, int gap) {
    // Level with the quiz, unless that would put its bottom, and what it ends with, off the screen.
    const int lowest = room.top() + room.height() - statistics.height();
    const int top = std::max(room.top(), std::min(quizFrame.top(), lowest));
    const int width = statistics.width();
    if (quizFrame.right() + gap + width <= room.right()) {
        return {quizFrame.topLeft(), {quizFrame.right() + 1 + gap, top}};
    }
    if (quizFrame.left() - gap - width >= room.left()) {
        return {quizFrame.topLeft(), {quizFrame.left() - gap - width, top}};
    }
    const int together = quizFrame.width() + gap + width;
    const int left = room.left() + std::max(0, (room.width() - together) / 2);
    const QPoint quiz(left, quizFrame.top());
    const int statisticsLeft = std::min(left + quizFrame.width() + gap, room.right() + 1 - width);
    return {quiz, {std::max(room.left(), statisticsLeft), top}};
}

} // namespace quiz
