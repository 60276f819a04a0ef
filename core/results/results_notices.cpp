#include "core/results/results_notices.h"

#include "core/results/results_file.h"

namespace quiz {

bool ResultsNotices::record(const WriteOutcome& outcome) {
    bool news = false;
    if (!outcome.replacedBy.empty()) {
        news = news || movedTo.empty();
        movedTo = outcome.replacedBy;
    }
    if (outcome.restarted) {
        news = news || !restarted;
        restarted = true;
    }
    if (outcome.lost > 0) {
        news = news || unwritten == 0;
        unwritten += static_cast<int>(outcome.lost);
        unwrittenReason = {outcome.errorNumber, outcome.error};
    }
    caughtUp += outcome.caughtUp;
    if (outcome.status == WriteStatus::Kept) {
        if (waiting == 0) {
            news = true; // lost, or lost again: what was caught up before is old news
            caughtUp = 0;
        }
        waitingReason = {outcome.errorNumber, outcome.error};
    }
    waiting = outcome.waiting;
    return news;
}

} // namespace quiz
