#include "core/results/class_results.h"

#include "core/results/class_file_name.h"
#include "core/quiz/guessing_chance.h"
#include "core/text/number_text.h"
#include "core/results/result_row.h"

#include <algorithm>
#include <charconv>
#include <deque>
#include <optional>
#include <set>
#include <tuple>

namespace quiz {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kNoPosition = std::string_view::npos;

// The columns of today's files; an older version's files have the first kOlderWidth.
constexpr std::array<std::string_view, 13> kColumns = {
    "time",  "seed",   "turn",  "currency", "currency_name", "real_side", "chosen_side",
    "right", "spread", "level", "data",     "pupil",         "host"};
constexpr std::size_t kOlderWidth = 9;
enum Column : std::size_t {
    kTime,
    kSeed,
    kTurn,
    kCurrency,
    kCurrencyName,
    kRealSide,
    kChosenSide,
    kRight,
    kSpread,
    kLevel,
    kData,
    kPupil,
    kHost,
};

// A line this long is no row of the quiz's: it is reported and dropped rather than kept
// waiting for an end, so a stray big file costs neither memory nor time.
constexpr std::size_t kLongestRow = 65536;
constexpr std::size_t kLongestHeader = 512;
constexpr std::string_view kUnclosedQuote = "кавичка, отворена на този ред, не е затворена";

// One CSV record as RFC 4180 reads it from the start of a text. Its fields view the text, or
// `unescaped` for the few whose doubled quotes had to be undone; one record is reused from row
// to row, so reading a row allocates nothing.
struct Record {
    enum class State { Complete, Incomplete, Malformed };
    State state = State::Incomplete;
    std::vector<std::string_view> fields;
    std::deque<std::string> unescaped;
    std::size_t end = 0;                    // just after its line end (a bad one's first)
    std::size_t firstLineEnd = kNoPosition; // just after a line end inside quotes, if any
    std::uint64_t lines = 0;                // line ends up to `end`
    std::string_view problem;

    void reset() {
        state = State::Incomplete;
        fields.clear();
        unescaped.clear();
        end = 0;
        firstLineEnd = kNoPosition;
        lines = 0;
        problem = {};
    }

    void finish(State how, std::size_t at) {
        state = how;
        end = at;
    }
};

void noteLineEnds(std::string_view text, std::size_t from, std::size_t to, Record& record) {
    const std::string_view span = text.substr(from, to - from);
    const std::size_t first = span.find('\n');
    if (first != kNoPosition && record.firstLineEnd == kNoPosition) {
        record.firstLineEnd = from + first + 1;
    }
    record.lines += static_cast<std::uint64_t>(std::count(span.begin(), span.end(), '\n'));
}

// A bad record ends with its first line when a quote carried it over more lines (the quote
// is the likelier fault than every line after it), else with the line it is on.
void malformed(Record& record, std::string_view text, std::size_t at, std::string_view problem) {
    if (record.firstLineEnd != kNoPosition) {
        record.lines = 1;
        record.problem = kUnclosedQuote;
        record.finish(Record::State::Malformed, record.firstLineEnd);
        return;
    }
    const std::size_t lineEnd = text.find('\n', at);
    if (lineEnd == kNoPosition) {
        record.finish(Record::State::Incomplete, text.size());
        return;
    }
    record.lines = 1;
    record.problem = problem;
    record.finish(Record::State::Malformed, lineEnd + 1);
}

std::string_view unescaped(std::string_view quoted, Record& record) {
    std::string& text = record.unescaped.emplace_back();
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        text += quoted[i];
        i += quoted[i] == '"' ? 1 : 0;
    }
    return text;
}

// Reads a quoted field from just after its opening quote; returns where its closing quote
// ends, or kNoPosition when the bytes at hand end first.
std::size_t quotedField(std::string_view text, std::size_t from, Record& record) {
    bool doubled = false;
    for (std::size_t at = from;;) {
        const std::size_t quote = text.find('"', at);
        noteLineEnds(text, at, quote == kNoPosition ? text.size() : quote, record);
        if (quote == kNoPosition || quote + 1 == text.size()) {
            return kNoPosition; // a quote last may be half of a doubled one
        }
        if (text[quote + 1] != '"') {
            const std::string_view field = text.substr(from, quote - from);
            record.fields.push_back(doubled ? unescaped(field, record) : field);
            return quote + 1;
        }
        doubled = true;
        at = quote + 2;
    }
}

