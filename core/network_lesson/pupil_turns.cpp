#include "core/network_lesson/pupil_turns.h"

#include "core/quiz/turn_report.h"
#include "core/turns/level.h"

#include <utility>

namespace quiz {

PupilTurns::PupilTurns(std::string name, SecretSource& secrets, PupilStanding standing,
                       TurnMemo* memo)
    : name_(std::move(name)), secrets_(&secrets), memo_(memo), staircase_(std::move(standing.staircase)),
      staircasesStarted_(staircase_ ? 1 : 0), number_(standing.answered),
      standingTurns_(standing.answered), answered_(standing.answered),
      rightCount_(standing.rightCount), stamp_([source = &secrets] { return source->next64(); }) {}

std::optional<RefusalId> PupilTurns::deal(const LessonSetup& setup) {
    if (hasTurn() && !judged_) {
        return RefusalId::NotAnswered;
    }
    followStream(setup);
    followLevel(setup.level);
    turnStaircase_ = staircase_ ? staircasesStarted_ : 0;
    const TurnPlace place{.seed = random_->seed(),
                          .taken = random_->taken(),
                          .level = staircase_ ? staircase_->level() : setup.level,
                          .data = setup.data->id()};
    turn_ = NewTurn(*random_, style_, *setup.data, place.level);
    // The class view replays this row soon after; it finds the turn instead of dealing it.
    memo_->keep(place, {.realSide = turn_.RealSide,
                        .currency = turn_.code,
                        .takenAfter = random_->taken()});
    ++streamTurn_;
    ++number_;
    judged_.reset();
    return std::nullopt;
}

// A class seed deals every pupil its turns from their start; without one, each pupil has a
// stream of their own, which nobody else can know.
void PupilTurns::followStream(const LessonSetup& setup) {
    if (random_ && streamClassSeed_ == setup.classSeed) {
        return;
    }
    const std::uint32_t seed =
        setup.classSeed ? *setup.classSeed : static_cast<std::uint32_t>(secrets_->next64());
    random_ = std::make_unique<SeededRandomSource>(seed);
    streamClassSeed_ = setup.classSeed;
    streamTurn_ = 0;
}

// As the quiz window's model does: choosing adaptive starts a staircase unless one runs, and a
// fixed level ends it.
void PupilTurns::followLevel(int level) {
    if (level != kAdaptiveLevel) {
        staircase_.reset();
    } else if (!staircase_) {
        staircase_.emplace();
        ++staircasesStarted_;
    }
}

PupilView PupilTurns::view() const {
    return {
        .turn = dealtTurn(), .judged = judged_, .answered = answered_, .rightCount = rightCount_};
}

DealtTurn PupilTurns::dealtTurn() const {
    if (!hasTurn()) {
        return {};
    }
    return {.number = number_, .lists = turn_.lists, .currency = turn_.name, .level = turn_.level};
}

std::variant<Judgement, RefusalId> PupilTurns::pick(int number, int side, const LessonSetup& setup,
                                                    std::string_view time) {
    if (!hasTurn() || number != number_) {
        return RefusalId::NotOnScreen;
    }
    if (judged_) {
        return RefusalId::AlreadyAnswered;
    }
    if (side != 0 && side != 1) {
        return RefusalId::OutOfRange;
    }
    const bool right = side == turn_.RealSide;
    ++answered_;
    rightCount_ += right ? 1 : 0;
    if (turnStaircase_ != 0) {
        staircase_->record(right);
    }
    judged_ = JudgedTurn{.number = number_,
                         .side = side,
                         .right = right,
                         .realSide = turn_.RealSide,
                         .spread = spreadText(turn_, style_),
                         .report = reportAfterPick(turn_, right, style_),
                         .answered = answered_,
                         .rightCount = rightCount_};
    return Judgement{.shown = *judged_, .row = rowFor(side, setup, time)};
}

// In a class folder's way: the pupil's file never tells the seed, which only the teacher's
// key opens from the sealed text.
ResultRow PupilTurns::rowFor(int side, const LessonSetup& setup, std::string_view time) {
    const SeedOrigin origin = streamClassSeed_ ? SeedOrigin::Lesson : SeedOrigin::Own;
    const RunStamp::Stamp& stamp =
        stamp_.forTurn(random_->seed(), origin, streamTurn_, setup.seedKey);
    return {.time = std::string(time),
            .seed = std::nullopt,
            .turn = streamTurn_,
            .currency = turn_.code,
            .currencyName = turn_.name,
            .realSide = turn_.RealSide,
            .chosenSide = side,
            .spread = turn_.Spread,
            .decimals = turn_.decimals,
            .level = turn_.level,
            .data = turn_.data,
            .pupil = name_,
            .host = setup.host,
            .staircase = turnStaircase_,
            .run = stamp.run,
            .sealedSeed = stamp.sealedSeed};
}

} // namespace quiz
