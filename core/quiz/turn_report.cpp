#include "core/quiz/turn_report.h"

#include "core/text/number_text.h"

namespace quiz {

namespace {

constexpr std::string_view kRight = "Правилно";
constexpr std::string_view kWrong = "Грешка!";
constexpr std::string_view kGeneratedFor = "Генерирани са данни за: ";
constexpr std::string_view kMaximumDifference = "Максимална разлика: ";

} // namespace

// The stored series keep the designed text of their spread; other data is written at its own
// precision, where the double difference would show its binary noise ("0,899999999999999").
std::string spreadText(const Turn& turn, const NumberStyle& style) {
    if (turn.source == DataKind::Catalogue) {
        return defaultText(turn.Spread, style);
    }
    return fixedText(turn.Spread, turn.decimals, style);
}

std::string turnHeading(const Turn& turn) {
    return turnHeading(turn.name);
}

std::string turnHeading(std::string_view currencyName) {
    return std::string(kGeneratedFor).append(currencyName);
}

std::string_view verdictLine(bool right) {
    return right ? kRight : kWrong;
}

std::string spreadLine(const Turn& turn, const NumberStyle& style) {
    return std::string(kMaximumDifference).append(spreadText(turn, style));
}

bool spreadBeforePick(const Turn& turn) {
    return turn.level == 0;
}

std::vector<std::string> reportAfterPick(const Turn& turn, bool right, const NumberStyle& style) {
    std::vector<std::string> lines{turnHeading(turn)};
    if (spreadBeforePick(turn)) {
        lines.push_back(spreadLine(turn, style));
    }
    lines.emplace_back(verdictLine(right));
    if (!spreadBeforePick(turn)) {
        lines.push_back(spreadLine(turn, style));
    }
    return lines;
}

} // namespace quiz
