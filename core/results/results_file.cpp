#include "core/results/results_file.h"

#include "core/platform/file_ops.h"
#include "core/text/utf8_text.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

namespace quiz {

// The file operations of the system built for, chosen by CMake.
using namespace platform;

namespace {

constexpr std::string_view kLineEnd = "\r\n";

class SystemWriter final : public DescriptorWriter {
public:
    std::int64_t write(int descriptor, const char* data, std::size_t size) override {
        return writeSome(descriptor, data, size);
    }
};

class SystemDevices final : public FolderDevices {
public:
    std::uint64_t deviceOf(const std::string&, std::uint64_t systemDevice) override {
        return systemDevice;
    }
};

using OpenError = ResultsFile::OpenError;

OpenError systemError(int errorNumber) {
    return {OpenError::Kind::System, errorNumber, std::strerror(errorNumber), {}};
}

OpenError notRegular(const FileStatus& status) {
    // A diagnostic only: the edge words what stands there from fileKind.
    return {OpenError::Kind::NotRegular, 0, "not a regular file", {}, status.kind};
}

// results.csv -> results-2.csv, results-3.csv, ...: the first name beside `path` not taken.
std::string freeNameBeside(const std::string& path) {
    // Far more than a class makes, and still a search that ends.
    constexpr int kLastNumber = 9999;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart(path)) {
        dot = path.size(); // no extension, or a name such as ".csv" that is all extension
    }
    for (int number = 2; number <= kLastNumber; ++number) {
        std::string candidate =
            path.substr(0, dot) + "-" + std::to_string(number) + path.substr(dot);
        FileStatus status;
        if (!statusAt(candidate, status) && errno == ENOENT) {
            return candidate;
        }
    }
    return {};
}

// Why `path` could not be opened: what stands there when it is no regular file, else errno.
OpenError refusal(const std::string& path, int errorNumber) {
    FileStatus status;
    if (statusAt(path, status) && !status.regular) {
        return notRegular(status);
    }
    OpenError error = systemError(errorNumber);
    if (errorNumber == EEXIST) {
        error.suggestedPath = freeNameBeside(path);
    }
    return error;
}

// Up to `size` bytes from `offset`, fewer at the end of the file; false with errno set.
bool readFrom(int descriptor, std::int64_t offset, std::size_t size, std::string& text) {
    text.assign(size, '\0');
    std::size_t got = 0;
    while (got < size) {
        const std::int64_t count = readAt(descriptor, text.data() + got, size - got,
                                          offset + static_cast<std::int64_t>(got));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return false;
        }
        if (count == 0) {
            break;
        }
        got += static_cast<std::size_t>(count);
    }
    text.resize(got);
    return true;
}

// The file's first bytes hold the header line, ended by CR LF, LF or the end of the file.
bool startsWithHeader(std::string_view start, std::string_view header) {
    // A spreadsheet that saved the file may have put a byte-order mark before it.
    start = withoutByteOrderMark(start);
    if (!start.starts_with(header)) {
        return false;
    }
    const std::string_view rest = start.substr(header.size());
    return rest.empty() || rest.starts_with(kLineEnd) || rest.starts_with('\n');
}

std::string_view withoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    return line;
}

// Quizzes writing one file take turns, so that none sees another's row half written or cuts it
// back with its own failed one. A row takes microseconds; a lock held far longer (a stopped
// program, or a pupil holding it on purpose) is waited for a moment, then done without.
bool lockForWriting(int descriptor) {
    constexpr int kTries = 50;
    constexpr auto kPause = std::chrono::milliseconds(2);
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        const Lock lock = tryLock(descriptor);
        if (lock != Lock::Busy) {
            return lock == Lock::Taken;
        }
        std::this_thread::sleep_for(kPause);
    }
    return false;
}

// Loops over short writes and interruptions; returns 0 or the errno of the failure.
int writeAll(DescriptorWriter& writer, int descriptor, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const std::int64_t count =
            writer.write(descriptor, bytes.data() + done, bytes.size() - done);
        if (count > 0) {
            done += static_cast<std::size_t>(count);
        } else if (count == 0 || errno != EINTR) {
            // A write that makes no progress is a failure too, or the loop would never end.
            return count < 0 && errno != 0 ? errno : EIO;
        }
    }
    return 0;
}

} // namespace

DescriptorWriter& systemWriter() {
    static SystemWriter writer;
    return writer;
}

FolderDevices& systemDevices() {
    static SystemDevices devices;
    return devices;
}

std::unique_ptr<ResultsFile> ResultsFile::open(const std::string& path, std::string_view header,
                                               Mode mode, OpenError& error,
                                               DescriptorWriter& writer, FolderDevices& devices) {
    return openIn(kNoFolder, path, header, mode, error, writer, devices);
}

