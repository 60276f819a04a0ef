#include "core/results/class_file.h"

#include "core/results/result_columns.h"
#include "core/text/utf8_text.h"

#include <algorithm>

namespace quiz {

namespace {

constexpr std::size_t kNoPosition = std::string_view::npos;

// A line this long is no row of the quiz's: it is reported and dropped rather than kept
// waiting for an end, so a stray big file costs neither memory nor time.
constexpr std::size_t kLongestRow = 65536;
constexpr std::size_t kLongestHeader = 512;

} // namespace

bool ClassResults::File::take(std::string_view bytes) {
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

void ClassResults::File::remember(std::string_view bytes) {
    if (bytes.size() >= kMarkBytes) {
        lastBytes.assign(bytes.substr(bytes.size() - kMarkBytes));
        return;
    }
    lastBytes.append(bytes);
    lastBytes.erase(0, lastBytes.size() > kMarkBytes ? lastBytes.size() - kMarkBytes : 0);
}

void ClassResults::File::checkFileShape(const Answer& answer) {
    if (!mark.empty()) {
        return;
    }
    const Answer* before = answers.size() > 1 ? &answers[answers.size() - 2] : nullptr;
    // A file's rows are one pupil's, so the name is checked again only when it changes.
    const bool samePupil = before && before->pupil == answer.pupil && before->host == answer.host;
    if (width > kPupil && !samePupil && !namedBy(pupil, answer.pupil, answer.host)) {
        mark = where(answer) + "редът е на " + shown(answer.pupil) + " от " + shown(answer.host) +
               ", а името на файла – не";
    } else if (before && answer.timeRead && before->timeRead &&
               answer.utcSeconds < before->utcSeconds) {
        mark = where(answer) + "времето се връща назад";
    } else if (lastTurns_.size() >= kMostRuns && !knownRun(answer.seed)) {
        // A class file holds one run, a --log file a few a lesson; thousands of seeds are made
        // up, and checking each would stall the teacher's view.
        mark = where(answer) + "повече от " + std::to_string(kMostRuns) +
               " сесии (различни seed) в един файл";
    } else if (!turnRises(answer)) {
        mark = where(answer) + "ход " + std::to_string(answer.turn) + " на seed " +
               std::to_string(answer.seed) + " се повтаря или е не на реда си";
    }
}

bool ClassResults::File::knownRun(std::uint32_t seed) const {
    return std::any_of(lastTurns_.begin(), lastTurns_.end(),
                       [&](const auto& seen) { return seen.first == seed; });
}

bool ClassResults::File::turnRises(const Answer& answer) {
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

std::string ClassResults::File::where(const Answer& answer) {
    return "ред " + std::to_string(answer.line) + ": ";
}

void ClassResults::File::skip(std::string reason) {
    if (skipped.size() < kSkippedKept) {
        skipped.push_back({name, tailLine, std::move(reason)});
    } else {
        ++moreSkipped;
    }
}

std::size_t ClassResults::File::readFrom(std::string_view text) {
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

std::size_t ClassResults::File::readHeader(std::string_view text) {
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

std::size_t ClassResults::File::dropLongLine(std::string_view text) {
    const std::size_t lineEnd = text.find('\n');
    if (lineEnd == kNoPosition) {
        return text.size();
    }
    discarding = false;
    ++tailLine;
    return lineEnd + 1;
}

std::size_t ClassResults::File::readRecord(std::string_view text) {
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

bool ClassResults::File::quoteLeftOpen(const Record& record, std::string_view text) const {
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

bool ClassResults::File::rowFollows(std::string_view text) const {
    for (std::size_t lineEnd = text.find('\n'); lineEnd != kNoPosition; lineEnd = text.find('\n')) {
        Record record;
        scanRecord(text.substr(0, lineEnd + 1), record);
        if (record.state == Record::State::Complete && rowProblem(record.fields, width).empty()) {
            return true;
        }
        text.remove_prefix(lineEnd + 1);
    }
    return false;
}

void ClassResults::File::takeRow(const std::vector<std::string_view>& fields) {
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

} // namespace quiz
