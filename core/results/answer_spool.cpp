#include "core/results/answer_spool.h"

#include "core/data/content_id.h"
#include "core/platform/file_ops.h"
#include "core/platform/regular_file.h"
#include "core/results/results_file.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <set>
#include <system_error>

namespace quiz {

using namespace platform;

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSpoolEnding = ".spool";
// Far more than any lesson writes; a larger file is not read whole into memory.
constexpr std::size_t kLargestFile = 64 * 1024 * 1024;
constexpr int kLastNumber = 9999;

std::filesystem::path fsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

bool writeAll(int descriptor, std::string_view text) {
    while (!text.empty()) {
        const std::int64_t written = writeSome(descriptor, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The whole file; false when it cannot be read or is larger than any lesson writes.
bool readWhole(int descriptor, std::string& text) {
    FileStatus status;
    if (!statusOf(descriptor, status) || !status.regular ||
        status.size > static_cast<std::int64_t>(kLargestFile)) {
        return false;
    }
    text.assign(static_cast<std::size_t>(status.size), '\0');
    std::size_t done = 0;
    while (done < text.size()) {
        const std::int64_t got = readAt(descriptor, text.data() + done, text.size() - done,
                                        static_cast<std::int64_t>(done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    text.resize(done);
    return true;
}

// The records of a results text, each with its CR LF; a line end inside quotes is a field's
// own, and a last record cut short (a power cut mid-write) is left out.
std::vector<std::string> records(std::string_view text) {
    std::vector<std::string> found;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') {
            quoted = !quoted;
        } else if (!quoted && text.substr(i, kLineEnd.size()) == kLineEnd) {
            found.emplace_back(text.substr(start, i + kLineEnd.size() - start));
            start = i + kLineEnd.size();
            ++i;
        }
    }
    return found;
}

// An empty folder may be a share's mount point with the share away: nothing is made in it.
bool holdsAnything(const std::string& folder) {
    std::error_code error;
    return std::filesystem::directory_iterator(fsPath(folder), error) !=
           std::filesystem::directory_iterator();
}

struct OneDelivery {
    bool done = false; // every row is in the results file now: the spool can go
    std::size_t delivered = 0;
    std::size_t present = 0;
};

// The rows the results file lacks, appended to it with its own header. A missing file is made
// with `newHeader` where one is given (in a folder that is there); else never made anew.
OneDelivery deliverRows(const std::string& target, const std::vector<std::string>& rows,
                        std::string_view newHeader) {
    OneDelivery result;
    const RegularFile file = readRegularFile(target, kLargestFile + 1);
    const bool make = file.outcome == RegularFile::Outcome::Missing && !newHeader.empty() &&
                      holdsAnything(folderOf(target));
    if (!make && (file.outcome != RegularFile::Outcome::Read || file.bytes.size() > kLargestFile)) {
        return result;
    }
    const std::vector<std::string> held = make ? std::vector<std::string>{} : records(file.bytes);
    if (!make && held.empty()) {
        return result;
    }
    std::set<std::string> lines(held.begin(), held.end());
    const std::string header = make ? std::string(newHeader)
                                    : held.front().substr(0, held.front().size() - kLineEnd.size());
    ResultsFile::OpenError error;
    const auto results = ResultsFile::open(target, header, ResultsFile::Mode::Append, error);
    if (!results) {
        return result;
    }
    for (const std::string& row : rows) {
        if (lines.contains(row)) {
            ++result.present;
            continue;
        }
        if (!results->append(row).written) {
            return result;
        }
        lines.insert(row);
        ++result.delivered;
    }
    result.done = true;
    return result;
}

// One spool no running quiz holds: its rows delivered, and the spool removed once they all are.
void deliverSpool(const std::string& path, std::string_view newHeader, SpoolDelivery& delivery) {
    const int descriptor = openDescriptor(path, Creation::Existing, kNoFolder);
    if (descriptor < 0) {
        return;
    }
    std::string text;
    if (tryLock(descriptor) == Lock::Busy || !readWhole(descriptor, text)) {
        closeDescriptor(descriptor);
        return;
    }
    std::vector<std::string> rows = records(text);
    OneDelivery one{.done = rows.empty()};
    if (!rows.empty()) {
        const std::string target = rows.front().substr(0, rows.front().size() - kLineEnd.size());
        rows.erase(rows.begin());
        one = deliverRows(target, rows, newHeader);
        delivery.delivered += one.delivered;
        delivery.present += one.present;
        if (one.delivered > 0) {
            delivery.targets.push_back(target);
        }
        if (!one.done) {
            delivery.waiting += rows.size() - one.delivered - one.present;
        }
    }
    if (one.done) {
        std::error_code ignored;
        std::filesystem::remove(fsPath(path), ignored);
    }
    unlock(descriptor);
    closeDescriptor(descriptor);
}

} // namespace

std::unique_ptr<AnswerSpool> AnswerSpool::open(const std::string& folder,
                                               const std::string& target) {
    // The target's path is the spool's first line: one with a line end in it cannot be kept.
    if (target.find_first_of("\r\n") != std::string::npos) {
        return nullptr;
    }
    const std::string base = utf8Of(fsPath(folder) / fsPath(contentId(target)));
    for (int number = 1; number <= kLastNumber; ++number) {
        const std::string path =
            base + "-" + std::to_string(number) + std::string(kSpoolEnding);
        const int descriptor = openDescriptor(path, Creation::CreateNew, kNoFolder);
        if (descriptor < 0 && errno == EEXIST) {
            continue;
        }
        if (descriptor < 0) {
            return nullptr;
        }
        const std::string header = target + std::string(kLineEnd);
        if (!makeBlocking(descriptor) || tryLock(descriptor) == Lock::Busy ||
            !writeAll(descriptor, header)) {
            closeDescriptor(descriptor);
            std::error_code ignored;
            std::filesystem::remove(fsPath(path), ignored);
            return nullptr;
        }
        return std::unique_ptr<AnswerSpool>(new AnswerSpool(descriptor, path, target));
    }
    return nullptr;
}

AnswerSpool::AnswerSpool(int descriptor, std::string path, std::string target)
    : descriptor_(descriptor), path_(std::move(path)), target_(std::move(target)) {}

AnswerSpool::~AnswerSpool() {
    if (rows_ == 0 && !failed_) {
        std::error_code ignored;
        std::filesystem::remove(fsPath(path_), ignored);
    }
    unlock(descriptor_);
    closeDescriptor(descriptor_);
}

bool AnswerSpool::add(std::string_view row) {
    // One write, so the spool ends in a whole row or in one the reader leaves out.
    if (writeSome(descriptor_, row.data(), row.size()) == static_cast<std::int64_t>(row.size())) {
        ++rows_;
        return true;
    }
    failed_ = true;
    return false;
}

void AnswerSpool::clear() {
    if (cutTo(descriptor_, static_cast<std::int64_t>(target_.size() + kLineEnd.size()))) {
        rows_ = 0;
        failed_ = false;
    }
}

SpoolDelivery deliverLeftSpools(const std::string& folder, const std::string& ownSpool,
                                std::string_view newHeader) {
    SpoolDelivery delivery;
    std::error_code error;
    std::vector<std::string> spools;
    for (const auto& entry : std::filesystem::directory_iterator(fsPath(folder), error)) {
        const std::string path = utf8Of(entry.path());
        if (path.ends_with(kSpoolEnding) && path != ownSpool) {
            spools.push_back(path);
        }
    }
    for (const std::string& path : spools) {
        deliverSpool(path, newHeader, delivery);
    }
    return delivery;
}

} // namespace quiz
