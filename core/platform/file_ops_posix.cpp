#include "core/platform/file_ops.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace quiz::platform {

namespace {

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) {
        return FileKind::Regular;
    }
    if (S_ISDIR(mode)) {
        return FileKind::Folder;
    }
    if (S_ISFIFO(mode)) {
        return FileKind::Pipe;
    }
    if (S_ISSOCK(mode)) {
        return FileKind::Socket;
    }
    return S_ISCHR(mode) || S_ISBLK(mode) ? FileKind::Device : FileKind::Other;
}

FileStatus fromStat(const struct stat& s) {
    return {S_ISREG(s.st_mode),
            S_ISDIR(s.st_mode),
            kindOf(s.st_mode),
            static_cast<std::uint64_t>(s.st_dev),
            static_cast<std::uint64_t>(s.st_ino),
            static_cast<std::uint64_t>(s.st_nlink),
            static_cast<std::int64_t>(s.st_size)};
}

// An account's login name, or its number where no name is known for it.
std::string accountName(uid_t uid) {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_name && *found->pw_name) {
        return found->pw_name;
    }
    return "uid " + std::to_string(uid);
}

} // namespace

// Where the file's name starts in `path`.
std::size_t nameStart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// The folder holding `path`; its trailing slash kept, so that "/" stays a name.
std::string folderOf(const std::string& path) {
    const std::size_t start = nameStart(path);
    return start == 0 ? std::string(".") : path.substr(0, start);
}

// O_NONBLOCK so that a FIFO without a reader cannot hang the start; it is refused right after.
// Given a `folder` held open, the file is made in that very folder, whatever its path names now.
int openDescriptor(const std::string& path, Creation creation, int folder) {
    int flags = O_RDWR | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    flags |= creation == Creation::Existing ? 0 : O_CREAT;
    flags |= creation == Creation::CreateNew ? O_EXCL : 0;
    const std::string name = folder == kNoFolder ? path : path.substr(nameStart(path));
    int descriptor = -1;
    do {
        descriptor = ::openat(folder == kNoFolder ? AT_FDCWD : folder, name.c_str(), flags, 0666);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

int openForReading(const std::string& path) {
    int descriptor = -1;
    do {
        descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

bool removeFile(const std::string& path, int folder) {
    const std::string name = folder == kNoFolder ? path : path.substr(nameStart(path));
    return ::unlinkat(folder == kNoFolder ? AT_FDCWD : folder, name.c_str(), 0) == 0;
}

bool replaceWith(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
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

std::string statusPath(const std::string& path) {
    return path;
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

// O_PATH needs no right to list the folder: a class folder may let pupils only create files.
bool openFolder(const std::string& folder, int& descriptor, FileStatus& status) {
#ifdef O_PATH
    constexpr int kFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
    constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif
    do {
        descriptor = ::open(folder.c_str(), kFlags);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        return false;
    }
    if (statusOf(descriptor, status)) {
        return true;
    }
    const int failure = errno;
    ::close(descriptor);
    descriptor = kNoFolder;
    errno = failure;
    return false;
}

void closeFolder(int descriptor) {
    if (descriptor != kNoFolder) {
        ::close(descriptor);
    }
}

std::int64_t currentOffset(int descriptor) {
    return ::lseek(descriptor, 0, SEEK_CUR);
}

// A file system without locks (some network shares) has None.
Lock tryLock(int descriptor) {
    int result = -1;
    do {
        result = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        return Lock::Taken;
    }
    return errno == EWOULDBLOCK ? Lock::Busy : Lock::None;
}

void unlock(int descriptor) {
    ::flock(descriptor, LOCK_UN);
}

std::string ownerOf(int descriptor) {
    struct stat s;
    if (::fstat(descriptor, &s) != 0) {
        return {};
    }
    return accountName(s.st_uid);
}

std::string currentAccount() {
    return accountName(::geteuid());
}

} // namespace quiz::platform
