#include "core/results/class_file_name.h"

#include "core/text/control_characters.h"
#include "core/text/utf8_text.h"

#include <array>
#include <cstdio>

namespace quiz {

namespace {

constexpr char kReplacement = '_';
constexpr std::string_view kRefusedCharacters = "/\\<>:\"|?*";
constexpr std::string_view kTrimmed = " .";

// Direction marks too, which could make a file in a listing look like another.
bool refused(char32_t c) {
    return isControl(c) || isDirectionMark(c) ||
           (c < 0x80 && kRefusedCharacters.find(static_cast<char>(c)) != std::string_view::npos);
}

std::string replaceRefused(std::string_view text) {
    std::string safe;
    safe.reserve(text.size());
    while (!text.empty()) {
        const Utf8Character decoded = utf8CharacterAt(text, 0);
        const std::size_t length = decoded.length == 0 ? 1 : decoded.length;
        if (decoded.length == 0 || refused(decoded.codePoint)) {
            safe += kReplacement;
        } else {
            safe.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return safe;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(kTrimmed);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kTrimmed) - first + 1);
}

// Cut to kNamePieceBytes on a character boundary; the text is valid UTF-8 by now.
std::string fitted(std::string text) {
    if (text.size() > kNamePieceBytes) {
        std::size_t end = kNamePieceBytes;
        while (isContinuationByte(text[end])) {
            --end;
        }
        text.resize(end);
    }
    return trimmed(text);
}

// Windows opens the device, not a file, for these names, whatever follows the first dot and
// whatever blanks precede it.
bool reservedOnWindows(std::string_view piece) {
    std::string stem(piece.substr(0, piece.find('.')));
    stem.erase(stem.find_last_not_of(' ') + 1);
    for (char& c : stem) {
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    constexpr std::array<std::string_view, 6> kDevices = {"CON", "PRN",    "AUX",
                                                          "NUL", "CONIN$", "CONOUT$"};
    constexpr std::array<std::string_view, 13> kPortNumbers = {
        "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "\u00B9", "\u00B2", "\u00B3"};
    for (const std::string_view device : kDevices) {
        if (stem == device) {
            return true;
        }
    }
    if (!stem.starts_with("COM") && !stem.starts_with("LPT")) {
        return false;
    }
    for (const std::string_view number : kPortNumbers) {
        if (std::string_view(stem).substr(3) == number) {
            return true;
        }
    }
    return false;
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian), for any day count.
struct CivilDate {
    std::int64_t year = 0;
    int month = 0;
    int day = 0;
};

CivilDate civilFromDays(std::int64_t days) {
    constexpr std::int64_t kDaysPerEra = 146097;
    days += 719468; // from 1970-01-01 to 0000-03-01
    const std::int64_t era = (days >= 0 ? days : days - kDaysPerEra + 1) / kDaysPerEra;
    const std::int64_t dayOfEra = days - era * kDaysPerEra;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153; // March is 0
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// ISO 8601 with "-" for ":", which Windows refuses in a name.
std::string utcStamp(std::int64_t seconds) {
    constexpr std::int64_t kSecondsPerDay = 86400;
    std::int64_t days = seconds / kSecondsPerDay;
    std::int64_t second = seconds % kSecondsPerDay;
    if (second < 0) {
        second += kSecondsPerDay;
        --days;
    }
    const CivilDate date = civilFromDays(days);
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%04lld-%02d-%02dT%02d-%02d-%02dZ",
                  static_cast<long long>(date.year), date.month, date.day,
                  static_cast<int>(second / 3600), static_cast<int>(second / 60 % 60),
                  static_cast<int>(second % 60));
    return text.data();
}

} // namespace

std::string safeNamePiece(std::string_view text) {
    std::string piece = fitted(trimmed(replaceRefused(text)));
    if (piece.empty()) {
        return std::string(1, kReplacement);
    }
    // Cutting could have left a reserved stem behind, so the check comes after it.
    return reservedOnWindows(piece) ? fitted(kReplacement + piece) : piece;
}

std::string classFileName(std::string_view pupil, std::string_view host,
                          std::int64_t unixSecondsUtc) {
    return safeNamePiece(pupil) + kReplacement + safeNamePiece(host) + kReplacement +
           utcStamp(unixSecondsUtc) + ".csv";
}

} // namespace quiz
