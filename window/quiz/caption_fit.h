#pragma once

// Keeps a caption whole in its fixed place when the font found is wider than the one designed.

#include <QFont>
#include <QString>

namespace quiz {

// The designed size when the text fits `width` pixels; otherwise the largest smaller point size
// that does, down to a legible 7 pt.
int fittingPointSize(const QFont& font, const QString& text, int width);

} // namespace quiz
