#include "core/class/class_totals.h"

#include "core/class/class_file.h"
#include "core/class/run_check.h"
#include "core/results/pupil_key.h"
#include "core/scoring/guessing_chance.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace quiz {

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

// Which turn an answer is to: of its seed where the seed can be read, else of its run.
auto turnOf(const Answer& answer) {
    return std::make_tuple(!answer.seedKnown(),
                           answer.seedKnown() ? std::uint64_t{answer.seed} : answer.run,
                           answer.turn);
}

// What makes an answer to one turn, then the one first given: by its time, then the files'
// names and their lines. Two copies of the quiz can answer one turn within the second the
// rows tell; a wrong answer is then taken as the first, so that a pupil who tries a turn in
// one copy and answers it in the other after the verdict gains nothing.
bool identityOrder(const Keyed& a, const Keyed& b) {
    const Answer& x = *a.answer;
    const Answer& y = *b.answer;
    if (*a.pupil != *b.pupil || turnOf(x) != turnOf(y)) {
        return std::tuple_cat(std::make_tuple(*a.pupil), turnOf(x)) <
               std::tuple_cat(std::make_tuple(*b.pupil), turnOf(y));
    }
    return std::tuple_cat(timeKey(x), std::make_tuple(x.right, std::string_view(*x.file), x.line)) <
           std::tuple_cat(timeKey(y), std::make_tuple(y.right, std::string_view(*y.file), y.line));
}

bool timeOrder(const Answer* a, const Answer* b) {
    return timeKey(*a) < timeKey(*b);
}

bool sameAnswer(const Keyed& a, const Keyed& b) {
    return *a.pupil == *b.pupil && turnOf(*a.answer) == turnOf(*b.answer);
}

// The same row of the same run: a copied file, which counts once.
bool sameContent(const Answer& a, const Answer& b) {
    return std::tie(a.run, a.currency, a.realSide, a.chosenSide, a.right, a.level, a.data,
                    a.staircase) == std::tie(b.run, b.currency, b.realSide, b.chosenSide, b.right,
                                             b.level, b.data, b.staircase);
}

// A row's turn and seed, as the reasons name it.
std::vector<std::string> runPlace(const Answer& answer) {
    return {std::to_string(answer.turn), std::to_string(answer.seed)};
}

// Where a run answers turns already answered: the file and run, its first such line, how many.
struct Repeat {
    std::uint64_t line = 0;
    int turns = 0;
    const std::string* first = nullptr; // the file that has the first of them
};

// Each turn as first answered. A later answer to it, were it the same pick, is not counted
// again: a run started anew on a known seed, or a second copy of the quiz, would otherwise let
// a pupil answer a turn until it is right, or leave out the wrong answers.
std::vector<Keyed> firstAnswers(const std::vector<Keyed>& answers,
                                std::vector<Skipped>& notCounted) {
    std::vector<Keyed> kept;
    std::map<std::pair<std::string_view, std::uint64_t>, Repeat> repeats;
    for (auto from = answers.begin(); from != answers.end();) {
        const auto to = std::find_if(from, answers.end(),
                                     [&](const Keyed& keyed) { return !sameAnswer(*from, keyed); });
        kept.push_back(*from);
        for (auto later = from + 1; later != to; ++later) {
            const Answer& answer = *later->answer;
            if (sameContent(*from->answer, answer)) {
                continue;
            }
            Repeat& repeat = repeats[{*answer.file, answer.run}];
            repeat.line = repeat.turns == 0 ? answer.line : std::min(repeat.line, answer.line);
            repeat.first = repeat.turns == 0 ? from->answer->file : repeat.first;
            ++repeat.turns;
        }
        from = to;
    }
    for (const auto& [where, repeat] : repeats) {
        notCounted.push_back(
            {std::string(where.first),
             repeat.line,
             {ClassReasonId::RepeatedTurns, {std::to_string(repeat.turns), *repeat.first}}});
    }
    return kept;
}

// One seed's answers, or one run's where the seed cannot be read.
bool sameRun(const Keyed& a, const Keyed& b) {
    const auto [unknownA, runA, turnA] = turnOf(*a.answer);
    const auto [unknownB, runB, turnB] = turnOf(*b.answer);
    return *a.pupil == *b.pupil && unknownA == unknownB && runA == runB;
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
    summary.reached = lessonReached(answers);
    return summary;
}

void add(Tally& tally, bool right) {
    ++tally.answered;
    tally.correct += right ? 1 : 0;
}

void addToClass(const std::vector<const Answer*>& answers, ClassSummary& summary,
                std::map<std::string_view, Tally>& currencies) {
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const Answer* answer = answers[i];
        add(summary.total, answer->right);
        add(summary.levels[static_cast<std::size_t>(answer->level)], answer->right);
        add(currencies[answer->currency], answer->right);
        const std::size_t block = i / kAnswersPerBlock;
        if (summary.blocks.size() <= block) {
            summary.blocks.resize(block + 1);
        }
        add(summary.blocks[block], answer->right);
    }
}

