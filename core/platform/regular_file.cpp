#include "core/platform/regular_file.h"

#include "core/platform/file_ops.h"

#include <algorithm>
#include <cerrno>

namespace quiz::platform {

RegularFile readRegularFile(const std::string& path, std::size_t most) {
    RegularFile file;
    const int descriptor = openForReading(path);
    if (descriptor < 0) {
        file.errorNumber = errno;
        file.outcome = errno == ENOENT ? RegularFile::Outcome::Missing : RegularFile::Outcome::Failed;
        // Windows opens no folder as a file: it is said as what it is, not as a denied read.
        if (FileStatus status; file.errorNumber != ENOENT && statusAt(statusPath(path), status) &&
                               status.folder) {
            file.outcome = RegularFile::Outcome::NotRegular;
            file.kind = FileKind::Folder;
        }
        return file;
    }
    FileStatus status;
    if (!statusOf(descriptor, status) || (status.regular && !makeBlocking(descriptor))) {
        file.errorNumber = errno;
    } else if (!status.regular) {
        file.outcome = RegularFile::Outcome::NotRegular;
        file.kind = status.kind;
    } else {
        constexpr std::size_t kSlice = 64 * 1024;
        file.outcome = RegularFile::Outcome::Read;
        file.owner = ownerOf(descriptor);
        while (file.bytes.size() < most) {
            const std::size_t start = file.bytes.size();
            file.bytes.resize(std::min(most, start + kSlice));
            const std::int64_t got = readAt(descriptor, file.bytes.data() + start,
                                            file.bytes.size() - start,
                                            static_cast<std::int64_t>(start));
            if (got < 0 && errno == EINTR) {
                file.bytes.resize(start);
                continue;
            }
            if (got <= 0) {
                file.bytes.resize(start);
                if (got < 0) {
                    file.outcome = RegularFile::Outcome::Failed;
                    file.errorNumber = errno;
                }
                break;
            }
            file.bytes.resize(start + static_cast<std::size_t>(got));
        }
    }
    closeDescriptor(descriptor);
    return file;
}

} // namespace quiz::platform
