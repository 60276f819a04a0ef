#pragma once

// Answers that wait for an unreachable results file, kept on this computer as well, so that a
// crash or a power cut loses none of them; and their delivery once the file is back.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// One run's spool: a file in the user's own data folder naming the results file, then the rows
// that waited for it, in order. The run holds it locked, so no other run delivers it meanwhile.
class AnswerSpool {
public:
    // A new spool for `target` (a results file's UTF-8 path) in `folder`, which must exist;
    // null when it cannot be made there.
    static std::unique_ptr<AnswerSpool> open(const std::string& folder, const std::string& target);

    // An empty spool is removed; one that still holds rows stays for the next run to deliver.
    ~AnswerSpool();
    AnswerSpool(const AnswerSpool&) = delete;
    AnswerSpool& operator=(const AnswerSpool&) = delete;

    // Adds one row (ending in CR LF) as it starts to wait, with one write; false when it could
    // not be kept here.
    bool add(std::string_view row);
    // Every waiting row reached the results file: the spool holds none any more.
    void clear();
    // Rows added since the last clear.
    std::size_t rows() const { return rows_; }
    const std::string& path() const { return path_; }
    const std::string& target() const { return target_; }

private:
    AnswerSpool(int descriptor, std::string path, std::string target);

    int descriptor_;
    std::string path_;
    std::string target_; // named on the spool's first line, which clearing keeps
    std::size_t rows_ = 0;
    bool failed_ = false; // a row could not be added: the spool is not whole, so never cleared
                          // on the word of the rows it holds
};

// What delivering the spools left by earlier runs did.
struct SpoolDelivery {
    std::size_t delivered = 0; // rows appended to their results file now
    std::size_t present = 0;   // rows the results file already held (delivered before a crash)
    std::size_t waiting = 0;   // rows whose results file cannot be reached yet
    std::vector<std::string> targets; // the results files rows were delivered to
};

// Delivers every spool in `folder` that no running quiz holds, except the one at `ownSpool`:
// each row the results file does not hold yet is appended to it, then the spool is removed. A
// results file that is missing (its share unmounted) or refuses a row keeps its spool for later;
// a file is never made anew for it, so nothing reaches the disk beneath an unmounted share. A
// lesson host, which makes its pupils' files itself, gives `newHeader`: a missing results file
// is then made with it in a folder that holds other files (an empty one may be a mount point).
SpoolDelivery deliverLeftSpools(const std::string& folder, const std::string& ownSpool = {},
                                std::string_view newHeader = {});

} // namespace quiz
