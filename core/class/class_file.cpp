#include "core/class/class_file.h"

#include "core/results/result_columns.h"
#include "core/results/result_row.h"
#include "core/text/message_text.h"
#include "core/text/utf8_text.h"

#include <algorithm>

namespace quiz {

namespace {

constexpr std::size_t kNoPosition = std::string_view::npos;

// A line this long is no row of the quiz's: it is reported and dropped rather than kept
// waiting for an end, so a stray big file costs neither memory nor time.
constexpr std::size_t kLongestRow = 65536;
constexpr std::size_t kLongestHeader = 512;

// Just after the first line end in `text` (LF, CR LF or a lone CR), or kNoPosition.
std::size_t afterLineEnd(std::string_view text) {
    const std::size_t end = text.find_first_of("\r\n");
    if (end == kNoPosition) {
        return kNoPosition;
    }
    return end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
}

} // namespace

bool ClassResults::File::take(std::string_view bytes) {
    offset += bytes.size();
    remember(bytes);
    const std::size_t before = answers.size() + skipped.size();
    const std::uint64_t moreBefore = moreSkipped;
    if (!refused) {
        makeRoom(bytes.size());
        feedScanner(bytes);
        readRecords();
        scanner_.keep();
        if (headDone_ && !head_.empty()) {
            std::string().swap(head_); // kept by the scanner, as far as it is not read
        }
    }
    return answers.size() + skipped.size() != before || moreSkipped != moreBefore;
}

void ClassResults::File::makeRoom(std::size_t bytes) {
    // Room for the rows in a big piece at once, rather than growing to it by copies. Less than a
    // row's length, since a row of the quiz's is longer.
    constexpr std::size_t kShortRow = 96;
    const std::size_t rows = answers.size() + bytes / kShortRow;
    if (rows > answers.capacity()) {
        answers.reserve(std::max(rows, 2 * answers.capacity()));
    }
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
    if (mark) {
        return;
    }
    const Answer* before = answers.size() > 1 ? &answers[answers.size() - 2] : nullptr;
    // A file's rows are one pupil's, so the name is checked again only when it changes.
    const bool samePupil = before && before->pupil == answer.pupil && before->host == answer.host;
    if (width > kPupil && !samePupil && !namedBy(pupil, answer.pupil, answer.host)) {
        mark = {ClassReasonId::OtherPupil,
                {std::to_string(answer.line), quotedForMessage(answer.pupil),
                 quotedForMessage(answer.host)}};
    } else if (before && answer.timeRead && before->timeRead &&
               answer.utcSeconds < before->utcSeconds) {
        mark = {ClassReasonId::TimeGoesBack, {std::to_string(answer.line)}};
    } else if (lastTurns_.size() >= kMostRuns && !knownRun(answer.run)) {
        // A class file holds one run, a --log file a few a lesson; thousands of seeds are made
        // up, and checking each would stall the teacher's view.
        mark = {ClassReasonId::TooManyRuns,
                {std::to_string(answer.line), std::to_string(kMostRuns)}};
    } else if (!turnRises(answer)) {
        // A run is named by its seed where the file tells it, else by its identity.
        mark = {ClassReasonId::TurnRepeated,
                {std::to_string(answer.line), std::to_string(answer.turn),
                 answer.seedState == SeedState::Plain ? std::to_string(answer.seed)
                                                      : runText(answer.run)}};
    }
}

bool ClassResults::File::knownRun(std::uint64_t run) const {
    return std::any_of(lastTurns_.begin(), lastTurns_.end(),
                       [&](const auto& seen) { return seen.first == run; });
}

bool ClassResults::File::turnRises(const Answer& answer) {
    const auto last = std::find_if(lastTurns_.begin(), lastTurns_.end(),
                                   [&](const auto& seen) { return seen.first == answer.run; });
    if (last == lastTurns_.end()) {
        lastTurns_.emplace_back(answer.run, answer.turn);
        return true;
    }
    const bool rises = answer.turn > last->second;
    last->second = answer.turn;
    return rises;
}

void ClassResults::File::skip(std::uint64_t line, ClassReason reason) {
    if (skipped.size() < kSkippedKept) {
        skipped.push_back({name, line, std::move(reason)});
    } else {
        ++moreSkipped;
    }
}

void ClassResults::File::feedScanner(std::string_view bytes) {
    if (headDone_) {
        scanner_.lend(bytes); // kept once the records in it are read
        return;
    }
    // The mark may come a byte at a time, as a growing file is read.
    std::string_view head = bytes;
    if (!head_.empty() || bytes.size() < kByteOrderMark.size()) {
        head = head_.append(bytes);
    }
    if (head.size() < kByteOrderMark.size() && kByteOrderMark.starts_with(head)) {
        return;
    }
    headDone_ = true;
    scanner_.lend(head.substr(head.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0));
}

void ClassResults::File::readRecords() {
    while (!refused) {
        const std::string_view text = scanner_.pendingText(); // the next record's bytes on
        if (text.empty()) {
            return;
        }
        if (scanner_.next(record_) != CsvStatus::Record) {
            if (!awaitRecord(text)) {
                return;
            }
        } else if (width == 0) {
            readHeader(text, true);
        } else {
            readRecord(text);
        }
    }
}

void ClassResults::File::readHeader(std::string_view text, bool whole) {
    if (whole && record_.error == CsvError::None) {
        for (const std::size_t candidate : {kColumns.size(), kPlainSeedWidth, kOlderWidth}) {
            if (isHeader(record_.fields, candidate)) {
                width = candidate;
                return;
            }
        }
    }
    skip(record_.line, {ClassReasonId::NotAHeader,
                        {quotedForMessage(text.substr(0, text.find_first_of("\r\n")))}});
    refused = true;
}

bool ClassResults::File::awaitRecord(std::string_view text) {
    if (width == 0) {
        if (text.size() <= kLongestHeader) {
            return false;
        }
        readHeader(text, false);
        return false;
    }
    if (record_.quotedLineEnd != 0 && quoteLeftOpen(record_, text, false)) {
        skip(record_.line, {ClassReasonId::UnclosedQuote});
        scanner_.resumeAfterQuotedLineEnd(record_);
        return true;
    }
    if (text.size() > kLongestRow) {
        skip(record_.line, {ClassReasonId::LineTooLong, {std::to_string(kLongestRow)}});
        scanner_.dropLine();
    }
    return false;
}

void ClassResults::File::readRecord(std::string_view text) {
    if (record_.error == CsvError::None && record_.quotedLineEnd != 0 &&
        quoteLeftOpen(record_, text, true)) {
        skip(record_.line, {ClassReasonId::UnclosedQuote});
        scanner_.resumeAfterQuotedLineEnd(record_);
        return;
    }
    if (record_.error == CsvError::None) {
        takeRow(record_.fields, record_.line);
        return;
    }
    // The scanner has read on after the quote's first line: the quote is the likelier fault.
    if (record_.quotedLineEnd != 0) {
        skip(record_.line, {ClassReasonId::UnclosedQuote});
        return;
    }
    switch (record_.error) {
    case CsvError::QuoteInPlainField:
        skip(record_.line, {ClassReasonId::QuoteInPlainField});
        return;
    case CsvError::TextAfterQuote:
        skip(record_.line, {ClassReasonId::TextAfterQuote});
        return;
    case CsvError::None:
    case CsvError::UnclosedQuote:
    case CsvError::TooManyFields:
        break; // an open quote is ended by more bytes; the fields have no limit
    }
    skip(record_.line, {ClassReasonId::UnclosedQuote});
}

bool ClassResults::File::quoteLeftOpen(const CsvRecord& record, std::string_view text, bool whole) {
    const std::size_t firstLine = record.quotedLineEnd - record.begin;
    if (whole) {
        const std::string_view after = text.substr(0, record.end - record.begin).substr(firstLine);
        return record.fields.size() != width || rowFollows(after);
    }
    return text.size() > kLongestRow || rowFollows(text.substr(firstLine));
}

bool ClassResults::File::rowFollows(std::string_view text) {
    for (std::size_t lineEnd = afterLineEnd(text); lineEnd != kNoPosition;
         lineEnd = afterLineEnd(text)) {
        CsvScanner line = CsvScanner::over(text.substr(0, lineEnd));
        CsvRecord record;
        if (line.next(record) == CsvStatus::Record && record.error == CsvError::None &&
            record.end == lineEnd && !rowProblem(record.fields, width)) {
            return true;
        }
        text.remove_prefix(lineEnd);
    }
    return false;
}

void ClassResults::File::takeRow(const std::vector<CsvField>& fields, std::uint64_t line) {
    if (fields.size() == 1 && fields.front().text.empty()) {
        return; // a blank line, as spreadsheets leave at the end
    }
    std::optional<ClassReason> problem = rowProblem(fields, width);
    if (!problem) {
        Answer& answer = answers.emplace_back(answerOf(fields, width, pupil));
        if (width > kSealedSeed && answer.seedState == SeedState::Sealed) {
            std::string scratch;
            const std::string_view sealed = csvFieldText(fields[kSealedSeed], scratch);
            auto kept = sealedSeeds_.find(sealed);
            if (kept == sealedSeeds_.end()) {
                kept = sealedSeeds_.emplace(sealed).first;
            }
            answer.sealedSeed = *kept;
        }
        answer.file = &name;
        answer.line = line;
        checkFileShape(answer);
    } else {
        skip(line, std::move(*problem));
    }
}

} // namespace quiz
