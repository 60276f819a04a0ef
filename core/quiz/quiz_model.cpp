#include "core/quiz/quiz_model.h"

#include "core/quiz/turn_report.h"
#include "core/turns/level.h"

#include <stdexcept>

namespace quiz {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool isOptionIndex(int index) {
    return index == 0 || index == 1;
}

} // namespace

QuizModel::QuizModel(std::unique_ptr<RandomSource> random, NumberStyle style,
                     std::shared_ptr<const DataSet> data, int level)
    : random_(std::move(random)), style_(std::move(style)), level_(0) {
    if (!random_) {
        throw std::invalid_argument("QuizModel needs a random source");
    }
    chooseData(std::move(data));
    chooseLevel(level);
}

void QuizModel::chooseLevel(int level) {
    if (!isLevelChoice(level)) {
        throw std::out_of_range("no difficulty level " + std::to_string(level));
    }
    level_ = level;
    if (level != kAdaptiveLevel) {
        staircase_.reset();
        turnStaircase_ = 0;
    } else if (!staircase_) {
        staircase_.emplace();
        ++staircasesStarted_;
        turnStaircase_ = 0; // the turn on screen keeps its own level
    }
}

void QuizModel::chooseData(std::shared_ptr<const DataSet> data) {
    if (!data) {
        throw std::invalid_argument("QuizModel needs data to draw from");
    }
    data_ = std::move(data);
}

void QuizModel::chooseStream(std::unique_ptr<RandomSource> random, std::uint32_t seed) {
    if (!random) {
        throw std::invalid_argument("QuizModel needs a random source");
    }
    nextRandom_ = std::move(random);
    nextSeed_ = seed;
}

void QuizModel::Form_Load(std::string_view introduction) {
    startTurn();
    transcript_ = introduction;
}

bool QuizModel::Option1_Click(int Index) {
    if (!isOptionIndex(Index) || !options_[static_cast<std::size_t>(Index)].enabled) {
        return false;
    }
    const bool right = Index == turn_.RealSide;
    transcript_.append(verdictLine(right)).append(kLineEnd);
    // A turn dealt before the staircase started was not at its level, and tells it nothing.
    if (turnStaircase_ != 0) {
        staircase_->record(right);
    }
    if (!spreadBeforePick(turn_)) {
        appendSpread();
    }
    for (int i = 0; i < 2; ++i) {
        options_[static_cast<std::size_t>(i)] = Option{.enabled = false, .checked = i == Index};
    }
    return true;
}

void QuizModel::Command1_Click() {
    startTurn();
    transcript_.assign(turnHeading(turn_)).append(kLineEnd);
    if (spreadBeforePick(turn_)) {
        appendSpread();
    }
}

void QuizModel::appendSpread() {
    transcript_.append(spreadLine(turn_, style_)).append(kLineEnd);
}

const QuizModel::Option& QuizModel::option(int index) const {
    if (!isOptionIndex(index)) {
        throw std::out_of_range("no option " + std::to_string(index));
    }
    return options_[static_cast<std::size_t>(index)];
}

bool QuizModel::answered() const {
    return options_[0].checked || options_[1].checked;
}

void QuizModel::startTurn() {
    options_.fill(Option{.enabled = true, .checked = false});
    turnStaircase_ = staircase_ ? staircasesStarted_ : 0;
    if (nextRandom_) {
        random_ = std::move(nextRandom_);
        turnSeed_ = nextSeed_;
        turnNumber_ = 0;
    }
    turn_ = NewTurn(*random_, style_, *data_, staircase_ ? staircase_->level() : level_);
    ++turnNumber_;
}

} // namespace quiz
