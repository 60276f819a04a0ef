#include "core/network_lesson/lesson_restore.h"

#include "core/class/answer_row.h"
#include "core/network_lesson/pupil_name.h"
#include "core/results/pupil_key.h"
#include "core/results/result_columns.h"
#include "core/text/csv_scanner.h"
#include "core/text/utf8_text.h"

#include <algorithm>
#include <utility>

namespace quiz {

LessonRestore::LessonRestore(std::string host) : host_(std::move(host)) {}

std::size_t LessonRestore::readFile(std::string_view bytes) {
    CsvScanner scanner = CsvScanner::over(withoutByteOrderMark(bytes));
    scanner.finish();
    CsvRecord record;
    if (scanner.next(record) != CsvStatus::Record || record.error != CsvError::None ||
        !isHeader(record.fields, kColumns.size())) {
        return 0;
    }
    std::size_t taken = 0;
    while (scanner.next(record) == CsvStatus::Record) {
        if (record.error != CsvError::None || rowProblem(record.fields, kColumns.size())) {
            continue;
        }
        const Answer answer = answerOf(record.fields, kColumns.size(), {});
        const auto name = pupilName(answer.pupil);
        const auto* kept = std::get_if<std::string>(&name);
        if (answer.host != host_ || !answer.timeRead || !kept || *kept != answer.pupil) {
            continue;
        }
        std::string key = pupilKey(answer.pupil);
        if (!seen_.emplace(key, answer.run, answer.turn).second) {
            continue;
        }
        rows_[std::move(key)].push_back({.pupil = answer.pupil,
                                         .utcSeconds = answer.utcSeconds,
                                         .run = answer.run,
                                         .staircase = answer.staircase,
                                         .level = answer.level,
                                         .right = answer.right});
        ++taken;
    }
    return taken;
}

std::vector<RestoredPupil> LessonRestore::pupils() const {
    std::vector<RestoredPupil> pupils;
    for (const auto& [key, rows] : rows_) {
        // Under the spelling of their first answer, should an older host have kept two.
        const Row& first = *std::min_element(rows.begin(), rows.end(), earlier);
        pupils.push_back({.name = first.pupil, .standing = standingOf(rows)});
    }
    return pupils;
}

bool LessonRestore::earlier(const Row& a, const Row& b) {
    return a.utcSeconds < b.utcSeconds;
}

// The staircase that dealt the last turn goes on from its last answers: back from the last
// row while a staircase dealt them and, within a run, the same one. A staircase carried over
// a new stream (a restart, a class seed) is one staircase in rows of two runs.
PupilStanding LessonRestore::standingOf(std::vector<Row> rows) {
    std::stable_sort(rows.begin(), rows.end(), earlier);
    PupilStanding standing{.answered = static_cast<int>(rows.size())};
    for (const Row& row : rows) {
        standing.rightCount += row.right ? 1 : 0;
    }
    auto first = rows.end();
    while (first != rows.begin()) {
        const Row& before = *std::prev(first);
        if (before.staircase == 0 || (first != rows.end() && before.run == first->run &&
                                      before.staircase != first->staircase)) {
            break;
        }
        --first;
    }
    if (first != rows.end()) {
        std::vector<LevelAnswer> answers;
        for (auto row = first; row != rows.end(); ++row) {
            answers.push_back({.level = row->level, .right = row->right, .staircase = 1});
        }
        standing.staircase = Staircase::continuing(answers);
    }
    return standing;
}

} // namespace quiz
