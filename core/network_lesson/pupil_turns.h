#pragma once

// One pupil's turns in a lesson on the network: their stream, staircase, counts and rows.

#include "core/network_lesson/host_messages.h"
#include "core/network_lesson/lesson_setup.h"
#include "core/network_lesson/refusal.h"
#include "core/network_lesson/session_token.h"
#include "core/random/random_source.h"
#include "core/results/result_row.h"
#include "core/results/run_stamp.h"
#include "core/scoring/staircase.h"
#include "core/text/number_style.h"
#include "core/turns/turn.h"
#include "core/turns/turn_memo.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quiz {

// A pick judged: what the pupil is shown, and the row for their results file.
struct Judgement {
    JudgedTurn shown;
    ResultRow row;
};

// Where a pupil stood when the host last stopped, read back from their rows.
struct PupilStanding {
    int answered = 0;
    int rightCount = 0;
    std::optional<Staircase> staircase{}; // the one that dealt their last turn, if one did
};

// A pupil read back, by the name they joined with.
struct RestoredPupil {
    std::string name;
    PupilStanding standing;
};

class PupilTurns {
public:
    // `secrets` draws the pupil's own seeds and runs' identities; it must outlive them, as
    // `memo` must, which keeps every turn dealt for the class view's replay.
    PupilTurns(std::string name, SecretSource& secrets, PupilStanding standing = {},
               TurnMemo* memo = &TurnMemo::shared());

    const std::string& name() const { return name_; }
    // How their lists and report write numbers, from their next turn on.
    void setStyle(NumberStyle style) { style_ = std::move(style); }

    // Deals the next turn with the lesson's setup as it is now: refused while the turn on
    // screen is not answered.
    std::optional<RefusalId> deal(const LessonSetup& setup);
    bool hasTurn() const { return number_ > standingTurns_; }
    PupilView view() const;
    // Judges a pick of turn `number`, side 0 or 1, answered at local time `time` (ISO 8601,
    // with its offset). Only the first pick of the turn on screen counts: any other is refused
    // and changes nothing.
    std::variant<Judgement, RefusalId> pick(int number, int side, const LessonSetup& setup,
                                            std::string_view time);

    int answered() const { return answered_; }
    int rightCount() const { return rightCount_; }
    // While the lesson is adaptive: the staircase the next turn comes from.
    const std::optional<Staircase>& staircase() const { return staircase_; }

private:
    void followStream(const LessonSetup& setup);
    void followLevel(int level);
    DealtTurn dealtTurn() const;
    ResultRow rowFor(int side, const LessonSetup& setup, std::string_view time);

    std::string name_;
    SecretSource* secrets_;
    TurnMemo* memo_;
    NumberStyle style_{.decimalSeparator = ",", .groupSeparator = " ", .groupSize = 0};
    // The stream the turns come from: the class's seed, or one of the pupil's own.
    std::unique_ptr<SeededRandomSource> random_;
    std::optional<std::uint32_t> streamClassSeed_;
    int streamTurn_ = 0; // turns the stream has dealt: the rows' turn
    std::optional<Staircase> staircase_;
    int staircasesStarted_ = 0;
    int turnStaircase_ = 0; // the staircase that dealt the turn on screen; 0 for none
    Turn turn_;
    int number_ = 0;        // the pupil's own turn count: the messages' turn
    int standingTurns_ = 0; // answered before the host restarted
    std::optional<JudgedTurn> judged_;
    int answered_ = 0;
    int rightCount_ = 0;
    RunStamp stamp_;
};

} // namespace quiz
