#pragma once

// Everything the quiz window shows, changed only by the program's three events.

#include "core/random/random_source.h"
#include "core/scoring/staircase.h"
#include "core/text/number_style.h"
#include "core/turns/turn.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quiz {

class QuizModel {
public:
    struct Option {
        bool enabled = false;
        bool checked = false;
    };

    // Nothing is drawn until Form_Load: until then both options are disabled and lists empty.
    // Turns come from `data` at `level`: by default the stored series at level 0, the quiz as
    // it was designed.
    QuizModel(std::unique_ptr<RandomSource> random, NumberStyle style,
              std::shared_ptr<const DataSet> data = DataSet::catalogue(), int level = 0);

    // The three events and the Transcript keep the names the quiz was designed with.

    // The window has opened: a first turn, and the introduction as the transcript.
    void Form_Load(std::string_view introduction);

    // The user checked option Index: judges the pick, appends the verdict and locks both
    // options. Returns false, changing nothing, when the options are locked or Index is
    // neither 0 nor 1. Above level 0 the spread follows the verdict.
    bool Option1_Click(int Index);

    // The user asked for a new turn: draws it and replaces the transcript with its report,
    // the currency and, at level 0 only, the spread of its real values.
    void Command1_Click();

    // The level and the data of the turns drawn from now on; the current turn keeps its own, so
    // no pick is judged at a level it was not dealt at. Throws std::out_of_range for a level
    // that does not exist, std::invalid_argument for no data. kAdaptiveLevel starts a staircase
    // at its first level, unless one is already running; a fixed level ends it.
    void chooseLevel(int level);
    void chooseData(std::shared_ptr<const DataSet> data);
    // Turns from the next one on come from `random`, the stream of `seed`, numbered from 1
    // again, as in a run started with that seed; the turn on screen keeps its own.
    void chooseStream(std::unique_ptr<RandomSource> random, std::uint32_t seed);
    // The seed chooseStream gave for the stream that dealt the turn on screen; none while the
    // turns still come from the stream the model was made with.
    std::optional<std::uint32_t> turnSeed() const { return turnSeed_; }
    // A level, or kAdaptiveLevel.
    int chosenLevel() const { return level_; }
    // The pupil's staircase while kAdaptiveLevel is chosen: it hears the answers to the turns
    // it dealt, and only those.
    const std::optional<Staircase>& staircase() const { return staircase_; }
    // The staircase that dealt the turn on screen and hears its answer, numbered from 1 in the
    // order this run started them (choosing kAdaptiveLevel again after a fixed level starts
    // another); 0 when none does: a fixed level, or a turn dealt before the staircase started.
    int turnStaircase() const { return turnStaircase_; }
    const DataSet& chosenData() const { return *data_; }

    const Turn& turn() const { return turn_; }
    // Turns drawn so far: 1 for the turn the window opens with.
    int turnNumber() const { return turnNumber_; }
    // The current turn has been answered: one option checked, both locked.
    bool answered() const;
    const Option& option(int index) const;
    // How the lists and the report write numbers.
    const NumberStyle& numberStyle() const { return style_; }
    // UTF-8, every line ended by CR LF.
    const std::string& Transcript() const { return transcript_; }

private:
    void startTurn();
    void appendSpread();

    std::unique_ptr<RandomSource> random_;
    std::unique_ptr<RandomSource> nextRandom_; // from the next turn on
    std::uint32_t nextSeed_ = 0;
    std::optional<std::uint32_t> turnSeed_;
    NumberStyle style_;
    std::shared_ptr<const DataSet> data_;
    int level_;
    std::optional<Staircase> staircase_;
    int staircasesStarted_ = 0;
    int turnStaircase_ = 0;
    Turn turn_;
    std::array<Option, 2> options_;
    std::string transcript_;
    int turnNumber_ = 0;
};

} // namespace quiz
