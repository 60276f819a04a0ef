#pragma once

// The class's export as an Excel workbook (.xlsx): the rows of the CSV export, numbers as
// numbers, under a bold header row that stays in view.

#include "core/class/class_export.h"

#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// A cell of the workbook: a number where the export writes one, else text; empty writes none.
struct WorkbookCell {
    std::string text;
    bool number = false;
    double value = 0.0;
};

// The export's rows as cells, header first: the plain CSV export's rows with `words`' header
// and verdicts; the names of pupils, computers, levels and data always text.
std::vector<std::vector<WorkbookCell>> workbookCells(const std::vector<PupilSummary>& pupils,
                                                     const ExportWords& words);

// A column as wide as its longest text, in characters, within bounds a screen can show.
double columnWidth(const std::vector<std::vector<WorkbookCell>>& cells, std::size_t column);

// Writes the workbook to `path` (UTF-8, replaced if there), the library's own temporary files
// going to `scratchFolder`. The same bytes under any C locale of the process. Returns why it
// could not, in English, or "" once written.
std::string writeClassWorkbook(const std::vector<PupilSummary>& pupils, const ExportWords& words,
                               const std::string& path, const std::string& scratchFolder);

// The Excel export's choice for a name typed in its save dialog: the CSV export for a ".csv"
// name (in any case), else a workbook, ".xlsx" added to a name that has no extension.
struct ExcelTarget {
    bool csv = false;
    std::string name;
};
ExcelTarget excelTarget(std::string_view name);

} // namespace quiz
