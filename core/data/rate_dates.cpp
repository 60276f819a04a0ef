#include "core/data/rate_dates.h"

#include "core/data/rate_cells.h"

namespace quiz::rates {

namespace {

// Reads `min` to `max` digits from the front of `text` into `value`.
bool takeNumber(std::string_view& text, std::size_t min, std::size_t max, int& value) {
    std::size_t count = 0;
    value = 0;
    while (count < max && count < text.size() && isDigit(text[count])) {
        value = value * 10 + (text[count++] - '0');
    }
    text.remove_prefix(count);
    return count >= min;
}

bool takeChar(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

int daysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

void writeDigits(char* out, int value, int count) {
    for (int i = count - 1; i >= 0; --i, value /= 10) {
        out[i] = static_cast<char>('0' + value % 10);
    }
}

std::optional<Date> makeDate(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) {
        return std::nullopt;
    }
    Date date;
    writeDigits(date.iso.data(), year, 4);
    date.iso[4] = date.iso[7] = '-';
    writeDigits(date.iso.data() + 5, month, 2);
    writeDigits(date.iso.data() + 8, day, 2);
    return date;
}

std::optional<Date> parseIsoDate(std::string_view text) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (takeNumber(text, 4, 4, year) && takeChar(text, '-') && takeNumber(text, 2, 2, month) &&
        takeChar(text, '-') && takeNumber(text, 2, 2, day) && text.empty()) {
        return makeDate(year, month, day);
    }
    return std::nullopt;
}

// DD.MM.YYYY, also with one-digit day or month and the "г." that Bulgarian spreadsheets add.
std::optional<Date> parseDottedDate(std::string_view text) {
    constexpr std::string_view kYearMark = "г.";
    if (text.ends_with(kYearMark)) {
        text = trimmed(text.substr(0, text.size() - kYearMark.size()));
    }
    int year = 0;
    int month = 0;
    int day = 0;
    if (takeNumber(text, 1, 2, day) && takeChar(text, '.') && takeNumber(text, 1, 2, month) &&
        takeChar(text, '.') && takeNumber(text, 4, 4, year) && text.empty()) {
        return makeDate(year, month, day);
    }
    return std::nullopt;
}

} // namespace

std::optional<Date> parseDate(std::string_view text) {
    const std::optional<Date> iso = parseIsoDate(text);
    return iso ? iso : parseDottedDate(text);
}

} // namespace quiz::rates
