#pragma once

// Shares as the windows show them: a Bulgarian percentage, or a dash for no answers.

#include "core/text/number_style.h"

#include <QString>

namespace quiz {

QString shareString(double share, const NumberStyle& style);
// part / whole as a share; "—" when there is nothing to divide by.
QString shareOf(int part, int whole, const NumberStyle& style);

} // namespace quiz
