// A pupil's class folder on a share that is unmounted while the quiz writes (umount -l), then
// mounted again; another file system mounted in its place meanwhile; and the file emptied in
// place. Real mounts, in a mount namespace of the test's own, so nothing outside sees them.
// Every answer must reach the share, none the disk beneath it.
//   class_folder_unmounted   (exits 77, "skipped", where mounting is not allowed)

#include "core/results/result_row.h"
#include "core/results/results_file.h"

#include "tests/support/mount_namespace.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;
using namespace quiz;

using quiz::testing::ownMountNamespace;

namespace {

constexpr int kSkipped = 77;
constexpr int kAnswers = 8; // half before the share goes, half while it is away

int failures = 0;

void check(bool holds, const std::string& what) {
    if (!holds) {
        std::fprintf(stderr, "FAILED: %s\n", what.c_str());
        ++failures;
    }
}

bool mountShare(const fs::path& share, const fs::path& classFolder) {
    return ::mount(share.c_str(), classFolder.c_str(), nullptr, MS_BIND, nullptr) == 0;
}

std::string contents(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

std::string row(int turn) {
    return csvLine({.time = "2026-12-09T09:00:00+02:00",
                    .seed = 7,
                    .turn = turn,
                    .currency = "GBP",
                    .currencyName = "британска лира",
                    .spread = 0.5,
                    .level = 2,
                    .data = "ecb",
                    .pupil = "Мария",
                    .host = "PC07"});
}

std::string rows(int from, int to) {
    std::string text;
    for (int turn = from; turn <= to; ++turn) {
        text += row(turn);
    }
    return text;
}

// The lesson: four answers, `umount -l`, four more, the share mounted again.
void unmountedMidRun(const fs::path& share, const fs::path& classFolder, ResultsFile& file,
                     const std::string& header) {
    for (int turn = 1; turn <= kAnswers / 2; ++turn) {
        check(file.append(row(turn)).written, "row " + std::to_string(turn) + " written");
    }
    check(::umount2(classFolder.c_str(), MNT_DETACH) == 0, "umount -l");
    for (int turn = kAnswers / 2 + 1; turn <= kAnswers; ++turn) {
        const WriteOutcome kept = file.append(row(turn));
        check(kept.status == WriteStatus::Kept && !kept.written,
              "row " + std::to_string(turn) + " kept while the share is away");
    }
    check(fs::is_empty(classFolder), "nothing written to the mount point on the local disk");
    check(file.waitingRows() == kAnswers / 2, "four rows wait");

    check(mountShare(share, classFolder), "share mounted again");
    const WriteOutcome back = file.writeKept();
    check(back.caughtUp == kAnswers / 2 && back.waiting == 0, "the four reach the share");
    check(contents(file.path()) == header + rows(1, kAnswers), "all eight rows in order");
}

// Another file system mounted where the share was: an empty one, on another device.
void anotherFileSystemInItsPlace(const fs::path& share, const fs::path& classFolder,
                                 ResultsFile& file, const std::string& header) {
    check(::umount2(classFolder.c_str(), MNT_DETACH) == 0, "umount -l");
    check(::mount("none", classFolder.c_str(), "tmpfs", 0, nullptr) == 0, "tmpfs in its place");
    check(file.append(row(kAnswers + 1)).status == WriteStatus::Kept, "kept beside a tmpfs");
    check(fs::is_empty(classFolder), "nothing written to the other file system");
    check(::umount2(classFolder.c_str(), 0) == 0, "tmpfs unmounted");
    check(mountShare(share, classFolder), "share mounted again");
    const WriteOutcome back = file.append(row(kAnswers + 2));
    check(back.written && back.caughtUp == 1, "kept row and new one written");
    check(contents(file.path()) == header + rows(1, kAnswers + 2), "ten rows in order");
}

// `: > file` on the share: the next row comes after the header again.
void emptiedInPlace(ResultsFile& file, const std::string& header) {
    check(::truncate(file.path().c_str(), 0) == 0, "emptied");
    const WriteOutcome next = file.append(row(kAnswers + 3));
    check(next.written && next.restarted, "restarted and written");
    check(contents(file.path()) == header + row(kAnswers + 3), "header, then the row");
    ResultsFile::OpenError error;
    check(ResultsFile::open(file.path(), csvHeader(), ResultsFile::Mode::Append, error) != nullptr,
          "a later run takes the file");
}

} // namespace

int main() {
    if (!ownMountNamespace()) {
        std::printf("skipped: no mount namespace here (%s)\n", std::strerror(errno));
        return kSkipped;
    }
    std::string base = (fs::temp_directory_path() / "class_folder_XXXXXX").string();
    if (::mkdtemp(base.data()) == nullptr) {
        std::fprintf(stderr, "cannot make a folder: %s\n", std::strerror(errno));
        return 1;
    }
    const fs::path share = fs::path(base) / "share";
    const fs::path classFolder = fs::path(base) / "class";
    fs::create_directory(share);
    fs::create_directory(classFolder);
    if (::mount("none", share.c_str(), "tmpfs", 0, nullptr) != 0 ||
        !mountShare(share, classFolder)) {
        std::printf("skipped: cannot mount here (%s)\n", std::strerror(errno));
        fs::remove_all(base);
        return kSkipped;
    }
    const std::string header = std::string(csvHeader()) + "\r\n";
    ResultsFile::OpenError error;
    auto file = ResultsFile::open((classFolder / "Мария-PC07.csv").string(), csvHeader(),
                                  ResultsFile::Mode::CreateNew, error);
    check(file != nullptr, "class file opened: " + error.text);
    if (file) {
        unmountedMidRun(share, classFolder, *file, header);
        anotherFileSystemInItsPlace(share, classFolder, *file, header);
        emptiedInPlace(*file, header);
    }
    file.reset();
    ::umount2(classFolder.c_str(), MNT_DETACH);
    ::umount2(share.c_str(), MNT_DETACH);
    fs::remove_all(base);
    std::printf("%s\n", failures == 0 ? "every row reached the share" : "rows went astray");
    return failures == 0 ? 0 : 1;
}