// After a quoted field only a separator or a line end may follow.
std::size_t afterQuotedField(std::string_view text, std::size_t at) {
    if (text.substr(at, 2) == "\r\n") {
        return at + 1;
    }
    return text.substr(at) == "\r" ? kNoPosition : at;
}

// Where an unquoted field ends: at a separator, a quote (which is out of place) or a line end.
std::size_t plainFieldEnd(std::string_view text, std::size_t at) {
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == ',' || c == '"' || c == '\n') {
            return at;
        }
    }
    return kNoPosition;
}

void scanRecord(std::string_view text, Record& record) {
    record.reset();
    for (std::size_t at = 0;;) {
        std::size_t next = kNoPosition; // where the field ends
        if (at < text.size() && text[at] == '"') {
            next = quotedField(text, at + 1, record);
            next = next == kNoPosition ? next : afterQuotedField(text, next);
        } else {
            next = plainFieldEnd(text, at);
            if (next != kNoPosition && text[next] == '"') {
                malformed(record, text, next, "кавичка в поле без кавички");
                return;
            }
            std::string_view field = text.substr(at, next == kNoPosition ? 0 : next - at);
            const bool lineEnd = next != kNoPosition && text[next] == '\n';
            record.fields.push_back(
                lineEnd && field.ends_with('\r') ? field.substr(0, field.size() - 1) : field);
        }
        if (next == kNoPosition || next == text.size()) {
            record.finish(Record::State::Incomplete, text.size());
            return;
        }
        if (text[next] == ',') {
            at = next + 1;
        } else if (text[next] == '\n') {
            ++record.lines;
            record.finish(Record::State::Complete, next + 1);
            return;
        } else {
            malformed(record, text, next, "текст след затваряща кавичка");
            return;
        }
    }
}

// A cell as a message shows it: short, quoted, on one line.
std::string shown(std::string_view cell) {
    constexpr std::size_t kShownBytes = 24;
    std::size_t length = std::min(cell.size(), kShownBytes);
    while (length < cell.size() && (static_cast<unsigned char>(cell[length]) & 0xC0) == 0x80) {
        --length;
    }
    std::string text = "'";
    for (const char c : cell.substr(0, length)) {
        text += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
    }
    return text + (length < cell.size() ? "…'" : "'");
}

template <typename Number> std::optional<Number> wholeNumber(std::string_view text) {
    Number number{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || text.front() == '-' || error != std::errc() ||
        end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

bool bit(std::string_view text) {
    return text == "0" || text == "1";
}

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
    return wholeNumber<int>(text.substr(at, count));
}

// "YYYY-MM-DDThh:mm:ss" with optional fraction and "Z", "±hh:mm" or "±hhmm", as UTC seconds;
// rows are put in time order by it, so that runs on computers in other offsets still line up.
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

std::string fileStem(std::string_view name) {
    constexpr std::string_view kExtension = ".csv";
    if (name.size() > kExtension.size()) {
        std::string extension(name.substr(name.size() - kExtension.size()));
        std::transform(extension.begin(), extension.end(), extension.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        });
        if (extension == kExtension) {
            return std::string(name.substr(0, name.size() - kExtension.size()));
        }
    }
    return std::string(name);
}

struct Answer {
    std::string time;
    std::int64_t utcSeconds = 0;
    bool timeRead = false; // whether `time` is ISO 8601 and utcSeconds holds it
    std::uint32_t seed = 0;
    int turn = 0;
    std::string currency;
    int realSide = 0;
    int chosenSide = 0;
    bool right = false;
    int level = 0;
    std::string data;
    std::string pupil;
    std::string host;
    const std::string* file = nullptr; // the name of the file it is read from
    std::uint64_t line = 0;
};

// What is wrong with a row's fields, or "" when nothing is.
std::string rowProblem(const std::vector<std::string_view>& fields, std::size_t width) {
    if (fields.size() != width) {
        return "редът има " + std::to_string(fields.size()) + " полета, а заглавният ред – " +
               std::to_string(width);
    }
    if (!wholeNumber<std::uint32_t>(fields[kSeed])) {
        return "seed е " + shown(fields[kSeed]) + ", а не цяло число";
    }
    if (wholeNumber<int>(fields[kTurn]).value_or(0) < 1) {
        return "turn е " + shown(fields[kTurn]) + ", а не цяло число от 1 нагоре";
    }
    for (const std::size_t column : {kRealSide, kChosenSide, kRight}) {
        if (!bit(fields[column])) {
            return std::string(kColumns[column]) + " е " + shown(fields[column]) + ", а не 0 или 1";
        }
    }
    if (width > kLevel && !isLevel(wholeNumber<int>(fields[kLevel]).value_or(-1))) {
        return "level е " + shown(fields[kLevel]) + ", а не от 0 до " +
               std::to_string(kLevelCount - 1);
    }
    const bool right = fields[kRight] == "1";
    if (right != (fields[kRealSide] == fields[kChosenSide])) {
        return "right е " + std::string(fields[kRight]) + ", но избраната страна " +
               (right ? "не е" : "е") + " реалната";
    }
    return {};
}

