#include "window/quiz/caption_fit.h"

#include <QFontMetrics>

namespace quiz {

namespace {

constexpr int kSmallestPointSize = 7;

} // namespace

int fittingPointSize(const QFont& font, const QString& text, int width) {
    QFont trial = font;
    int size = font.pointSize();
    while (size > kSmallestPointSize && QFontMetrics(trial).horizontalAdvance(text) > width) {
        trial.setPointSize(--size);
    }
    return size;
}

} // namespace quiz
