#include "core/network_lesson/network_lesson.h"

#include "core/network_lesson/pupil_name.h"
#include "core/results/pupil_key.h"

#include <stdexcept>
#include <utility>

namespace quiz {

NetworkLesson::NetworkLesson(LessonSetup setup, RandomSource& codeRandom,
                             std::unique_ptr<SecretSource> secrets, LessonLimits limits)
    : setup_(std::move(setup)), secrets_(std::move(secrets)), limits_(limits),
      code_(drawJoinCode(codeRandom, limits.codeDigits)), wrongCodes_(limits.wrongCodes) {
    checkSetup(setup_);
    if (!secrets_) {
        throw std::invalid_argument("a lesson needs a source of secrets");
    }
}

void NetworkLesson::changeSetup(LessonSetup setup) {
    checkSetup(setup);
    setup_ = std::move(setup);
}

void NetworkLesson::restore(std::vector<RestoredPupil> pupils) {
    for (RestoredPupil& pupil : pupils) {
        std::string key = pupilKey(pupil.name);
        if (seats_.contains(key)) {
            continue;
        }
        auto seat = std::make_unique<Seat>(
            Seat{PupilTurns(pupil.name, *secrets_, std::move(pupil.standing)), {}, {}});
        seats_.emplace(std::move(key), std::move(seat));
    }
}

std::variant<Joined, RefusalId> NetworkLesson::join(const JoinRequest& request,
                                                    std::string_view address, LessonTime now) {
    // The code first, so that which names are taken cannot be learnt without it.
    if (wrongCodes_.blocked(address, now)) {
        return RefusalId::TooManyWrongCodes;
    }
    if (!codeMatches(request.code, code_)) {
        wrongCodes_.recordWrong(address, now);
        return RefusalId::WrongCode;
    }
    auto name = pupilName(request.name);
    if (const auto* problem = std::get_if<RefusalId>(&name)) {
        return *problem;
    }
    const auto seat = seatFor(std::get<std::string>(name), request.device);
    if (const auto* problem = std::get_if<RefusalId>(&seat)) {
        return *problem;
    }
    return enter(*std::get<Seat*>(seat), request);
}

// The pupil of that name, if the device may be them; a new one while there is room. A device
// back with the name in another case is the same pupil, under the spelling they first joined
// with, so that their rows keep one name.
std::variant<NetworkLesson::Seat*, RefusalId> NetworkLesson::seatFor(const std::string& name,
                                                                     const std::string& device) {
    std::string key = pupilKey(name);
    const auto found = seats_.find(key);
    if (found != seats_.end()) {
        Seat& seat = *found->second;
        if (!seat.device.empty() && seat.device != device) {
            return RefusalId::NameTaken;
        }
        return &seat;
    }
    if (seats_.size() >= limits_.mostPupils) {
        return RefusalId::LessonFull;
    }
    auto seat = std::make_unique<Seat>(Seat{PupilTurns(name, *secrets_), {}, {}});
    return seats_.emplace(std::move(key), std::move(seat)).first->second.get();
}

Joined NetworkLesson::enter(Seat& seat, const JoinRequest& request) {
    seat.device = request.device;
    byToken_.erase(seat.token);
    // 128 bits never meet twice, unless the source of secrets is broken.
    std::string token = newSessionToken(*secrets_);
    if (byToken_.contains(token)) {
        throw std::logic_error("a session token came twice");
    }
    seat.token = token;
    byToken_.emplace(std::move(token), &seat);
    seat.turns.setStyle(request.style);
    if (!seat.turns.hasTurn()) {
        seat.turns.deal(setup_);
    }
    return {.token = seat.token, .pupil = seat.turns.name(), .view = seat.turns.view()};
}

NetworkLesson::Seat* NetworkLesson::seatOf(std::string_view token) const {
    const auto seat = byToken_.find(token);
    return seat == byToken_.end() ? nullptr : seat->second;
}

std::variant<PupilView, RefusalId> NetworkLesson::resume(std::string_view token) const {
    const Seat* seat = seatOf(token);
    if (!seat) {
        return RefusalId::UnknownToken;
    }
    return seat->turns.view();
}

std::variant<Judgement, RefusalId> NetworkLesson::pick(const PickRequest& request,
                                                       std::string_view time) {
    Seat* seat = seatOf(request.token);
    if (!seat) {
        return RefusalId::UnknownToken;
    }
    return seat->turns.pick(request.turn, request.side, setup_, time);
}

std::variant<PupilView, RefusalId> NetworkLesson::next(std::string_view token) {
    Seat* seat = seatOf(token);
    if (!seat) {
        return RefusalId::UnknownToken;
    }
    if (const auto refused = seat->turns.deal(setup_)) {
        return *refused;
    }
    return seat->turns.view();
}

const PupilTurns* NetworkLesson::pupil(std::string_view name) const {
    const auto seat = seats_.find(pupilKey(name));
    return seat == seats_.end() ? nullptr : &seat->second->turns;
}

} // namespace quiz
