#include "core/results_log.h"

#include "core/catalogue.h"
#include "core/number_text.h"

#include <cerrno>
#include <cstring>

namespace quiz {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHeader =
    "time,seed,turn,currency,currency_name,real_side,chosen_side,right,spread";
// Machine-readable whatever the user's locale: a comma would split the field.
const NumberStyle kCsvNumberStyle{.decimalSeparator = ".", .groupSeparator = "", .groupSize = 0};

bool needsQuotes(std::string_view text) {
    return text.find_first_of(",\"\r\n") != std::string_view::npos ||
           (!text.empty() && (text.front() == ' ' || text.back() == ' '));
}

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

std::string systemError() {
    return std::strerror(errno);
}

} // namespace

std::string csvHeader() {
    return std::string(kHeader).append(kLineEnd);
}

std::string csvField(std::string_view text) {
    if (!needsQuotes(text)) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

std::string csvLine(const ResultRow& row) {
    const CurrencySeries& series = currencyCatalogue().byNumber(row.currencyNo);
    const std::string fields[] = {
        csvField(row.time),
        std::to_string(row.seed),
        std::to_string(row.turn),
        csvField(currencyCode(series)),
        csvField(series.name),
        std::to_string(row.realSide),
        std::to_string(row.chosenSide),
        row.chosenSide == row.realSide ? "1" : "0",
        spreadText(row.spread, row.decimals),
    };
    std::string line;
    for (const std::string& field : fields) {
        line.append(line.empty() ? "" : ",").append(field);
    }
    return line.append(kLineEnd);
}

std::unique_ptr<ResultsLog> ResultsLog::open(const std::string& path, std::string& error) {
    // Binary, so CR LF is written as it stands on every system.
    std::FILE* stream = std::fopen(path.c_str(), "ab");
    if (!stream) {
        error = systemError();
        return nullptr;
    }
    auto log = std::make_unique<ResultsLog>(stream);
    // A stream that cannot seek (a pipe) is a new one and gets its header too.
    const bool empty = std::fseek(stream, 0, SEEK_END) != 0 || std::ftell(stream) == 0;
    if (empty && !log->write(csvHeader())) {
        error = log->lastError();
        return nullptr;
    }
    return log;
}

ResultsLog::ResultsLog(std::FILE* stream) : stream_(stream) {
    // Unbuffered: each row goes to the system in one write as soon as it is appended.
    std::setvbuf(stream_, nullptr, _IONBF, 0);
}

ResultsLog::~ResultsLog() {
    std::fclose(stream_);
}

bool ResultsLog::append(const ResultRow& row) {
    return write(csvLine(row));
}

bool ResultsLog::write(std::string_view text) {
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stream_) == text.size() &&
        std::fflush(stream_) == 0) {
        return true;
    }
    lastError_ = errno != 0 ? systemError() : "the write was cut short";
    std::clearerr(stream_);
    return false;
}

} // namespace quiz
