#pragma once

// The Bulgarian words of the class's export for Excel: its column names and verdicts.

#include "core/class/class_export.h"

namespace quiz {

const ExportWords& excelExportWords();

} // namespace quiz
