#pragma once

// What the pupil's window tells about the results file, gathered from every write's outcome.

#include <cstddef>
#include <string>

namespace quiz {

struct WriteOutcome;

struct ResultsNotices {
    // errno and the system's text, for the window's own wording.
    struct Reason {
        int errorNumber = 0;
        std::string text;
    };

    // Takes in the outcome of one append or retry. True when it brings news the window comes
    // forward for: the first answer given up, the folder lost (again), the file moved or begun
    // anew; the rest only changes the text.
    bool record(const WriteOutcome& outcome);

    int unwritten = 0; // answers given up for good
    Reason unwrittenReason;
    std::size_t waiting = 0; // answers kept in memory until the class folder is back
    Reason waitingReason;
    std::size_t caughtUp = 0; // answers that waited and reached the file since the folder was lost
    std::string movedTo;      // where the rows go since the file was deleted or replaced
    bool restarted = false;   // the file was emptied under the quiz and begun again with the header
};

} // namespace quiz
