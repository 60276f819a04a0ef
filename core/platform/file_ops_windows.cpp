#include "core/platform/file_ops.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace quiz::platform {

namespace {

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
    const bool regular = (s.st_mode & _S_IFMT) == _S_IFREG;
    const bool folder = (s.st_mode & _S_IFMT) == _S_IFDIR;
    return {regular,
            folder,
            regular ? FileKind::Regular : (folder ? FileKind::Folder : FileKind::Device),
            0,
            0,
            1,
            s.st_size};
}

// The volume and file index are Windows' device and inode: they tell whether the name still
// leads to the file held open. A file deleted while open has no links left.
void addIdentity(HANDLE handle, FileStatus& status) {
    BY_HANDLE_FILE_INFORMATION information;
    if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &information)) {
        return;
    }
    status.device = information.dwVolumeSerialNumber;
    status.inode = (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
    status.links = information.nNumberOfLinks;
    FILE_STANDARD_INFO standard;
    if (GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard) &&
        standard.DeletePending) {
        status.links = 0;
    }
}

DWORD dispositionOf(Creation creation) {
    switch (creation) {
    case Creation::Existing:
        return OPEN_EXISTING;
    case Creation::Create:
        return OPEN_ALWAYS;
    case Creation::CreateNew:
        return CREATE_NEW;
    }
    return OPEN_EXISTING;
}

// The errno the rest of the writer reasons in, for what CreateFileW said.
int errnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    case ERROR_INVALID_NAME:
        return EINVAL;
    default:
        return EIO;
    }
}

// UTF-16 from the system as UTF-8.
std::string narrow(const wchar_t* text, DWORD length) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), bytes.data(), size, nullptr,
                        nullptr);
    return bytes;
}

// DOMAIN\name of an account, or its SID as text where it has no name here.
std::string accountName(PSID sid) {
    wchar_t name[256];
    wchar_t domain[256];
    DWORD nameLength = 256;
    DWORD domainLength = 256;
    SID_NAME_USE use;
    if (LookupAccountSidW(nullptr, sid, name, &nameLength, domain, &domainLength, &use)) {
        const std::string account = narrow(name, nameLength);
        return domainLength > 0 ? narrow(domain, domainLength) + "\\" + account : account;
    }
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text)) {
        return {};
    }
    const std::string sidText = narrow(text, static_cast<DWORD>(wcslen(text)));
    LocalFree(text);
    return sidText;
}

} // namespace

// Where the file's name starts in `path`.
std::size_t nameStart(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

// The folder holding `path`, in a form _wstat64 takes: no trailing separator but on a root.
std::string folderOf(const std::string& path) {
    const std::size_t start = nameStart(path);
    if (start == 0) {
        return ".";
    }
    const bool root = start == 1 || path[start - 2] == ':';
    return path.substr(0, root ? start : start - 1);
}

// Shared for reading, writing and deleting, so that a teacher's reader or a virus scanner
// holding the file never makes a pupil's write fail, and the writer never blocks them. No
// openat here: the name is opened by its path, and the folder checked just before is the best
// there is.
int openDescriptor(const std::string& path, Creation creation, int) {
    const std::wstring wide = widePath(path);
    if (wide.empty()) {
        errno = EINVAL;
        return -1;
    }
    constexpr DWORD kSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, kSharing, nullptr,
                                dispositionOf(creation), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = errnoOf(GetLastError());
        return -1;
    }
    // Binary, not inherited, and each write at the end, as _wopen's flags had it.
    const int descriptor =
        _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_APPEND | _O_NOINHERIT);
    if (descriptor < 0) {
        CloseHandle(handle);
        errno = EMFILE;
    }
    return descriptor;
}

int openForReading(const std::string& path) {
    const std::wstring wide = widePath(path);
    if (wide.empty()) {
        errno = EINVAL;
        return -1;
    }
    constexpr DWORD kSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ, kSharing, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = errnoOf(GetLastError());
        return -1;
    }
    const int descriptor =
        _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_NOINHERIT);
    if (descriptor < 0) {
        CloseHandle(handle);
        errno = EMFILE;
    }
    return descriptor;
}