// A row rowProblem finds nothing wrong with; an older version's rows are of the stored series
// at level 0, by the pupil the file is named after.
Answer answerOf(const std::vector<std::string_view>& fields, std::size_t width,
                const std::string& filePupil) {
    const std::optional<std::int64_t> utc = utcSeconds(fields[kTime]);
    const bool current = width > kLevel;
    return {.time = std::string(fields[kTime]),
            .utcSeconds = utc.value_or(0),
            .timeRead = utc.has_value(),
            .seed = wholeNumber<std::uint32_t>(fields[kSeed]).value_or(0),
            .turn = wholeNumber<int>(fields[kTurn]).value_or(0),
            .currency = std::string(fields[kCurrency]),
            .realSide = fields[kRealSide] == "1" ? 1 : 0,
            .chosenSide = fields[kChosenSide] == "1" ? 1 : 0,
            .right = fields[kRight] == "1",
            .level = current ? wholeNumber<int>(fields[kLevel]).value_or(0) : 0,
            .data = std::string(current ? fields[kData] : "catalogue"),
            .pupil = current && !fields[kPupil].empty() ? std::string(fields[kPupil]) : filePupil,
            .host = std::string(current ? fields[kHost] : "")};
}

bool isHeader(const std::vector<std::string_view>& fields, std::size_t width) {
    return fields.size() == width && std::equal(fields.begin(), fields.end(), kColumns.begin());
}

// Whether `text` starts with `piece` followed by "_" or nothing; gives what follows the "_".
bool startsWithPiece(std::string_view& text, std::string_view piece) {
    if (!text.starts_with(piece) || (text.size() > piece.size() && text[piece.size()] != '_')) {
        return false;
    }
    text.remove_prefix(std::min(text.size(), piece.size() + 1));
    return true;
}

// Whether a run of this pupil on this computer could have written a file of this name: it
// names them first, as classFileName does, or the pupil alone.
bool namedBy(std::string_view stem, std::string_view pupil, std::string_view host) {
    if (!startsWithPiece(stem, safeNamePiece(pupil))) {
        return false;
    }
    return stem.empty() || host.empty() || startsWithPiece(stem, safeNamePiece(host));
}

} // namespace

struct ClassResults::File {
    explicit File(std::string_view fileName) : name(fileName), pupil(fileStem(fileName)) {}

    // Takes the next bytes of the file; returns whether an answer or a skipped line was added.
    bool take(std::string_view bytes) {
        offset += bytes.size();
        remember(bytes);
        const std::size_t before = answers.size() + skipped.size();
        const std::uint64_t moreBefore = moreSkipped;
        if (tail.empty()) {
            tail.assign(bytes.substr(readFrom(bytes)));
        } else {
            tail.append(bytes);
            tail.erase(0, readFrom(tail));
        }
        return answers.size() + skipped.size() != before || moreSkipped != moreBefore;
    }

    // Keeps the last kMarkBytes taken, by which the caller knows the file again.
    void remember(std::string_view bytes) {
        if (bytes.size() >= kMarkBytes) {
            lastBytes.assign(bytes.substr(bytes.size() - kMarkBytes));
            return;
        }
        lastBytes.append(bytes);
        lastBytes.erase(0, lastBytes.size() > kMarkBytes ? lastBytes.size() - kMarkBytes : 0);
    }

    std::string name;
    std::string pupil; // who answered in an older version's file
    std::uint64_t offset = 0;
    std::string lastBytes;
    std::string tail;           // the bytes of a record not yet complete
    std::uint64_t tailLine = 1; // the line the tail starts on
    bool discarding = false;    // dropping the rest of an over-long line
    std::size_t width = 0;      // columns of the file's header; 0 before it is read
    bool refused = false;       // its first line is no results header
    std::vector<Answer> answers;
    std::vector<Skipped> skipped;
    std::uint64_t moreSkipped = 0;
    std::string mark; // why none of its answers count, or ""

private:
    static constexpr std::size_t kSkippedKept = 20;

