#include "core/results/results_notices.h"

#include "core/results/results_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstddef>
#include <string>
#include <vector>

using namespace quiz;

namespace {

WriteOutcome kept(std::size_t waiting, int errorNumber) {
    WriteOutcome outcome;
    outcome.errorNumber = errorNumber;
    outcome.status = WriteStatus::Kept;
    outcome.waiting = waiting;
    return outcome;
}

WriteOutcome caughtUp(std::size_t rows) {
    WriteOutcome outcome;
    outcome.written = true;
    outcome.caughtUp = rows;
    return outcome;
}

WriteOutcome lost(std::size_t rows, std::size_t caught = 0) {
    WriteOutcome outcome;
    outcome.errorNumber = ENOSPC;
    outcome.status = WriteStatus::NotWritten;
    outcome.caughtUp = caught;
    outcome.lost = rows;
    return outcome;
}

WriteOutcome moved(const std::string& path) {
    WriteOutcome outcome;
    outcome.written = true;
    outcome.replacedBy = path;
    return outcome;
}

WriteOutcome restarted() {
    WriteOutcome outcome;
    outcome.written = true;
    outcome.restarted = true;
    return outcome;
}

// One outcome taken in, and what the window then knows.
struct Step {
    WriteOutcome outcome;
    bool news;
    int unwritten;
    std::size_t waiting;
    std::size_t caughtUp;
};

struct Lesson {
    const char* name;
    std::vector<Step> steps;
};

} // namespace

TEST(ResultsNotices, EachOutcomeChangesWhatTheWindowSaysAndComesForwardOnlyForNews) {
    const Lesson lessons[] = {
        {"the share away twice",
         {{caughtUp(0), false, 0, 0, 0},
          {kept(1, ENODEV), true, 0, 1, 0},
          {kept(2, ENODEV), false, 0, 2, 0},
          {caughtUp(2), false, 0, 0, 2},
          {caughtUp(0), false, 0, 0, 2},
          {kept(1, ENOENT), true, 0, 1, 0},
          {caughtUp(1), false, 0, 0, 1}}},
        {"a full disk, before and after the folder is back",
         {{lost(1), true, 1, 0, 0},
          {lost(1), false, 2, 0, 0},
          {kept(1, ENODEV), true, 2, 1, 0},
          {lost(2, 1), false, 4, 0, 1}}},
        {"moved twice and begun anew twice",
         {{moved("a.csv"), true, 0, 0, 0},
          {moved("b.csv"), false, 0, 0, 0},
          {restarted(), true, 0, 0, 0},
          {restarted(), false, 0, 0, 0}}},
    };
    for (const Lesson& lesson : lessons) {
        SCOPED_TRACE(lesson.name);
        ResultsNotices notices;
        for (std::size_t i = 0; i < lesson.steps.size(); ++i) {
            const Step& step = lesson.steps[i];
            SCOPED_TRACE("step " + std::to_string(i + 1));
            EXPECT_EQ(notices.record(step.outcome), step.news);
            EXPECT_EQ(notices.unwritten, step.unwritten);
            EXPECT_EQ(notices.waiting, step.waiting);
            EXPECT_EQ(notices.caughtUp, step.caughtUp);
        }
    }
}

TEST(ResultsNotices, TheLatestReasonAndPlaceAreKept) {
    ResultsNotices notices;
    notices.record(kept(1, ENODEV));
    notices.record(kept(2, ENOENT));
    notices.record(lost(1));
    notices.record(moved("a.csv"));
    notices.record(moved("b.csv"));
    notices.record(restarted());
    EXPECT_EQ(notices.waitingReason.errorNumber, ENOENT);
    EXPECT_EQ(notices.unwrittenReason.errorNumber, ENOSPC);
    EXPECT_EQ(notices.movedTo, "b.csv");
    EXPECT_TRUE(notices.restarted);
}
