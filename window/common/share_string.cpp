#include "window/common/share_string.h"

#include "core/text/share_text.h"
#include "service/words/utf8_string.h"

namespace quiz {

QString shareString(double share, const NumberStyle& style) {
    const SharePercent written = sharePercent(share, style);
    const QString percent = QString::fromStdString(written.percent);
    switch (written.bound) {
    case ShareBound::Under:
        return utf8("под %1").arg(percent);
    case ShareBound::Over:
        return utf8("над %1").arg(percent);
    case ShareBound::Exact:
        break;
    }
    return percent;
}

QString shareOf(int part, int whole, const NumberStyle& style) {
    return whole == 0 ? QStringLiteral("—") : shareString(double(part) / whole, style);
}

} // namespace quiz