    Record record_; // the one being read, kept for its buffers
    std::vector<std::pair<std::uint32_t, int>> lastTurns_; // of each seed, seldom more than one

    // The first reason, with its line, not to trust the file: a copy made by hand, or rows
    // put together from others.
    void checkFileShape(const Answer& answer) {
        if (!mark.empty()) {
            return;
        }
        const Answer* before = answers.size() > 1 ? &answers[answers.size() - 2] : nullptr;
        // A file's rows are one pupil's, so the name is checked again only when it changes.
        const bool samePupil =
            before && before->pupil == answer.pupil && before->host == answer.host;
        if (width > kPupil && !samePupil && !namedBy(pupil, answer.pupil, answer.host)) {
            mark = where(answer) + "редът е на " + shown(answer.pupil) + " от " +
                   shown(answer.host) + ", а името на файла – не";
        } else if (before && answer.timeRead && before->timeRead &&
                   answer.utcSeconds < before->utcSeconds) {
            mark = where(answer) + "времето се връща назад";
        } else if (!turnRises(answer)) {
            mark = where(answer) + "ход " + std::to_string(answer.turn) + " на seed " +
                   std::to_string(answer.seed) + " се повтаря или е не на реда си";
        }
    }

    // A run writes its turns rising, so a turn at or below one of its seed's is written twice.
    bool turnRises(const Answer& answer) {
        const auto last = std::find_if(lastTurns_.begin(), lastTurns_.end(),
                                       [&](const auto& seen) { return seen.first == answer.seed; });
        if (last == lastTurns_.end()) {
            lastTurns_.emplace_back(answer.seed, answer.turn);
            return true;
        }
        const bool rises = answer.turn > last->second;
        last->second = answer.turn;
        return rises;
    }

    static std::string where(const Answer& answer) {
        return "ред " + std::to_string(answer.line) + ": ";
    }

    void skip(std::string reason) {
        if (skipped.size() < kSkippedKept) {
            skipped.push_back({name, tailLine, std::move(reason)});
        } else {
            ++moreSkipped;
        }
    }

    // The bytes of `text` it is done with.
    std::size_t readFrom(std::string_view text) {
        if (refused) {
            return text.size();
        }
        std::size_t at = width == 0 ? readHeader(text) : 0;
        while (width != 0 && at < text.size()) {
            const std::size_t done =
                discarding ? dropLongLine(text.substr(at)) : readRecord(text.substr(at));
            if (done == 0) {
                break;
            }
            at += done;
        }
        return refused ? text.size() : at;
    }

    std::size_t readHeader(std::string_view text) {
        const std::size_t start = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
        Record& record = record_;
        scanRecord(text.substr(start), record);
        if (record.state == Record::State::Incomplete && text.size() <= kLongestHeader) {
            return 0;
        }
        for (const std::size_t candidate : {kColumns.size(), kOlderWidth}) {
            if (record.state == Record::State::Complete && isHeader(record.fields, candidate)) {
                width = candidate;
                tailLine += record.lines;
                return start + record.end;
            }
        }
        std::string_view line = text.substr(start);
        line = line.substr(0, line.find('\n'));
        skip("първият ред не е заглавен ред на резултати: " +
             shown(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line));
        refused = true;
        return text.size();
    }

    std::size_t dropLongLine(std::string_view text) {
        const std::size_t lineEnd = text.find('\n');
        if (lineEnd == kNoPosition) {
            return text.size();
        }
        discarding = false;
        ++tailLine;
        return lineEnd + 1;
    }

    // The bytes read: a record, a bad line, or 0 when the record is not complete yet.
    std::size_t readRecord(std::string_view text) {
        Record& record = record_;
        scanRecord(text, record);
        const bool spansLines = record.firstLineEnd != kNoPosition;
        if (spansLines && quoteLeftOpen(record, text)) {
            skip(std::string(kUnclosedQuote));
            ++tailLine;
            return record.firstLineEnd;
        }
        if (record.state == Record::State::Incomplete) {
            if (text.size() <= kLongestRow) {
                return 0;
            }
            skip("редът е по-дълъг от " + std::to_string(kLongestRow) + " байта");
            discarding = true;
            return text.size();
        }
        if (record.state == Record::State::Malformed) {
            skip(std::string(record.problem));
        } else {
            takeRow(record.fields);
        }
        tailLine += record.lines;
        return record.end;
    }