// As open, with the name looked up in `folder` when one is held open.
std::unique_ptr<ResultsFile> ResultsFile::openIn(int folder, const std::string& path,
                                                 std::string_view header, Mode mode,
                                                 OpenError& error, DescriptorWriter& writer,
                                                 FolderDevices& devices) {
    error = {};
    if (path.find('\0') != std::string::npos) {
        error = systemError(EINVAL); // the system would read a shorter, other name
        return nullptr;
    }
    const Creation creation = mode == Mode::CreateNew ? Creation::CreateNew : Creation::Create;
    const int descriptor = openDescriptor(path, creation, folder);
    if (descriptor < 0) {
        error = refusal(path, errno);
        return nullptr;
    }
    std::unique_ptr<ResultsFile> file(new ResultsFile(descriptor, path, header, writer, devices));
    if (!file->prepare(error)) {
        file.reset();
        if (mode == Mode::CreateNew) {
            // Made just now and left without its header: each later try would leave one more.
            removeFile(path, folder);
        }
        return nullptr;
    }
    return file;
}

ResultsFile::ResultsFile(int descriptor, std::string path, std::string_view header,
                         DescriptorWriter& writer, FolderDevices& devices)
    : descriptor_(descriptor), path_(std::move(path)), header_(withoutLineEnd(header)),
      writer_(&writer), devices_(&devices) {}

// Rows still kept get a last try: the folder may be back without a row since to notice it.
ResultsFile::~ResultsFile() {
    if (!kept_.empty()) {
        writeRows(false);
    }
    closeDescriptor(descriptor_);
}

// A regular file that is empty gets the header; one that is not must start with it.
bool ResultsFile::prepare(OpenError& error) {
    FileStatus status;
    if (!statusOf(descriptor_, status) || (status.regular && !makeBlocking(descriptor_))) {
        error = systemError(errno);
        return false;
    }
    if (!status.regular) {
        error = notRegular(status);
        return false;
    }
    device_ = status.device;
    std::string start;
    if (status.size > 0 && !readFrom(descriptor_, 0, header_.size() + kLineEnd.size() + 3, start)) {
        error = systemError(errno);
        return false;
    }
    if (status.size > 0 && !startsWithHeader(start, header_)) {
        error = {OpenError::Kind::OtherHeader, 0,
                 "its first line is not the header of these results", freeNameBeside(path_)};
        return false;
    }
    // A file that has rows gets no header but still has its last row ended.
    const int failure = writeWhole(header_ + std::string(kLineEnd), Piece::Header);
    if (failure != 0) {
        error = systemError(failure);
        return false;
    }
    return true;
}

WriteOutcome ResultsFile::append(std::string_view row) {
    kept_.emplace_back(row);
    return writeRows(true);
}

WriteOutcome ResultsFile::writeKept() {
    return kept_.empty() ? WriteOutcome{} : writeRows(false);
}

// The kept rows in their order; the last is the new one when `lastIsNew`. Each is written or
// given up on its own, as separate appends would be, unless the folder cannot be reached.
WriteOutcome ResultsFile::writeRows(bool lastIsNew) {
    WriteOutcome outcome;
    bool unreachable = false;
    int failure = followPath(outcome, unreachable);
    if (failure == 0 && !unreachable) {
        failure = restartIfCut(outcome, unreachable);
    }
    if (unreachable) {
        outcome.status = WriteStatus::Kept;
        outcome.waiting = kept_.size();
        outcome.errorNumber = failure;
        outcome.error = std::strerror(failure);
        return outcome;
    }
    while (!kept_.empty()) {
        const bool isNew = lastIsNew && kept_.size() == 1;
        const int rowFailure = failure != 0 ? failure : writeWhole(kept_.front(), Piece::Row);
        kept_.pop_front();
        if (rowFailure == 0) {
            outcome.written = outcome.written || isNew;
            outcome.caughtUp += isNew ? 0 : 1;
            continue;
        }
        ++outcome.lost;
        outcome.status = WriteStatus::NotWritten;
        outcome.errorNumber = rowFailure;
        outcome.error = std::strerror(rowFailure);
    }
    return outcome;
}

// Deleted (no links left) or replaced (another file at the path) both mean the rows written
// here would reach no one.
bool ResultsFile::stillAtPath() const {
    FileStatus open;
    FileStatus atPath;
    return statusOf(descriptor_, open) && open.links > 0 && statusAt(path_, atPath) &&
           sameFile(open, atPath);
}

// This very file at its path again, though under another identity: a share mounted anew, or an
// exact copy put in its place. Known by the last row written, still where it was written.
bool ResultsFile::foundAgain(WriteOutcome& outcome) {
    if (lastRow_.empty()) {
        return false;
    }
    int descriptor = openDescriptor(path_, Creation::Existing, kNoFolder);
    if (descriptor < 0) {
        return false;
    }
    FileStatus status;
    std::string written;
    const std::int64_t start = lastRowEnd_ - static_cast<std::int64_t>(lastRow_.size());
    if (start < 0 || !statusOf(descriptor, status) || !status.regular ||
        !makeBlocking(descriptor) || !readFrom(descriptor, start, lastRow_.size(), written) ||
        written != lastRow_) {
        closeDescriptor(descriptor);
        return false;
    }
    const std::uint64_t device = devices_->deviceOf(folderOf(path_), status.device);
    if (device == device_) {
        outcome.replacedBy = path_; // a copy: said, as any replaced file is
    }
    std::swap(descriptor_, descriptor);
    closeDescriptor(descriptor);
    device_ = device;
    return true;
}

