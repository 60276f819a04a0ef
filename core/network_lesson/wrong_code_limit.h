#pragma once

// How many wrong join codes one address may try in a minute; time is handed in.
// So that the code cannot be found by trying them all.

#include <chrono>
#include <cstddef>
#include <deque>
#include <map>
#include <string>
#include <string_view>

namespace quiz {

// A moment on the service's steady clock, from any start it likes.
using LessonTime = std::chrono::milliseconds;

class WrongCodeLimit {
public:
    struct Limits {
        int allowed = 10; // wrong codes in one window; the next attempt is refused
        std::chrono::milliseconds window = std::chrono::minutes(1);
        std::size_t addresses = 1024; // kept at most: those with the fewest wrong codes go first
    };

    explicit WrongCodeLimit(Limits limits);

    // Whether `address` has tried `allowed` wrong codes within the window before `now`.
    bool blocked(std::string_view address, LessonTime now);
    void recordWrong(std::string_view address, LessonTime now);

private:
    void forgetBefore(std::deque<LessonTime>& wrong, LessonTime now) const;
    void makeRoom(LessonTime now);

    Limits limits_;
    std::map<std::string, std::deque<LessonTime>, std::less<>> wrong_; // each oldest first
};

} // namespace quiz
