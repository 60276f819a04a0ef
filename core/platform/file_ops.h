#pragma once
// The file operations the results writer needs, one implementation per system (chosen by CMake).

#include "core/platform/file_kind.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace quiz::platform {

// What the checks need to know of a file, alike on every system.
struct FileStatus {
    bool regular = false;
    bool folder = false;
    FileKind kind = FileKind::Other;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t links = 0;
    std::int64_t size = 0;
};

enum class Creation { Existing, Create, CreateNew };

enum class Lock { Taken, Busy, None };

// No folder held open: a name is looked up from the working folder, as usual.
constexpr int kNoFolder = -1;

// Where the file's name starts in `path`.
std::size_t nameStart(const std::string& path);
// The folder holding `path`, in the form statusAt and openFolder take.
std::string folderOf(const std::string& path);
// `path` as the system's status call takes it: on Windows a share's root needs its closing
// separator (\\server\share\, as a class folder shared whole is); elsewhere it is unchanged.
std::string statusPath(const std::string& path);

// Opens `path` for reading and appending; -1 with errno set. Given a `folder` held open, the
// file is made in that very folder where the system can.
int openDescriptor(const std::string& path, Creation creation, int folder);
// Opens `path` for reading only, without waiting for a writer when it is a pipe; -1 with errno.
int openForReading(const std::string& path);
// Removes the file `path`, in `folder` when one is held open (as openDescriptor); false with errno.
bool removeFile(const std::string& path, int folder);
// Puts the file `from` in the place of `to` in one step, replacing what was there; false with
// errno. Both in one folder.
bool replaceWith(const std::string& from, const std::string& to);
// Undoes what openDescriptor did to keep a pipe from hanging, once the file is known regular.
bool makeBlocking(int descriptor);
bool statusOf(int descriptor, FileStatus& status);
bool statusAt(const std::string& path, FileStatus& status);
// Whether two statuses are of one file, where the system can tell.
bool sameFile(const FileStatus& a, const FileStatus& b);
std::int64_t readAt(int descriptor, char* data, std::size_t size, std::int64_t offset);
std::int64_t writeSome(int descriptor, const char* data, std::size_t size);
bool cutTo(int descriptor, std::int64_t size);
void closeDescriptor(int descriptor);
std::int64_t currentOffset(int descriptor);

// Holds `folder` open for openDescriptor (kNoFolder where the system cannot); false with errno.
bool openFolder(const std::string& folder, int& descriptor, FileStatus& status);
void closeFolder(int descriptor);

// The account that owns the open file, as the system names it ("teacher", "SCHOOL\\teacher");
// empty where the system cannot tell (a share that keeps no owners).
std::string ownerOf(int descriptor);
// The account this program runs as, named as ownerOf names it.
std::string currentAccount();

// An exclusive lock between writers of one file, where the system and file system have one.
Lock tryLock(int descriptor);
void unlock(int descriptor);

} // namespace quiz::platform
