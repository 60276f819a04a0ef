#include "core/results_file.h"

#include <cerrno>
#include <cstring>
#include <utility>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <climits>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quiz {

namespace {

// What the checks need to know of a file, alike on every system.
struct FileStatus {
    bool regular = false;
    const char* kind = ""; // what stands there instead of a regular file
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t links = 0;
    std::int64_t size = 0;
};

#ifdef _WIN32

// Windows takes file names in UTF-16; a UTF-8 name handed to the narrow calls would be read
// in the ANSI code page and name another file. Empty when `path` is not valid UTF-8.
std::wstring widePath(const std::string& path) {
    const int size = static_cast<int>(path.size());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, wide.data(), length);
    return wide;
}

FileStatus fromStat(const struct _stat64& s) {
    const bool folder = (s.st_mode & _S_IFMT) == _S_IFDIR;
    // No inode and no link count here; an open file cannot be deleted or renamed over anyway.
    return {
        (s.st_mode & _S_IFMT) == _S_IFREG, folder ? "a folder" : "a device", 0, 0, 1, s.st_size};
}

int openDescriptor(const std::string& path, bool exclusive) {
    const std::wstring wide = widePath(path);
    if (wide.empty()) {
        errno = EINVAL;
        return -1;
    }
    const int flags = _O_RDWR | _O_APPEND | _O_CREAT | _O_BINARY | _O_NOINHERIT;
    return _wopen(wide.c_str(), flags | (exclusive ? _O_EXCL : 0), _S_IREAD | _S_IWRITE);
}

bool makeBlocking(int) {
    return true;
}

bool statusOf(int descriptor, FileStatus& status) {
    struct _stat64 s;
    if (_fstat64(descriptor, &s) != 0) {
        return false;
    }
    status = fromStat(s);
    return true;
}

bool statusAt(const std::string& path, FileStatus& status) {
    const std::wstring wide = widePath(path);
    struct _stat64 s;
    if (wide.empty() || _wstat64(wide.c_str(), &s) != 0) {
        return false;
    }
    status = fromStat(s);
    return true;
}

bool sameFile(const FileStatus&, const FileStatus&) {
    return true;
}

