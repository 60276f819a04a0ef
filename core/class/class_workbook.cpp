#include "core/class/class_workbook.h"

#include "core/text/csv_scanner.h"
#include "core/text/utf8_text.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <clocale>
#include <locale.h>
#include <optional>

namespace quiz {

namespace {

// Columns of the plain export that hold names, never numbers, whatever a pupil is called.
constexpr std::array<std::string_view, 4> kTextColumns{"pupil", "host", "levels", "data"};
// The plain export's verdict, "1" or "0", which the workbook says in words.
constexpr std::string_view kVerdictColumn = "beats_guessing";
constexpr double kNarrowest = 6;  // characters
constexpr double kWidest = 60;    // beyond it a long name is cut off in view, not in the cell
constexpr double kPadding = 2;    // for the header's bold type and the cell's margins

// A number as the plain export writes it ("12", "83.3"), read whatever the locale; null for
// anything else, such as "007" or "0 + 3", which stays text.
std::optional<double> plainNumber(std::string_view text) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos ||
        (text.size() > 1 && text[0] == '0' && text[1] != '.') || text.front() == '.' ||
        text.back() == '.') {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::vector<std::string>> csvRows(std::string_view text) {
    CsvScanner scanner = CsvScanner::over(text);
    CsvRecord record;
    std::string scratch;
    std::vector<std::vector<std::string>> rows;
    while (scanner.next(record) == CsvStatus::Record) {
        auto& row = rows.emplace_back();
        for (const CsvField& field : record.fields) {
            row.emplace_back(csvFieldText(field, scratch));
        }
    }
    return rows;
}

WorkbookCell bodyCell(std::string_view column, const std::string& text, const ExportWords& words) {
    if (column == kVerdictColumn && !text.empty()) {
        return {.text = std::string(text == "1" ? words.yes : words.no)};
    }
    const bool name =
        std::find(kTextColumns.begin(), kTextColumns.end(), column) != kTextColumns.end();
    if (const std::optional<double> value = name ? std::nullopt : plainNumber(text)) {
        return {.text = text, .number = true, .value = *value};
    }
    return {.text = text};
}

// snprintf writes the workbook's numbers: under a comma locale "83,3" would break the file, so
// the thread that writes it reads numbers the C way meanwhile.
class CNumbers {
public:
#ifdef _WIN32
    CNumbers() : perThread_(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE)) {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        previous_ = current ? current : "C";
        std::setlocale(LC_NUMERIC, "C");
    }
    ~CNumbers() {
        std::setlocale(LC_NUMERIC, previous_.c_str());
        _configthreadlocale(perThread_);
    }

private:
    int perThread_;
    std::string previous_;
#else
    CNumbers() : c_(newlocale(LC_NUMERIC_MASK, "C", nullptr)), previous_(uselocale(c_)) {}
    ~CNumbers() {
        uselocale(previous_);
        freelocale(c_);
    }

private:
    locale_t c_;
    locale_t previous_;
#endif
public:
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;
};

void writeSheet(lxw_workbook* book, const std::vector<std::vector<WorkbookCell>>& cells) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    lxw_format* header = workbook_add_format(book);
    format_set_bold(header);
    format_set_bottom(header, LXW_BORDER_THIN);
    for (std::size_t r = 0; r < cells.size(); ++r) {
        for (std::size_t c = 0; c < cells[r].size(); ++c) {
            const WorkbookCell& cell = cells[r][c];
            const auto row = static_cast<lxw_row_t>(r);
            const auto column = static_cast<lxw_col_t>(c);
            if (cell.number) {
                worksheet_write_number(sheet, row, column, cell.value, nullptr);
            } else if (!cell.text.empty()) {
                worksheet_write_string(sheet, row, column, cell.text.c_str(),
                                       r == 0 ? header : nullptr);
            }
        }
    }
    const std::size_t columns = cells.empty() ? 0 : cells.front().size();
    for (std::size_t c = 0; c < columns; ++c) {
        const auto column = static_cast<lxw_col_t>(c);
        worksheet_set_column(sheet, column, column, columnWidth(cells, c), nullptr);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    if (columns > 0) {
        worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(cells.size() - 1),
                             static_cast<lxw_col_t>(columns - 1));
    }
}

} // namespace

std::vector<std::vector<WorkbookCell>> workbookCells(const std::vector<PupilSummary>& pupils,
                                                     const ExportWords& words) {
    const std::vector<std::vector<std::string>> rows =
        csvRows(exportCsv(pupils, ExportForm::Plain, words));
    std::vector<std::vector<WorkbookCell>> cells;
    if (rows.empty()) {
        return cells;
    }
    const std::vector<std::string>& columns = rows.front();
    auto& header = cells.emplace_back();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        header.push_back({.text = std::string(c < words.header.size() ? words.header[c]
                                                                      : columns[c])});
    }
    for (std::size_t r = 1; r < rows.size(); ++r) {
        auto& row = cells.emplace_back();
        for (std::size_t c = 0; c < rows[r].size() && c < columns.size(); ++c) {
            row.push_back(bodyCell(columns[c], rows[r][c], words));
        }
    }
    return cells;
}

double columnWidth(const std::vector<std::vector<WorkbookCell>>& cells, std::size_t column) {
    double longest = 0;
    for (const auto& row : cells) {
        if (column < row.size()) {
            const std::string& text = row[column].text;
            const auto characters = std::count_if(
                text.begin(), text.end(), [](char c) { return !isContinuationByte(c); });
            longest = std::max(longest, static_cast<double>(characters));
        }
    }
    return std::clamp(longest + kPadding, kNarrowest, kWidest);
}

std::string writeClassWorkbook(const std::vector<PupilSummary>& pupils, const ExportWords& words,
                               const std::string& path, const std::string& scratchFolder) {
    const std::vector<std::vector<WorkbookCell>> cells = workbookCells(pupils, words);
    const CNumbers cNumbers;
    std::string scratch = scratchFolder;
    lxw_workbook_options options{.constant_memory = LXW_FALSE,
                                 .tmpdir = scratch.empty() ? nullptr : scratch.data(),
                                 .use_zip64 = LXW_FALSE};
    lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
    if (!book) {
        return "cannot start a workbook";
    }
    writeSheet(book, cells);
    const lxw_error error = workbook_close(book);
    return error == LXW_NO_ERROR ? std::string() : std::string(lxw_strerror(error));
}

ExcelTarget excelTarget(std::string_view name) {
    const std::size_t slash = name.find_last_of("/\\");
    const std::string_view file = slash == std::string_view::npos ? name : name.substr(slash + 1);
    const std::size_t dot = file.rfind('.');
    if (dot == std::string_view::npos || dot == 0) {
        return {.csv = false, .name = std::string(name) + ".xlsx"};
    }
    std::string extension(file.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return {.csv = extension == ".csv", .name = std::string(name)};
}

} // namespace quiz