bool removeFile(const std::string& path, int) {
    const std::wstring wide = widePath(path);
    if (wide.empty()) {
        errno = EINVAL;
        return false;
    }
    if (!DeleteFileW(wide.c_str())) {
        errno = errnoOf(GetLastError());
        return false;
    }
    return true;
}

bool replaceWith(const std::string& from, const std::string& to) {
    const std::wstring source = widePath(from);
    const std::wstring target = widePath(to);
    if (source.empty() || target.empty()) {
        errno = EINVAL;
        return false;
    }
    if (!MoveFileExW(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        errno = errnoOf(GetLastError());
        return false;
    }
    return true;
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
    addIdentity(reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)), status);
    return true;
}

std::string statusPath(const std::string& path) {
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (path.size() < 5 || !separator(path[0]) || !separator(path[1]) || separator(path[2])) {
        return path;
    }
    // \\server\share: exactly one separator after the server's name, none at the end.
    const std::size_t between = path.find_first_of("\\/", 2);
    if (between == std::string::npos || between + 1 >= path.size() ||
        path.find_first_of("\\/", between + 1) != std::string::npos) {
        return path;
    }
    return path + '\\';
}

bool statusAt(const std::string& path, FileStatus& status) {
    const std::wstring wide = widePath(statusPath(path));
    struct _stat64 s;
    if (wide.empty() || _wstat64(wide.c_str(), &s) != 0) {
        return false;
    }
    status = fromStat(s);
    // Opened for no access and shared every way, so it disturbs no one; folders need the flag.
    const HANDLE handle =
        CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    addIdentity(handle, status);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
    }
    return true;
}

// Where a file system gives no file index (some network shares give 0), it cannot tell.
bool sameFile(const FileStatus& a, const FileStatus& b) {
    if (a.inode == 0 || b.inode == 0) {
        return true;
    }
    return a.device == b.device && a.inode == b.inode;
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

std::int64_t currentOffset(int descriptor) {
    return _lseeki64(descriptor, 0, SEEK_CUR);
}

// Only looked at here: Windows has no descriptor of a folder to open a file in.
bool openFolder(const std::string& folder, int& descriptor, FileStatus& status) {
    descriptor = kNoFolder;
    if (!statusAt(folder, status)) {
        return false;
    }
    errno = status.folder ? 0 : ENOTDIR;
    return status.folder;
}

void closeFolder(int) {}

// Windows' locks are mandatory: a lock on the file's bytes would stop the teacher's reader. So
// the writers lock one byte far beyond any results file's end, which no reader ever reads.
constexpr DWORD kLockOffsetHigh = 0x7fffffff;

Lock tryLock(int descriptor) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    OVERLAPPED where{};
    where.OffsetHigh = kLockOffsetHigh;
    if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &where)) {
        return Lock::Taken;
    }
    // A file system without locks (some shares) says so otherwise: then there is none to take.
    return GetLastError() == ERROR_LOCK_VIOLATION ? Lock::Busy : Lock::None;
}

void unlock(int descriptor) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    OVERLAPPED where{};
    where.OffsetHigh = kLockOffsetHigh;
    UnlockFileEx(handle, 0, 1, 0, &where);
}

std::string ownerOf(int descriptor) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR security = nullptr;
    if (handle == INVALID_HANDLE_VALUE ||
        GetSecurityInfo(handle, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &security) != ERROR_SUCCESS) {
        return {};
    }
    const std::string name = owner ? accountName(owner) : std::string();
    LocalFree(security);
    return name;
}

std::string currentAccount() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return {};
    }
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::string buffer(size, '\0');
    std::string name;
    if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        name = accountName(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid);
    }
    CloseHandle(token);
    return name;
}

} // namespace quiz::platform