    // Whether a quote that runs over a line end was opened by mistake: its record comes out
    // with the wrong number of fields, or a whole row is found after its first line before it
    // closes, or it stays open far longer than any row. The same rows are found whether the
    // file comes in one piece or in many.
    bool quoteLeftOpen(const Record& record, std::string_view text) const {
        const std::string_view after = text.substr(0, record.end).substr(record.firstLineEnd);
        switch (record.state) {
        case Record::State::Complete:
            return record.fields.size() != width || rowFollows(after);
        case Record::State::Incomplete:
            return text.size() > kLongestRow || rowFollows(after);
        case Record::State::Malformed:
            break;
        }
        return false;
    }

    bool rowFollows(std::string_view text) const {
        for (std::size_t lineEnd = text.find('\n'); lineEnd != kNoPosition;
             lineEnd = text.find('\n')) {
            Record record;
            scanRecord(text.substr(0, lineEnd + 1), record);
            if (record.state == Record::State::Complete &&
                rowProblem(record.fields, width).empty()) {
                return true;
            }
            text.remove_prefix(lineEnd + 1);
        }
        return false;
    }

    void takeRow(const std::vector<std::string_view>& fields) {
        if (fields.size() == 1 && fields.front().empty()) {
            return; // a blank line, as spreadsheets leave at the end
        }
        std::string problem = rowProblem(fields, width);
        if (problem.empty()) {
            Answer& answer = answers.emplace_back(answerOf(fields, width, pupil));
            answer.file = &name;
            answer.line = tailLine;
            checkFileShape(answer);
        } else {
            skip(std::move(problem));
        }
    }
};

std::string skippedText(const Skipped& skipped) {
    std::string file;
    for (const char c : skipped.file) {
        file += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
    }
    const std::string line = skipped.line == 0 ? "" : ":" + std::to_string(skipped.line);
    return file + line + ": " + skipped.reason;
}

ClassResults::ClassResults() = default;
ClassResults::~ClassResults() = default;
ClassResults::ClassResults(ClassResults&&) noexcept = default;
ClassResults& ClassResults::operator=(ClassResults&&) noexcept = default;

std::uint64_t ClassResults::offset(const std::string& name) const {
    const auto file = files_.find(name);
    return file == files_.end() ? 0 : file->second->offset;
}

std::string_view ClassResults::lastBytes(const std::string& name) const {
    const auto file = files_.find(name);
    return file == files_.end() ? std::string_view() : std::string_view(file->second->lastBytes);
}

bool ClassResults::feed(const std::string& name, std::string_view newBytes) {
    auto file = files_.find(name);
    if (file == files_.end()) {
        file = files_.emplace(name, std::make_unique<File>(name)).first;
    }
    const bool changed = file->second->take(newBytes);
    if (changed) {
        totals_.reset();
    }
    return changed;
}

void ClassResults::restart(const std::string& name) {
    const auto file = files_.find(name);
    if (file != files_.end()) {
        file->second = std::make_unique<File>(name);
        totals_.reset();
    }
}

void ClassResults::forget(const std::string& name) {
    if (files_.erase(name) > 0) {
        totals_.reset();
    }
}

bool ClassResults::refused(const std::string& name) const {
    const auto file = files_.find(name);
    return file != files_.end() && file->second->refused;
}

void ClassResults::checkReplays(DataFinder finder) {
    finder_ = std::move(finder);
    runs_.clear();
    totals_.reset();
}

std::vector<Skipped> ClassResults::notCounted() const {
    return totals().notCounted;
}

std::vector<std::string> ClassResults::fileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : files_) {
        names.push_back(entry.first);
    }
    return names;
}

std::vector<Skipped> ClassResults::skipped() const {
    std::vector<Skipped> all;
    for (const auto& [name, file] : files_) {
        all.insert(all.end(), file->skipped.begin(), file->skipped.end());
        if (file->moreSkipped > 0) {
            all.push_back(
                {name, 0, "още " + std::to_string(file->moreSkipped) + " пропуснати реда"});
        }
    }
    return all;
}

