#include "app/number_style_from_locale.h"

namespace quiz {

NumberStyle numberStyleFrom(const QLocale& locale) {
    // Qt does not publish a locale's group size; three holds for all but a few locales, and
    // the quiz's numbers stay below 1000, so grouping never shows in them anyway.
    constexpr int kGroupSize = 3;
    const bool grouping = !locale.numberOptions().testFlag(QLocale::OmitGroupSeparator);
    return NumberStyle{
        .decimalSeparator = locale.decimalPoint().toStdString(),
        .groupSeparator = locale.groupSeparator().toStdString(),
        .groupSize = grouping ? kGroupSize : 0,
    };
}

} // namespace quiz
