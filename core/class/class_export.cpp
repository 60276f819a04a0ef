#include "core/class/class_export.h"

#include "core/results/result_row.h"
#include "core/text/number_text.h"
#include "core/text/utf8_text.h"

#include <array>

namespace quiz {

namespace {

// Between the levels or the data sets a pupil played: neither a separator nor a decimal mark,
// so a spreadsheet keeps "0 + 3" as text rather than reading a number into it.
constexpr std::string_view kJoiner = " + ";

struct ExportRules {
    std::string_view start;
    std::string_view separator;
    std::string_view decimalSeparator;
    ExportWords words;
    bool guardFormulas; // a spreadsheet would run a cell that starts like a formula
};

ExportRules rulesFor(ExportForm form, const ExportWords& excelWords) {
    if (form == ExportForm::BulgarianExcel) {
        return {kByteOrderMark, ";", ",", excelWords, true};
    }
    return {"",
            ",",
            ".",
            {{"pupil", "host", "answered", "right", "accuracy_percent", "best_streak", "levels",
              "data", "answered_above_level_0", "right_above_level_0", "guessing_chance_percent",
              "beats_guessing", "reached_level", "reached_level_reversals"},
             "1",
             "0"},
            false};
}

std::string exportField(std::string_view text, const ExportRules& rules) {
    std::string field(text);
    if (rules.guardFormulas && !field.empty() &&
        std::string_view("=+-@\t\r").find(field.front()) != std::string_view::npos) {
        field.insert(0, "'");
    }
    return csvField(field, rules.separator);
}

std::string joined(const std::vector<std::string>& items, std::string_view separator) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        text.append(i == 0 ? "" : separator).append(items[i]);
    }
    return text;
}

std::string joined(const std::vector<int>& numbers) {
    std::vector<std::string> texts;
    for (const int number : numbers) {
        texts.push_back(std::to_string(number));
    }
    return joined(texts, kJoiner);
}

std::string exportLine(std::vector<std::string> fields, const ExportRules& rules) {
    for (std::string& field : fields) {
        field = exportField(field, rules);
    }
    return joined(fields, rules.separator) + "\r\n";
}

} // namespace

std::string exportCsv(const std::vector<PupilSummary>& pupils, ExportForm form,
                      const ExportWords& excelWords) {
    constexpr int kAccuracyDecimals = 1;
    constexpr int kChanceDecimals = 3;
    const ExportRules rules = rulesFor(form, excelWords);
    const NumberStyle style{.decimalSeparator = std::string(rules.decimalSeparator),
                            .groupSeparator = "",
                            .groupSize = 0};
    std::string csv(rules.start);
    csv += exportLine({rules.words.header.begin(), rules.words.header.end()}, rules);
    for (const PupilSummary& pupil : pupils) {
        // No verdict, rather than "no", for a pupil who answered at level 0 only.
        const bool judged = pupil.judgedAnswered > 0;
        csv += exportLine(
            {pupil.pupil, pupil.host, std::to_string(pupil.answered), std::to_string(pupil.right),
             fixedText(100.0 * pupil.accuracy, kAccuracyDecimals, style),
             std::to_string(pupil.bestStreak), joined(pupil.levels), joined(pupil.data, kJoiner),
             std::to_string(pupil.judgedAnswered), std::to_string(pupil.judgedRight),
             judged ? fixedText(100.0 * pupil.guessingChance, kChanceDecimals, style) : "",
             judged ? std::string(pupil.beatsGuessing ? rules.words.yes : rules.words.no) : "",
             pupil.reached ? reachedLevelText(pupil.reached->level, style) : "",
             pupil.reached ? std::to_string(pupil.reached->reversals) : ""},
            rules);
    }
    return csv;
}

} // namespace quiz