namespace {

// Time order, then everything that tells two answers apart.
auto timeKey(const Answer& answer) {
    const std::string_view unreadTime = answer.timeRead ? std::string_view() : answer.time;
    return std::make_tuple(!answer.timeRead, answer.utcSeconds, unreadTime, answer.seed,
                           answer.turn);
}

// An answer with its pupil as a rank among the pupils' names and computers, so that sorting
// seldom compares text.
struct Keyed {
    const int* pupil;
    const Answer* answer;
};

// What makes an answer the same one wherever it is found, then the earliest first.
bool identityOrder(const Keyed& a, const Keyed& b) {
    const Answer& x = *a.answer;
    const Answer& y = *b.answer;
    if (*a.pupil != *b.pupil || x.seed != y.seed || x.turn != y.turn) {
        return std::tie(*a.pupil, x.seed, x.turn) < std::tie(*b.pupil, y.seed, y.turn);
    }
    return std::tuple_cat(timeKey(x), std::make_tuple(std::string_view(*x.file))) <
           std::tuple_cat(timeKey(y), std::make_tuple(std::string_view(*y.file)));
}

bool timeOrder(const Answer* a, const Answer* b) {
    return timeKey(*a) < timeKey(*b);
}

bool sameAnswer(const Keyed& a, const Keyed& b) {
    return *a.pupil == *b.pupil && a.answer->seed == b.answer->seed &&
           a.answer->turn == b.answer->turn;
}

bool sameRun(const Keyed& a, const Keyed& b) {
    return *a.pupil == *b.pupil && a.answer->seed == b.answer->seed;
}

PupilSummary summarize(const std::vector<const Answer*>& answers) {
    PupilSummary summary;
    summary.pupil = answers.front()->pupil;
    summary.host = answers.front()->host;
    std::set<std::string_view> data;
    std::set<int> levels;
    int streak = 0;
    for (const Answer* answer : answers) {
        ++summary.answered;
        summary.right += answer->right ? 1 : 0;
        if (answer->level > 0) {
            ++summary.judgedAnswered;
            summary.judgedRight += answer->right ? 1 : 0;
        }
        streak = answer->right ? streak + 1 : 0;
        summary.bestStreak = std::max(summary.bestStreak, streak);
        levels.insert(answer->level);
        data.insert(answer->data);
    }
    summary.levels.assign(levels.begin(), levels.end());
    summary.data.assign(data.begin(), data.end());
    summary.accuracy =
        summary.answered == 0 ? 0.0 : static_cast<double>(summary.right) / summary.answered;
    summary.guessingChance = guessingChance(summary.judgedRight, summary.judgedAnswered);
    summary.beatsGuessing = summary.judgedAnswered > 0 && beatsGuessing(summary.guessingChance);
    return summary;
}

void add(Tally& tally, bool right) {
    ++tally.answered;
    tally.correct += right ? 1 : 0;
}

void addToClass(const std::vector<const Answer*>& answers, ClassSummary& summary,
                std::map<std::string_view, Tally>& currencies) {
    for (const Answer* answer : answers) {
        add(summary.total, answer->right);
        add(summary.levels[static_cast<std::size_t>(answer->level)], answer->right);
        add(currencies[answer->currency], answer->right);
    }
}

std::string runKey(const Answer& answer) {
    return answer.pupil + '\n' + answer.host + '\n' + std::to_string(answer.seed);
}

} // namespace

// One run's replay and the rows it has taken, so that new rows continue it.
struct RunCheck {
    struct Row {
        int turn;
        int level;
        std::string data;
        std::string currency;
        int realSide;
    };
    RunCheck(std::uint32_t seed, const DataFinder& finder) : replay(seed, finder) {}
    RunReplay replay;
    std::vector<Row> rows;
    std::vector<ReplayVerdict> verdicts;
};

