#pragma once

// A lesson's pupils read back from the rows written for them, for a host started again.

#include "core/network_lesson/pupil_turns.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace quiz {

class LessonRestore {
public:
    // Takes the rows `host` wrote: a lesson's rows name the host in every one.
    explicit LessonRestore(std::string host);

    // One results file's bytes, whole. Only today's files count, and of them the rows that
    // read as the class view reads them, with a time and a pupil's name as a join keeps it; a
    // row found before (a copied file) counts once. Returns the rows taken.
    std::size_t readFile(std::string_view bytes);
    // Every pupil found, names differing only in case as one (pupilKey), their answers in the
    // order of the rows' times.
    std::vector<RestoredPupil> pupils() const;

private:
    struct Row {
        std::string pupil; // as the row spells it
        std::int64_t utcSeconds = 0;
        std::uint64_t run = 0;
        int staircase = 0;
        int level = 0;
        bool right = false;
    };
    static bool earlier(const Row& a, const Row& b);
    static PupilStanding standingOf(std::vector<Row> rows);

    std::string host_;
    std::map<std::string, std::vector<Row>, std::less<>> rows_;  // by pupilKey, as read
    std::set<std::tuple<std::string, std::uint64_t, int>> seen_; // pupil's key, run, turn
};

} // namespace quiz
