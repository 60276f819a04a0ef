#include "window/common/share_string.h"

#include "core/text/share_text.h"

namespace quiz {

QString shareString(double share, const NumberStyle& style) {
    return QString::fromStdString(shareText(share, style));
}

QString shareOf(int part, int whole, const NumberStyle& style) {
    return whole == 0 ? QStringLiteral("—") : shareString(double(part) / whole, style);
}

} // namespace quiz