std::string runKey(const Answer& answer) {
    return answer.pupil + '\n' + answer.host + '\n' + std::to_string(answer.seed);
}

} // namespace

namespace {

RunCheck::Row replayed(const Answer& answer) {
    return {answer.turn, answer.level, answer.data, answer.currency, answer.realSide};
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

// Says of a run what the replay cannot vouch for: no seed to replay it from, or one the pupil
// gave. Returns whether it can be replayed at all.
bool replayable(const std::vector<const Answer*>& run, std::vector<Skipped>& notCounted) {
    const Answer& first = *run.front();
    if (!first.seedKnown()) {
        const ClassReasonId why = first.seedState == SeedState::Sealed
                                      ? ClassReasonId::SealedElsewhere
                                      : ClassReasonId::Unsealed;
        notCounted.push_back({*first.file, first.line, {why}});
        return false;
    }
    const auto chosen = std::find_if(run.begin(), run.end(), [](const Answer* answer) {
        return answer->seedState == SeedState::Chosen;
    });
    if (chosen != run.end()) {
        notCounted.push_back({*(*chosen)->file,
                              (*chosen)->line,
                              {ClassReasonId::SeedChosen, {std::to_string((*chosen)->seed)}}});
    }
    return true;
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
        if (!replayable(run, notCounted)) {
            kept.insert(kept.end(), from, to);
            from = to;
            continue;
        }
        const auto& verdicts = verdictsOf(run, runs[runKey(*run.front())], finder);
        bool unchecked = false;
        for (std::size_t i = 0; i < run.size(); ++i) {
            const Answer& answer = *run[i];
            if (verdicts[i] == ReplayVerdict::Impossible) {
                // A few with their place, as for lines skipped; the rest counted by file.
                if (++impossible[answer.file] <= kImpossibleShown) {
                    notCounted.push_back(
                        {*answer.file, answer.line, {ClassReasonId::NotDealt, runPlace(answer)}});
                }
                continue;
            }
            if (verdicts[i] == ReplayVerdict::Unchecked && !unchecked) {
                unchecked = true;
                notCounted.push_back(
                    {*answer.file, answer.line, {ClassReasonId::Unchecked, runPlace(answer)}});
            }
            kept.push_back(from[static_cast<std::ptrdiff_t>(i)]);
        }
        from = to;
    }
    for (const auto& [file, count] : impossible) {
        if (count > kImpossibleShown) {
            notCounted.push_back(
                {*file,
                 0,
                 {ClassReasonId::MoreNotDealt, {std::to_string(count - kImpossibleShown)}}});
        }
    }
    return kept;
}

} // namespace

ClassResults::Totals ClassResults::computeTotals() const {
    Totals totals;
    std::vector<Keyed> answers;
    // Names in another case are one pupil, under the spelling of their first answer.
    std::map<std::pair<std::string, std::string_view>, int> pupils;
    for (const auto& [name, file] : files_) {
        if (file->mark) {
            totals.notCounted.push_back({name, 0, *file->mark});
            continue;
        }
        const Answer* previous = nullptr;
        const int* pupil = nullptr;
        for (const Answer& answer : file->answers) {
            if (!previous || previous->pupil != answer.pupil || previous->host != answer.host) {
                pupil = &pupils.try_emplace({pupilKey(answer.pupil), answer.host}, 0).first->second;
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
    answers = firstAnswers(answers, totals.notCounted);
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
        from = to;
    }
    judgeTogether(totals.pupils, totals.summary);
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

std::optional<ReachedLevel> lessonReached(const std::vector<const Answer*>& answers) {
    std::vector<LevelAnswer> levels;
    levels.reserve(answers.size());
    for (const Answer* answer : answers) {
        levels.push_back({.level = answer->level,
                          .right = answer->right,
                          .staircase = staircaseId(answer->run, answer->staircase)});
    }
    return reachedLevel(levels);
}

void judgeTogether(std::vector<PupilSummary>& pupils, ClassSummary& summary) {
    std::vector<PupilSummary*> judged;
    std::vector<double> chances;
    for (PupilSummary& pupil : pupils) {
        if (pupil.judgedAnswered > 0) {
            judged.push_back(&pupil);
            chances.push_back(pupil.guessingChance);
        }
    }
    const std::vector<bool> beaten = beatGuessingTogether(chances);
    for (std::size_t i = 0; i < judged.size(); ++i) {
        judged[i]->beatsGuessing = beaten[i];
    }
    summary.pupilsJudged = static_cast<int>(judged.size());
    summary.pupilsBeatingGuessing =
        static_cast<int>(std::count(beaten.begin(), beaten.end(), true));
}

} // namespace quiz
