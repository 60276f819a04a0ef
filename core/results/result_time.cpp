#include "core/results/result_time.h"

#include <algorithm>
#include <charconv>

namespace quiz {

namespace {

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::optional<int> digits(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) {
        return std::nullopt;
    }
    int number = 0;
    const char* start = text.data() + at;
    const auto [end, error] = std::from_chars(start, start + count, number);
    if (error != std::errc() || end != start + count || *start == '-') {
        return std::nullopt;
    }
    return number;
}

} // namespace

std::optional<std::int64_t> utcSeconds(std::string_view time) {
    const auto year = digits(time, 0, 4);
    const auto month = digits(time, 5, 2);
    const auto day = digits(time, 8, 2);
    const auto hour = digits(time, 11, 2);
    const auto minute = digits(time, 14, 2);
    const auto second = digits(time, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second || time[4] != '-' ||
        time[7] != '-' || (time[10] != 'T' && time[10] != ' ') || time[13] != ':' ||
        time[16] != ':' || *month < 1 || *month > 12 || *day < 1 || *day > 31) {
        return std::nullopt;
    }
    std::size_t at = 19;
    if (at < time.size() && time[at] == '.') {
        at = std::min(time.find_first_not_of("0123456789", at + 1), time.size());
    }
    const std::int64_t local =
        daysFromCivil(*year, *month, *day) * 86400 + *hour * 3600 + *minute * 60 + *second;
    const std::string_view zone = time.substr(at);
    if (zone.empty() || zone == "Z") {
        return local;
    }
    const bool colon = zone.size() == 6 && zone[3] == ':';
    const auto offsetHours = digits(zone, 1, 2);
    const auto offsetMinutes = digits(zone, colon ? 4 : 3, 2);
    if ((zone[0] != '+' && zone[0] != '-') || (zone.size() != 5 && !colon) || !offsetHours ||
        !offsetMinutes) {
        return std::nullopt;
    }
    const std::int64_t offset = *offsetHours * 3600 + *offsetMinutes * 60;
    return zone[0] == '+' ? local - offset : local + offset;
}

} // namespace quiz
