#pragma once

// The class's totals written out for a spreadsheet, one row per pupil.

#include "core/class/class_results.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

enum class ExportForm {
    Plain,          // ",", decimal point, UTF-8, CR LF, English column names
    BulgarianExcel, // ";", decimal comma, UTF-8 with a byte-order mark, CR LF, the words given
};

inline constexpr std::size_t kExportColumns = 14;

// The spreadsheet form's words, which the window gives: its header and the verdicts.
struct ExportWords {
    std::array<std::string_view, kExportColumns> header;
    std::string_view yes;
    std::string_view no;
};

// One row per pupil under a header, as RFC 4180 writes it in the chosen form: name, computer,
// answers, right answers, accuracy, best streak, levels and data played (joined by " + "),
// answers above level 0, the guessing chance in percent, whether guessing is beaten there (as
// the class's count judges it), the reached level (a number, empty when there is none) and the
// reversals it rests on (below kReversalsAveraged it is only so far). In
// the Excel form a text that starts like a formula (=, +, -, @) gets a leading apostrophe, so a
// pupil's name is never run as one.
std::string exportCsv(const std::vector<PupilSummary>& pupils, ExportForm form,
                      const ExportWords& excelWords);

} // namespace quiz
