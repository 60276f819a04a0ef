// libFuzzer target for the rate-file reader: any bytes are either refused with a one-line
// RateFileError or give runs of at least kValueCount values, each a positive decimal text
// with "." as its point, on strictly rising calendar dates.

#include "core/data/catalogue.h"
#include "core/text/leading_number.h"
#include "core/data/rate_table.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "%s: \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

bool isDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Digits with at most one "." between them, which the quiz's own parse reads as a positive
// finite number.
void checkValue(std::string_view text) {
    const std::size_t point = text.find('.');
    const bool shaped = point == std::string_view::npos
                            ? isDigits(text)
                            : isDigits(text.substr(0, point)) && isDigits(text.substr(point + 1));
    if (!shaped) {
        fail("a value text is not digits with at most one point", text);
    }
    const double value = quiz::parseLeadingNumber(text);
    if (!std::isfinite(value) || value <= 0) {
        fail("a value text does not read as a positive number", text);
    }
}

bool isIsoDate(std::string_view date) {
    if (date.size() != 10 || date[4] != '-' || date[7] != '-' || !isDigits(date.substr(0, 4)) ||
        !isDigits(date.substr(5, 2)) || !isDigits(date.substr(8, 2))) {
        return false;
    }
    const int year = std::stoi(std::string(date.substr(0, 4)));
    const int month = std::stoi(std::string(date.substr(5, 2)));
    const int day = std::stoi(std::string(date.substr(8, 2)));
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int days[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 && day >= 1 && day <= days[month - 1];
}

void checkRun(const quiz::RateRun& run) {
    if (run.texts.size() < static_cast<std::size_t>(quiz::kValueCount) ||
        run.dates.size() != run.texts.size()) {
        fail("a run is too short or its dates and texts differ in number", run.column);
    }
    for (std::size_t i = 0; i < run.texts.size(); ++i) {
        checkValue(run.texts[i]);
        if (!isIsoDate(run.dates[i])) {
            fail("a date is not an ISO calendar date", run.dates[i]);
        }
        if (i > 0 && !(run.dates[i - 1] < run.dates[i])) {
            fail("the dates do not rise", run.dates[i]);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        for (const quiz::RateRun& run : quiz::readRateTable(bytes, "fuzz.csv").runs) {
            checkRun(run);
        }
    } catch (const quiz::RateFileError& error) {
        const std::string_view message = error.what();
        if (!message.starts_with("fuzz.csv") || message.find('\n') != std::string_view::npos) {
            fail("a message is not one line about the file", message);
        }
    }
    return 0;
}
