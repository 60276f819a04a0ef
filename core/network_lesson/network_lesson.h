#pragma once

// A lesson hosted on the school network: pupils join, and the host deals and judges turns.
// Nothing a pupil's device holds tells the answer before the pick. No network here: the service
// hands in typed requests.

#include "core/network_lesson/client_request.h"
#include "core/network_lesson/host_messages.h"
#include "core/network_lesson/join_code.h"
#include "core/network_lesson/lesson_setup.h"
#include "core/network_lesson/pupil_turns.h"
#include "core/network_lesson/refusal.h"
#include "core/network_lesson/session_token.h"
#include "core/network_lesson/wrong_code_limit.h"
#include "core/random/random_source.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quiz {

struct LessonLimits {
    int codeDigits = kMostCodeDigits;
    std::size_t mostPupils = 200;
    WrongCodeLimit::Limits wrongCodes{};
};

class NetworkLesson {
public:
    // The join code is drawn from `codeRandom` here, once; `secrets` makes tokens, pupils'
    // seeds and runs' identities. Throws as checkSetup does, and std::out_of_range for a code
    // length there is none of.
    NetworkLesson(LessonSetup setup, RandomSource& codeRandom,
                  std::unique_ptr<SecretSource> secrets, LessonLimits limits = {});

    const std::string& joinCode() const { return code_; }
    const LessonSetup& setup() const { return setup_; }
    // The setup from each pupil's next turn on; the turns on screen keep theirs.
    void changeSetup(LessonSetup setup);
    // Adds the pupils a restarted host read back (see lesson_restore.h), each to be claimed by the
    // first device that joins with their name. A name already here keeps its pupil.
    void restore(std::vector<RestoredPupil> pupils);

    // A pupil joins, or the same name (in any case) from the same device comes back to the same
    // pupil, with a new token (the one before no longer works) and the turn on screen, a first
    // one dealt if they have none. `address` is where the request came from, `now` when.
    std::variant<Joined, RefusalId> join(const JoinRequest& request, std::string_view address,
                                         LessonTime now);
    // The same pupil and turn again, after a connection dropped.
    std::variant<PupilView, RefusalId> resume(std::string_view token) const;
    // `time`: the local time of the answer for its row (ISO 8601, with its offset).
    std::variant<Judgement, RefusalId> pick(const PickRequest& request, std::string_view time);
    std::variant<PupilView, RefusalId> next(std::string_view token);

    std::size_t pupilCount() const { return seats_.size(); }
    // The pupil of that name in any case, as the host keeps it; null for none.
    const PupilTurns* pupil(std::string_view name) const;

private:
    struct Seat {
        PupilTurns turns;
        std::string device; // empty for a pupil read back, until a device claims them
        std::string token;
    };
    std::variant<Seat*, RefusalId> seatFor(const std::string& name, const std::string& device);
    Joined enter(Seat& seat, const JoinRequest& request);
    Seat* seatOf(std::string_view token) const;

    LessonSetup setup_;
    std::unique_ptr<SecretSource> secrets_;
    LessonLimits limits_;
    std::string code_;
    WrongCodeLimit wrongCodes_;
    std::map<std::string, std::unique_ptr<Seat>, std::less<>> seats_; // by pupilKey
    std::map<std::string, Seat*, std::less<>> byToken_;
};

} // namespace quiz