namespace {

RunCheck::Row replayed(const Answer& answer) {
    return {answer.turn, answer.level, answer.data, answer.currency, answer.realSide};
}

std::string rowPlace(const Answer& answer) {
    return "ход " + std::to_string(answer.turn) + " на seed " + std::to_string(answer.seed);
}

// The verdicts on one run's rows, in turn order: those already given are kept while the rows
// before them stay the same.
bool sameRow(const RunCheck::Row& row, const Answer* answer) {
    return row.turn == answer->turn && row.level == answer->level &&
           row.realSide == answer->realSide && row.data == answer->data &&
           row.currency == answer->currency;
}

// The verdicts on one run's rows, in turn order: those already given are kept while the rows
// before them stay the same.
const std::vector<ReplayVerdict>& verdictsOf(const std::vector<const Answer*>& run,
                                             std::unique_ptr<RunCheck>& check,
                                             const DataFinder& finder) {
    if (!check || check->rows.size() > run.size() ||
        !std::equal(check->rows.begin(), check->rows.end(), run.begin(), sameRow)) {
        check = std::make_unique<RunCheck>(run.front()->seed, finder);
    }
    for (std::size_t i = check->rows.size(); i < run.size(); ++i) {
        const RunCheck::Row& row = check->rows.emplace_back(replayed(*run[i]));
        check->verdicts.push_back(check->replay.check({.turn = row.turn,
                                                       .level = row.level,
                                                       .data = row.data,
                                                       .currency = row.currency,
                                                       .realSide = row.realSide}));
    }
    return check->verdicts;
}

// Drops the rows their seed could not have dealt, and says so; says where a run could not be
// followed. `answers` are in run and turn order, one per turn.
std::vector<Keyed>
replayChecked(const std::vector<Keyed>& answers,
              std::map<std::string, std::unique_ptr<RunCheck>, std::less<>>& runs,
              const DataFinder& finder, std::vector<Skipped>& notCounted) {
    constexpr int kImpossibleShown = 20;
    std::map<const std::string*, int> impossible;
    std::vector<Keyed> kept;
    kept.reserve(answers.size());
    std::vector<const Answer*> run;
    for (auto from = answers.begin(); from != answers.end();) {
        const auto to = std::find_if(from, answers.end(),
                                     [&](const Keyed& keyed) { return !sameRun(keyed, *from); });
        run.clear();
        for (auto keyed = from; keyed != to; ++keyed) {
            run.push_back(keyed->answer);
        }
        const auto& verdicts = verdictsOf(run, runs[runKey(*run.front())], finder);
        bool unchecked = false;
        for (std::size_t i = 0; i < run.size(); ++i) {
            const Answer& answer = *run[i];
            if (verdicts[i] == ReplayVerdict::Impossible) {
                // A few with their place, as for lines skipped; the rest counted by file.
                if (++impossible[answer.file] <= kImpossibleShown) {
                    notCounted.push_back({*answer.file, answer.line,
                                          "не е броен – seed не дава такава реална страна или "
                                          "валута за " +
                                              rowPlace(answer)});
                }
                continue;
            }
            if (verdicts[i] == ReplayVerdict::Unchecked && !unchecked) {
                unchecked = true;
                notCounted.push_back({*answer.file, answer.line,
                                      "броен, но от " + rowPlace(answer) +
                                          " нататък редовете не могат да се проверят по seed "
                                          "(ходове без ред или непознати данни)"});
            }
            kept.push_back(from[static_cast<std::ptrdiff_t>(i)]);
        }
        from = to;
    }
    for (const auto& [file, count] : impossible) {
        if (count > kImpossibleShown) {
            notCounted.push_back({*file, 0,
                                  "още " + std::to_string(count - kImpossibleShown) +
                                      " реда не са броени: seed не ги дава"});
        }
    }
    return kept;
}

} // namespace

ClassResults::Totals ClassResults::computeTotals() const {
    Totals totals;
    std::vector<Keyed> answers;
    std::map<std::pair<std::string_view, std::string_view>, int> pupils;
    for (const auto& [name, file] : files_) {
        if (!file->mark.empty()) {
            totals.notCounted.push_back({name, 0, "не е броен – " + file->mark});
            continue;
        }
        const Answer* previous = nullptr;
        const int* pupil = nullptr;
        for (const Answer& answer : file->answers) {
            if (!previous || previous->pupil != answer.pupil || previous->host != answer.host) {
                pupil = &pupils.try_emplace({answer.pupil, answer.host}, 0).first->second;
            }
            answers.push_back({pupil, &answer});
            previous = &answer;
        }
    }
    int rank = 0;
    for (auto& entry : pupils) {
        entry.second = rank++;
    }
    std::sort(answers.begin(), answers.end(), identityOrder);
    answers.erase(std::unique(answers.begin(), answers.end(), sameAnswer), answers.end());
    if (finder_) {
        answers = replayChecked(answers, runs_, finder_, totals.notCounted);
    }

    // By pupil and computer, each in time order.
    std::map<std::string_view, Tally> currencies;
    std::vector<const Answer*> pupil;
    for (auto from = answers.begin(); from != answers.end();) {
        const auto to = std::find_if(
            from, answers.end(), [&](const Keyed& keyed) { return *keyed.pupil != *from->pupil; });
        pupil.clear();
        for (auto keyed = from; keyed != to; ++keyed) {
            pupil.push_back(keyed->answer);
        }
        // One run's turns are already in time order.
        if (!std::is_sorted(pupil.begin(), pupil.end(), timeOrder)) {
            std::sort(pupil.begin(), pupil.end(), timeOrder);
        }
        addToClass(pupil, totals.summary, currencies);
        totals.pupils.push_back(summarize(pupil));
        totals.summary.pupilsJudged += totals.pupils.back().judgedAnswered > 0 ? 1 : 0;
        totals.summary.pupilsBeatingGuessing += totals.pupils.back().beatsGuessing ? 1 : 0;
        from = to;
    }
    totals.summary.pupils = static_cast<int>(totals.pupils.size());
    for (const auto& [code, tally] : currencies) {
        totals.summary.currencies.emplace_back(std::string(code), tally);
    }
    std::sort(totals.notCounted.begin(), totals.notCounted.end(),
              [](const Skipped& a, const Skipped& b) {
                  return std::tie(a.file, a.line) < std::tie(b.file, b.line);
              });
    return totals;
}