// Where the rows go now that the file at the path is no longer this one; returns 0 or errno,
// with `unreachable` set when they must wait for the folder.
int ResultsFile::followPath(WriteOutcome& outcome, bool& unreachable) {
    if (stillAtPath() || foundAgain(outcome)) {
        return 0;
    }
    return moveInFolder(false, outcome, unreachable);
}

// Opens the file at the path again, or a free name beside it (always when `besideOnly`, else
// when the file there is not a results file of this header), but only in a folder on the device
// the file was on: a share unmounted leaves its mount point on the local disk, out of the
// teacher's sight. The folder is held open meanwhile, so it cannot change in between.
int ResultsFile::moveInFolder(bool besideOnly, WriteOutcome& outcome, bool& unreachable) {
    const std::string folderPath = folderOf(path_);
    int folder = kNoFolder;
    FileStatus status;
    if (!openFolder(folderPath, folder, status)) {
        unreachable = true;
        return errno != 0 ? errno : ENOENT;
    }
    if (devices_->deviceOf(folderPath, status.device) != device_) {
        closeFolder(folder);
        unreachable = true;
        return ENODEV;
    }
    OpenError error;
    std::unique_ptr<ResultsFile> next;
    if (!besideOnly) {
        next = openIn(folder, path_, header_, Mode::Append, error, *writer_, *devices_);
    }
    if (besideOnly || (!next && error.kind != OpenError::Kind::System)) {
        next = openIn(folder, freeNameBeside(path_), header_, Mode::CreateNew, error, *writer_,
                      *devices_);
    }
    closeFolder(folder);
    if (!next) {
        return error.errorNumber != 0 ? error.errorNumber : EIO;
    }
    takeOver(*next);
    outcome.replacedBy = path_;
    return 0;
}

// The file, not another, but cut below what was written to it (emptied in place, say): its
// rows are gone. It starts again with the header; when what is left is not a results file (a
// header cut short too), the rows move beside it as they would from a replaced one.
int ResultsFile::restartIfCut(WriteOutcome& outcome, bool& unreachable) {
    FileStatus status;
    std::string start;
    if (!statusOf(descriptor_, status)) {
        return errno;
    }
    if (status.size >= writtenEnd_) {
        return 0;
    }
    outcome.restarted = true;
    lastRow_.clear();
    if (!readFrom(descriptor_, 0, header_.size() + kLineEnd.size() + 3, start)) {
        return errno;
    }
    if (start.empty()) {
        return writeWhole(header_ + std::string(kLineEnd), Piece::Header);
    }
    if (!startsWithHeader(start, header_)) {
        return moveInFolder(true, outcome, unreachable);
    }
    // Nothing is cut here: another quiz may be writing the same file. A row left cut in two is
    // ended like any unended row, and the teacher's view names it.
    writtenEnd_ = status.size;
    return 0;
}

// Takes the file `next` opened in place of this one.
void ResultsFile::takeOver(ResultsFile& next) {
    std::swap(descriptor_, next.descriptor_);
    std::swap(path_, next.path_);
    writtenEnd_ = next.writtenEnd_;
    lastRow_.clear();
    lastRowEnd_ = 0;
}

// Writes `text` after a line end when the last row lacks one; a header only to a file still
// empty, as another quiz starting on it at the same moment may have given it one. On any
// failure the file is cut back to its size before, so it never ends in a fragment. Returns 0
// or the errno.
int ResultsFile::writeWhole(std::string_view text, Piece piece) {
    const bool locked = lockForWriting(descriptor_);
    const int failure = writeLocked(text, piece);
    if (locked) {
        unlock(descriptor_);
    }
    return failure;
}

int ResultsFile::writeLocked(std::string_view text, Piece piece) {
    FileStatus status;
    std::string last;
    if (!statusOf(descriptor_, status) ||
        (status.size > 0 && !readFrom(descriptor_, status.size - 1, 1, last))) {
        return errno;
    }
    // Another quiz writing the same file may be seen mid-row, as its size grows a page at a
    // time; that row ends itself. Only a last row still unended after a second look gets one.
    FileStatus again;
    const bool unended = status.size > 0 && last != "\n" && statusOf(descriptor_, again) &&
                         again.size == status.size;
    std::string bytes = unended ? std::string(kLineEnd) : "";
    bytes += piece == Piece::Header && status.size > 0 ? std::string_view() : text;
    const int failure = writeAll(*writer_, descriptor_, bytes);
    if (failure != 0) {
        cutTo(descriptor_, status.size);
        return failure;
    }
    writtenEnd_ = status.size + static_cast<std::int64_t>(bytes.size());
    if (piece == Piece::Row) {
        lastRow_ = text;
        lastRowEnd_ = currentOffset(descriptor_);
    }
    return 0;
}

} // namespace quiz