std::int64_t readAt(int descriptor, char* data, std::size_t size, std::int64_t offset) {
    if (_lseeki64(descriptor, offset, SEEK_SET) < 0) {
        return -1;
    }
    return _read(descriptor, data, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}

std::int64_t writeSome(int descriptor, const char* data, std::size_t size) {
    return _write(descriptor, data, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}

bool cutTo(int descriptor, std::int64_t size) {
    const errno_t failure = _chsize_s(descriptor, size);
    errno = failure;
    return failure == 0;
}

void closeDescriptor(int descriptor) {
    _close(descriptor);
}

#else

const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISFIFO(mode)) {
        return "a pipe";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return S_ISCHR(mode) || S_ISBLK(mode) ? "a device" : "another kind of file";
}

FileStatus fromStat(const struct stat& s) {
    return {S_ISREG(s.st_mode),
            kindOf(s.st_mode),
            static_cast<std::uint64_t>(s.st_dev),
            static_cast<std::uint64_t>(s.st_ino),
            static_cast<std::uint64_t>(s.st_nlink),
            static_cast<std::int64_t>(s.st_size)};
}

// O_NONBLOCK so that a FIFO without a reader cannot hang the start; it is refused right after.
int openDescriptor(const std::string& path, bool exclusive) {
    const int flags = O_RDWR | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int descriptor = -1;
    do {
        descriptor = ::open(path.c_str(), flags | (exclusive ? O_EXCL : 0), 0666);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

// Once the file is known to be regular, O_NONBLOCK has done its work.
bool makeBlocking(int descriptor) {
    const int flags = ::fcntl(descriptor, F_GETFL);
    return flags >= 0 && ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

bool statusOf(int descriptor, FileStatus& status) {
    struct stat s;
    if (::fstat(descriptor, &s) != 0) {
        return false;
    }
    status = fromStat(s);
    return true;
}

bool statusAt(const std::string& path, FileStatus& status) {
    struct stat s;
    if (::stat(path.c_str(), &s) != 0) {
        return false;
    }
    status = fromStat(s);
    return true;
}

bool sameFile(const FileStatus& a, const FileStatus& b) {
    return a.device == b.device && a.inode == b.inode;
}

std::int64_t readAt(int descriptor, char* data, std::size_t size, std::int64_t offset) {
    return ::pread(descriptor, data, size, static_cast<off_t>(offset));
}

std::int64_t writeSome(int descriptor, const char* data, std::size_t size) {
    return ::write(descriptor, data, size);
}

bool cutTo(int descriptor, std::int64_t size) {
    return ::ftruncate(descriptor, static_cast<off_t>(size)) == 0;
}

void closeDescriptor(int descriptor) {
    ::close(descriptor);
}

#endif

constexpr std::string_view kLineEnd = "\r\n";

class SystemWriter final : public DescriptorWriter {
public:
    std::int64_t write(int descriptor, const char* data, std::size_t size) override {
        return writeSome(descriptor, data, size);
    }
};

using OpenError = ResultsFile::OpenError;

OpenError systemError(int errorNumber) {
    return {OpenError::Kind::System, errorNumber, std::strerror(errorNumber), {}};
}

OpenError notRegular(const FileStatus& status) {
    return {
        OpenError::Kind::NotRegular, 0, std::string("not a regular file but ") + status.kind, {}};
}

// results.csv -> results-2.csv, results-3.csv, ...: the first name beside `path` not taken.
std::string freeNameBeside(const std::string& path) {
    // Far more than a class makes, and still a search that ends.
    constexpr int kLastNumber = 9999;
#ifdef _WIN32
    const std::size_t slash = path.find_last_of("/\\");
#else
    const std::size_t slash = path.rfind('/');
#endif
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) {
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
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (start.starts_with(kByteOrderMark)) {
        start.remove_prefix(kByteOrderMark.size());
    }
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

std::unique_ptr<ResultsFile> ResultsFile::open(const std::string& path, std::string_view header,
                                               Mode mode, OpenError& error,
                                               DescriptorWriter& writer) {
    error = {};
    if (path.find('\0') != std::string::npos) {
        error = systemError(EINVAL); // the system would read a shorter, other name
        return nullptr;
    }
    const int descriptor = openDescriptor(path, mode == Mode::CreateNew);
    if (descriptor < 0) {
        error = refusal(path, errno);
        return nullptr;
    }
    std::unique_ptr<ResultsFile> file(new ResultsFile(descriptor, path, header, writer));
    if (!file->prepare(error)) {
        return nullptr;
    }
    return file;
}

ResultsFile::ResultsFile(int descriptor, std::string path, std::string_view header,
                         DescriptorWriter& writer)
    : descriptor_(descriptor), path_(std::move(path)), header_(withoutLineEnd(header)),
      writer_(&writer) {}

ResultsFile::~ResultsFile() {
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
    // Writing nothing to a file that has rows still ends its last row.
    const int failure = writeWhole(status.size == 0 ? header_ + std::string(kLineEnd) : "");
    if (failure != 0) {
        error = systemError(failure);
        return false;
    }
    return true;
}

WriteOutcome ResultsFile::append(std::string_view row) {
    WriteOutcome outcome;
    int failure = followPath(outcome.replacedBy);
    if (failure == 0) {
        failure = writeWhole(row);
    }
    outcome.written = failure == 0;
    outcome.errorNumber = failure;
    outcome.error = failure != 0 ? std::strerror(failure) : "";
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

// Moves to the file now at the path, or beside it when that one is not a results file of this
// header; returns 0 or the errno of a failed move, which the next row tries again.
int ResultsFile::followPath(std::string& movedTo) {
    if (stillAtPath()) {
        return 0;
    }
    OpenError error;
    std::unique_ptr<ResultsFile> next = open(path_, header_, Mode::Append, error, *writer_);
    if (!next && error.kind != OpenError::Kind::System) {
        next = open(freeNameBeside(path_), header_, Mode::CreateNew, error, *writer_);
    }
    if (!next) {
        return error.errorNumber != 0 ? error.errorNumber : EIO;
    }
    std::swap(descriptor_, next->descriptor_);
    std::swap(path_, next->path_);
    movedTo = path_;
    return 0;
}

// Writes `text` after a line end when the last row lacks one. On any failure the file is cut
// back to its size before, so it never ends in a fragment. Returns 0 or the errno.
int ResultsFile::writeWhole(std::string_view text) {
    FileStatus status;
    std::string last;
    if (!statusOf(descriptor_, status) ||
        (status.size > 0 && !readFrom(descriptor_, status.size - 1, 1, last))) {
        return errno;
    }
    std::string bytes = status.size > 0 && last != "\n" ? std::string(kLineEnd) : "";
    bytes += text;
    const int failure = writeAll(*writer_, descriptor_, bytes);
    if (failure != 0) {
        cutTo(descriptor_, status.size);
    }
    return failure;
}

} // namespace quiz
