#include "core/results/result_row.h"

#include "core/results/result_columns.h"
#include "core/text/csv_writing.h"
#include "core/text/number_text.h"

namespace quiz {

namespace {

// Machine-readable whatever the user's locale: a comma would split the field.
const NumberStyle kCsvNumberStyle{.decimalSeparator = ".", .groupSeparator = "", .groupSize = 0};

std::string spreadText(double spread, int decimals) {
    std::string text = fixedText(spread, decimals, kCsvNumberStyle);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text;
}

} // namespace

std::string_view csvHeader() {
    static const std::string header = [] {
        std::string text;
        for (const std::string_view column : kColumns) {
            text += (text.empty() ? "" : ",") + std::string(column);
        }
        return text;
    }();
    return header;
}

std::string csvField(std::string_view text, std::string_view separator) {
    return csvQuoted(text, separator);
}

std::string runText(std::uint64_t run) {
    std::string text(kRunDigits, '0');
    for (std::size_t digit = kRunDigits; digit-- > 0; run >>= 4) {
        text[digit] = "0123456789abcdef"[run & 0xF];
    }
    return text;
}

std::string csvLine(const ResultRow& row) {
    const std::string fields[] = {
        csvField(row.time),
        row.seed ? std::to_string(*row.seed) : std::string(),
        std::to_string(row.turn),
        csvField(row.currency),
        csvField(row.currencyName),
        std::to_string(row.realSide),
        std::to_string(row.chosenSide),
        row.chosenSide == row.realSide ? "1" : "0",
        spreadText(row.spread, row.decimals),
        std::to_string(row.level),
        csvField(row.data),
        csvField(row.pupil),
        csvField(row.host),
        std::to_string(row.staircase),
        runText(row.run),
        csvField(row.sealedSeed),
    };
    std::string line;
    for (const std::string& field : fields) {
        line.append(line.empty() ? "" : ",").append(field);
    }
    return line.append(kCsvLineEnd);
}

} // namespace quiz