const ClassResults::Totals& ClassResults::totals() const {
    if (!totals_) {
        totals_ = computeTotals();
    }
    return *totals_;
}

std::vector<PupilSummary> ClassResults::pupils() const {
    return totals().pupils;
}

ClassSummary ClassResults::summary() const {
    return totals().summary;
}

namespace {

// Between the levels or the data sets a pupil played: neither a separator nor a decimal mark,
// so a spreadsheet keeps "0 + 3" as text rather than reading a number into it.
constexpr std::string_view kJoiner = " + ";

struct ExportRules {
    std::string_view start;
    std::string_view separator;
    std::string_view decimalSeparator;
    std::array<std::string_view, 12> header;
    std::string_view yes;
    std::string_view no;
    bool guardFormulas; // a spreadsheet would run a cell that starts like a formula
};

const ExportRules& rulesFor(ExportForm form) {
    static const ExportRules kPlain{"",
                                    ",",
                                    ".",
                                    {"pupil", "host", "answered", "right", "accuracy_percent",
                                     "best_streak", "levels", "data", "answered_above_level_0",
                                     "right_above_level_0", "guessing_chance_percent",
                                     "beats_guessing"},
                                    "1",
                                    "0",
                                    false};
    static const ExportRules kBulgarianExcel{kByteOrderMark,
                                             ";",
                                             ",",
                                             {"Ученик", "Компютър", "Отговори", "Верни",
                                              "Точност, %", "Най-дълга серия", "Нива", "Данни",
                                              "Отговори над ниво 0", "Верни над ниво 0",
                                              "Шанс при налучкване, %", "Над налучкването"},
                                             "да",
                                             "не",
                                             true};
    return form == ExportForm::Plain ? kPlain : kBulgarianExcel;
}

std::string exportField(std::string_view text, const ExportRules& rules) {
    std::string field(text);
    if (rules.guardFormulas && !field.empty() &&
        std::string_view("=+-@\t\r").find(field.front()) != kNoPosition) {
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

std::string exportCsv(const std::vector<PupilSummary>& pupils, ExportForm form) {
    constexpr int kAccuracyDecimals = 1;
    constexpr int kChanceDecimals = 3;
    const ExportRules& rules = rulesFor(form);
    const NumberStyle style{.decimalSeparator = std::string(rules.decimalSeparator),
                            .groupSeparator = "",
                            .groupSize = 0};
    std::string csv(rules.start);
    csv += exportLine({rules.header.begin(), rules.header.end()}, rules);
    for (const PupilSummary& pupil : pupils) {
        // No verdict, rather than "no", for a pupil who answered at level 0 only.
        const bool judged = pupil.judgedAnswered > 0;
        csv += exportLine(
            {pupil.pupil, pupil.host, std::to_string(pupil.answered), std::to_string(pupil.right),
             fixedText(100.0 * pupil.accuracy, kAccuracyDecimals, style),
             std::to_string(pupil.bestStreak), joined(pupil.levels), joined(pupil.data, kJoiner),
             std::to_string(pupil.judgedAnswered), std::to_string(pupil.judgedRight),
             judged ? fixedText(100.0 * pupil.guessingChance, kChanceDecimals, style) : "",
             judged ? std::string(pupil.beatsGuessing ? rules.yes : rules.no) : ""},
            rules);
    }
    return csv;
}

} // namespace quiz
