#pragma once

// The core's number style read from a Qt locale, so the window writes numbers as the user's
// regional settings say.

#include "core/text/number_style.h"

#include <QLocale>

namespace quiz {

NumberStyle numberStyleFrom(const QLocale& locale);

} // namespace quiz
