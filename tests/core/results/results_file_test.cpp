#include "core/results/results_file.h"

#include "core/platform/file_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#ifndef _WIN32
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#endif
#include <utility>
#include <vector>

using namespace quiz;
using Kind = ResultsFile::OpenError::Kind;
using Mode = ResultsFile::Mode;
namespace fs = std::filesystem;

namespace {

const std::string kHeader = "time,turn,name,right";
const std::string kHeaderLine = kHeader + "\r\n";
const std::string kRow = "2026-12-08T09:15:00+02:00,1,\"паунд, GBP \",0\r\n";
const std::string kNextRow = "2026-12-08T09:16:00+02:00,2,йена,1\r\n";

// Strict RFC 4180: quotes closed before a comma or line end, no lone CR, the last row ended,
// and as many fields in every row as in the header. Returns the fault, empty when none.
std::string csvFault(std::string_view text) {
    std::vector<std::size_t> widths;
    std::size_t fields = 1;
    enum { Plain, Quoted, Closed } state = Plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const std::string at = " at byte " + std::to_string(i);
        if (state == Quoted) {
            const bool doubled = c == '"' && text.substr(i + 1).starts_with('"');
            i += doubled ? 1 : 0;
            state = c == '"' && !doubled ? Closed : Quoted;
        } else if (c == ',' || c == '\n') {
            state = Plain;
            fields += c == ',' ? 1 : 0;
            if (c == '\n') {
                widths.push_back(std::exchange(fields, 1));
            }
        } else if (c == '\r' ? !text.substr(i + 1).starts_with('\n') : state == Closed) {
            return "stray byte" + at;
        } else if (c == '"' && (i == 0 || text[i - 1] == ',' || text[i - 1] == '\n')) {
            state = Quoted;
        } else if (c == '"') {
            return "quote inside a field" + at;
        }
    }
    if (state == Quoted || (!text.empty() && text.back() != '\n')) {
        return "the last row is not whole";
    }
    const auto odd = std::find_if(widths.begin(), widths.end(),
                                  [&](std::size_t width) { return width != widths.front(); });
    return odd == widths.end() ? "" : "row " + std::to_string(odd - widths.begin()) + " is cut";
}

std::string contents(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// Sends the first `budget` bytes to the file and the rest to `sink` (/dev/full, or a pipe
// with no reader), where the system itself fails them; at most `chunk` bytes a call (none
// at all when it is 0). Windows has neither sink, so there the writer fails them itself
// with `sinkError`, the errno the sink would give.
struct Plan {
    std::size_t budget = SIZE_MAX;
    std::size_t chunk = SIZE_MAX;
    int interruptions = 0;
    int sink = -1;
    int sinkError = 0;
};

// `device`, or a pipe whose reader has gone when it is ""; -1 on Windows.
int openSink(const char* device) {
#ifdef _WIN32
    (void)device;
    return -1;
#else
    int ends[2] = {-1, -1};
    if (*device) {
        return ::open(device, O_WRONLY);
    }
    if (::pipe(ends) != 0) {
        return -1;
    }
    ::close(ends[0]);
    return ends[1];
#endif
}

void closeSink(int sink) {
    if (sink >= 0) {
        ::close(sink);
    }
}

// A new, empty folder of the test's own: what mkdtemp makes, which Windows lacks.
fs::path newFolder() {
    const fs::path base = fs::temp_directory_path() / "results_file_";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = base;
        candidate += std::to_string(random());
        if (fs::create_directory(candidate)) {
            return candidate;
        }
    }
    return {};
}

class FailingWriter final : public DescriptorWriter {
public:
    std::int64_t write(int descriptor, const char* data, std::size_t size) override {
        if (plan.interruptions > 0 && plan.interruptions--) {
            errno = EINTR;
            return -1;
        }
        if (plan.chunk == 0) {
            return 0;
        }
        const std::size_t count = std::min({size, plan.chunk, plan.budget});
        plan.budget -= count;
        if (count > 0) {
            return ::write(descriptor, data, count);
        }
#ifdef _WIN32
        errno = plan.sinkError;
        return -1;
#else
        return ::write(plan.sink, data, size);
#endif
    }
    Plan plan;
};

class ResultsFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder = newFolder();
        ASSERT_FALSE(folder.empty());
        path = (folder / "results.csv").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    void write(const fs::path& where, const std::string& text) {
        std::ofstream(where, std::ios::binary) << text;
    }
    std::unique_ptr<ResultsFile> open(DescriptorWriter& writer = systemWriter()) {
        auto file = ResultsFile::open(path, kHeader, Mode::Append, error, writer);
        EXPECT_TRUE(file) << error.text;
        return file;
    }
    std::string wholeContents(const fs::path& where) {
        const std::string text = contents(where);
        EXPECT_EQ(csvFault(text), "") << where;
        return text;
    }

    fs::path folder;
    std::string path;
    ResultsFile::OpenError error;
};

struct FailureCase {
    const char* name;
    std::size_t budget;
    std::size_t chunk;
    int interruptions;
    const char* sink; // a device path, or "" for a pipe whose reader has gone
    int errorNumber;
};

const FailureCase kFailures[] = {
    {"short writes and interruptions", SIZE_MAX, 3, 2, "/dev/full", 0},
    {"disk full", 0, SIZE_MAX, 0, "/dev/full", ENOSPC},
    {"full after one byte", 1, SIZE_MAX, 0, "/dev/full", ENOSPC},
    {"full in the quoted name", 31, 7, 1, "/dev/full", ENOSPC},
    {"full one byte short", kRow.size() - 1, SIZE_MAX, 0, "/dev/full", ENOSPC},
    {"full right after the row", kRow.size(), SIZE_MAX, 0, "/dev/full", 0},
    {"reader gone", 10, SIZE_MAX, 0, "", EPIPE},
    {"no progress", SIZE_MAX, 0, 0, "/dev/full", EIO},
};

} // namespace

TEST_F(ResultsFileTest, AFailedRowLeavesNoFragmentAndTheNextOneIsWhole) {
#ifndef _WIN32
    const auto oldHandler = std::signal(SIGPIPE, SIG_IGN);
#endif
    for (const FailureCase& test : kFailures) {
        SCOPED_TRACE(test.name);
        fs::remove(path);
        FailingWriter writer;
        auto file = open(writer);
        ASSERT_TRUE(file->append(kNextRow).written);

        writer.plan = {test.budget, test.chunk, test.interruptions, openSink(test.sink),
                       test.errorNumber};
        const WriteOutcome outcome = file->append(kRow);
        EXPECT_EQ(outcome.written, test.errorNumber == 0);
        EXPECT_EQ(outcome.errorNumber, test.errorNumber);
        EXPECT_EQ(outcome.error.empty(), test.errorNumber == 0);
        closeSink(writer.plan.sink);

        writer.plan = {}; // space freed
        EXPECT_TRUE(file->append(kNextRow).written);
        EXPECT_EQ(wholeContents(path),
                  kHeaderLine + kNextRow + (outcome.written ? kRow : "") + kNextRow);
    }
#ifndef _WIN32
    std::signal(SIGPIPE, oldHandler);
#endif
}

TEST_F(ResultsFileTest, AHeaderThatCannotBeWrittenLeavesAnEmptyFile) {
    for (const std::size_t budget : {std::size_t{0}, std::size_t{5}, kHeaderLine.size() - 1}) {
        FailingWriter writer;
        writer.plan = {.budget = budget, .sink = openSink("/dev/full"), .sinkError = ENOSPC};
        EXPECT_FALSE(ResultsFile::open(path, kHeader, Mode::Append, error, writer));
        EXPECT_EQ(error.errorNumber, ENOSPC);
        EXPECT_EQ(contents(path), "");
        closeSink(writer.plan.sink);
    }
    open();
    EXPECT_EQ(wholeContents(path), kHeaderLine);
}

TEST_F(ResultsFileTest, OnlyARegularFileIsAccepted) {
#ifdef _WIN32
    // No FIFOs or sockets here: a folder and the null device are what a name can reach.
    for (const std::string& notPlain : {folder.string(), std::string("NUL")}) {
        for (const Mode mode : {Mode::Append, Mode::CreateNew}) {
            EXPECT_FALSE(ResultsFile::open(notPlain, kHeader, mode, error)) << notPlain;
            EXPECT_EQ(error.kind, Kind::NotRegular) << notPlain << ": " << error.text;
        }
    }
#else
    const std::string fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
    const std::string socketPath = folder / "socket";
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    // A FIFO with no reader must not block the start; /proc/self/fd/N is --log /dev/stdout.
    for (const std::string& notPlain : {fifo, folder.string(), socketPath, std::string("/dev/full"),
                                        "/proc/self/fd/" + std::to_string(pipeEnds[1])}) {
        for (const Mode mode : {Mode::Append, Mode::CreateNew}) {
            EXPECT_FALSE(ResultsFile::open(notPlain, kHeader, mode, error)) << notPlain;
            EXPECT_EQ(error.kind, Kind::NotRegular) << notPlain << ": " << error.text;
        }
    }
    ::close(socket);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
#endif
}

struct MoveCase {
    const char* name;
    std::string replacement; // what is renamed over the file; nothing when it is only removed
    bool keepsBackup;        // the old file is moved aside first, as some editors do
    std::string rowsGoTo;
    std::string rowsFollow; // what the file the rows go to holds before them
};

TEST_F(ResultsFileTest, RowsFollowAFileThatWasDeletedOrReplaced) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps a deleted open file's name until it is closed, and renames "
                    "over no open file";
#endif
    const MoveCase cases[] = {
        {"deleted", "", false, "results.csv", kHeaderLine},
        {"an editor's copy", kHeaderLine + kRow, false, "results.csv", kHeaderLine + kRow},
        {"a copy beside a backup", kHeaderLine + kRow, true, "results.csv", kHeaderLine + kRow},
        {"a copy without a last line end", kHeaderLine + "x,1,y,0", false, "results.csv",
         kHeaderLine + "x,1,y,0\r\n"},
        {"another program's file", "a,b\r\n1,2\r\n", false, "results-2.csv", kHeaderLine},
    };
    for (const MoveCase& test : cases) {
        SCOPED_TRACE(test.name);
        fs::remove_all(folder);
        fs::create_directory(folder);
        auto file = open();
        ASSERT_TRUE(file->append(kRow).written);
        if (test.keepsBackup) {
            fs::rename(path, path + "~");
        }
        if (test.replacement.empty()) {
            fs::remove(path);
        } else {
            write(folder / "copy", test.replacement);
            fs::rename(folder / "copy", path);
        }
        const WriteOutcome moved = file->append(kNextRow);
        const std::string rowsGoTo = (folder / test.rowsGoTo).string();
        EXPECT_TRUE(moved.written);
        EXPECT_EQ(moved.replacedBy, rowsGoTo);
        EXPECT_EQ(file->append(kNextRow).replacedBy, ""); // said once
        EXPECT_EQ(file->path(), rowsGoTo);
        EXPECT_EQ(wholeContents(rowsGoTo), test.rowsFollow + kNextRow + kNextRow);
    }
}

TEST_F(ResultsFileTest, AnExistingLastRowIsEndedBeforeTheNextOne) {
    const std::pair<std::string, std::string> cases[] = {
        {"", kHeaderLine},
        {kHeader, kHeaderLine},
        {kHeaderLine + "x,1,y,0", kHeaderLine + "x,1,y,0\r\n"},
        {kHeader + "\nx,1,y,0\n", kHeader + "\nx,1,y,0\n"},
        // A spreadsheet that saved the log put a byte-order mark before the header.
        {"\xEF\xBB\xBF" + kHeaderLine, "\xEF\xBB\xBF" + kHeaderLine},
    };
    for (const auto& [before, afterOpen] : cases) {
        write(path, before);
        auto file = open();
        EXPECT_EQ(contents(path), afterOpen);
        EXPECT_TRUE(file->append(kRow).written);
        EXPECT_EQ(wholeContents(path), afterOpen + kRow);
    }
}

TEST_F(ResultsFileTest, AFileWithAnotherHeaderIsLeftAsItIsAndAFreeNameSuggested) {
    const struct {
        std::string file, text, taken, suggestion;
    } cases[] = {
        {"results.csv", "a,b,c\r\n1,2,3\r\n", "", "results-2.csv"},
        {"results.csv", "time,turn", "", "results-2.csv"},
        {"results.csv", kHeader + ",extra\r\n", "results-2.csv", "results-3.csv"},
        {"log", "x", "", "log-2"},
        {"class.7/log", "x", "class.7/log-2", "class.7/log-3"},
    };
    for (const auto& test : cases) {
        fs::remove_all(folder);
        fs::create_directories(folder / "class.7");
        write(folder / test.file, test.text);
        if (!test.taken.empty()) {
            write(folder / test.taken, "");
        }
        const fs::path wanted = folder / test.file;
        EXPECT_FALSE(ResultsFile::open(wanted.string(), kHeader, Mode::Append, error)) << test.file;
        EXPECT_EQ(error.kind, Kind::OtherHeader);
        EXPECT_EQ(error.suggestedPath, (folder / test.suggestion).string());
        EXPECT_FALSE(fs::exists(error.suggestedPath));
        EXPECT_EQ(contents(wanted), test.text);
    }
}

// A new file whose header cannot be written is taken back, so that trying again on a full disk
// leaves no empty files behind.
TEST_F(ResultsFileTest, ANewFileWithoutItsHeaderIsRemoved) {
    for (const std::size_t budget : {std::size_t{0}, kHeaderLine.size() - 1}) {
        FailingWriter writer;
        writer.plan = {.budget = budget, .sink = openSink("/dev/full"), .sinkError = ENOSPC};
        EXPECT_FALSE(ResultsFile::open(path, kHeader, Mode::CreateNew, error, writer));
        EXPECT_EQ(error.errorNumber, ENOSPC);
        EXPECT_FALSE(fs::exists(path));
        closeSink(writer.plan.sink);
    }
    EXPECT_TRUE(ResultsFile::open(path, kHeader, Mode::CreateNew, error));
    EXPECT_EQ(wholeContents(path), kHeaderLine);
}

TEST_F(ResultsFileTest, CreateNewRefusesAnyExistingFile) {
    for (const std::string& existing : {std::string(), kHeaderLine}) {
        write(path, existing);
        EXPECT_FALSE(ResultsFile::open(path, kHeader, Mode::CreateNew, error));
        EXPECT_EQ(error.errorNumber, EEXIST);
        EXPECT_EQ(error.suggestedPath, (folder / "results-2.csv").string());
        EXPECT_EQ(contents(path), existing);
    }
    fs::remove(path);
    EXPECT_TRUE(ResultsFile::open(path, kHeaderLine, Mode::CreateNew, error));
    EXPECT_EQ(wholeContents(path), kHeaderLine);
}

TEST_F(ResultsFileTest, ANameWithANulIsRefusedRatherThanCutShort) {
    EXPECT_FALSE(ResultsFile::open(path + '\0' + ".bak", kHeader, Mode::Append, error));
    EXPECT_EQ(error.errorNumber, EINVAL);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(ResultsFileTest, ACyrillicNameOpensInEitherMode) {
    // Windows takes names in UTF-16: the UTF-8 bytes given to its narrow calls name another file.
    const fs::path classFolder = folder / u8"7А клас";
    const fs::path name = classFolder / u8"Иванова Мария.csv";
    fs::create_directory(classFolder);
    for (const Mode mode : {Mode::CreateNew, Mode::Append}) {
        EXPECT_TRUE(ResultsFile::open(name.string(), kHeader, mode, error)) << error.text;
    }
    EXPECT_FALSE(ResultsFile::open(name.string(), kHeader, Mode::CreateNew, error));
    EXPECT_EQ(error.suggestedPath, (classFolder / u8"Иванова Мария-2.csv").string());
    EXPECT_EQ(wholeContents(name), kHeaderLine);
}

namespace {

// Plays a share unmounted under the writer: while `moved`, every folder (and so every file in
// it) is on another device than the system says.
class MovableDevices final : public FolderDevices {
public:
    std::uint64_t deviceOf(const std::string&, std::uint64_t systemDevice) override {
        return moved ? systemDevice + 1 : systemDevice;
    }
    bool moved = false;
};

// What happens to the class folder while the quiz runs, and how it comes back.
struct AwayCase {
    const char* name;
    bool mountPointLeft; // an empty folder on another device stands at its name meanwhile
    enum Return { Renamed, CopiedUnderAnotherDevice, RecreatedEmpty } back;
    std::string replacedBy; // the notice when the rows go on
    std::string rowsFollow; // what the folder's file holds before the kept rows
};

const std::string kThirdRow = "2026-12-08T09:17:00+02:00,3,лев,1\r\n";

} // namespace

TEST_F(ResultsFileTest, RowsWaitForTheirFolderAndReachNoOtherPlace) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows renames no folder that holds an open file";
#endif
    const AwayCase cases[] = {
        {"folder renamed away and back", false, AwayCase::Renamed, "", kHeaderLine + kRow},
        {"share unmounted, mounted again", true, AwayCase::Renamed, "", kHeaderLine + kRow},
        {"share mounted again under another device", true, AwayCase::CopiedUnderAnotherDevice, "",
         kHeaderLine + kRow},
        {"folder made anew where it was", false, AwayCase::RecreatedEmpty, "results.csv",
         kHeaderLine},
    };
    const fs::path away = folder.string() + ".away";
    for (const AwayCase& test : cases) {
        SCOPED_TRACE(test.name);
        fs::remove_all(folder);
        fs::create_directory(folder);
        MovableDevices devices;
        auto file = ResultsFile::open(path, kHeader, Mode::Append, error, systemWriter(), devices);
        ASSERT_TRUE(file);
        ASSERT_TRUE(file->append(kRow).written);

        fs::rename(folder, away);
        if (test.mountPointLeft) {
            fs::create_directory(folder);
            devices.moved = true;
        }
        for (const std::size_t waiting : {1u, 2u}) {
            const WriteOutcome kept = file->append(waiting == 1 ? kNextRow : kThirdRow);
            EXPECT_FALSE(kept.written);
            EXPECT_EQ(kept.status, WriteStatus::Kept);
            EXPECT_EQ(kept.waiting, waiting);
            EXPECT_EQ(kept.errorNumber, test.mountPointLeft ? ENODEV : ENOENT);
            EXPECT_EQ(kept.lost, 0u);
            EXPECT_EQ(kept.replacedBy, "");
        }
        EXPECT_EQ(file->waitingRows(), 2u);
        // Nothing written beside the share, nor anywhere else.
        EXPECT_EQ(fs::exists(folder) && !fs::is_empty(folder), false);
        EXPECT_EQ(wholeContents(away / "results.csv"), kHeaderLine + kRow);

        fs::remove_all(folder);
        if (test.back == AwayCase::Renamed) {
            fs::rename(away, folder);
            devices.moved = false;
        } else {
            fs::create_directory(folder);
            if (test.back == AwayCase::CopiedUnderAnotherDevice) {
                fs::copy_file(away / "results.csv", path);
            } else {
                devices.moved = false;
            }
        }
        const WriteOutcome back = file->writeKept();
        EXPECT_FALSE(back.written);
        EXPECT_EQ(back.status, WriteStatus::Written);
        EXPECT_EQ(back.caughtUp, 2u);
        EXPECT_EQ(back.waiting, 0u);
        EXPECT_EQ(back.replacedBy, test.replacedBy.empty() ? "" : path);
        EXPECT_EQ(file->append(kRow).status, WriteStatus::Written);
        EXPECT_EQ(file->path(), path);
        EXPECT_EQ(wholeContents(path), test.rowsFollow + kNextRow + kThirdRow + kRow);
        fs::remove_all(away);
    }
}

TEST_F(ResultsFileTest, ClosingGivesTheKeptRowsALastTry) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows renames no folder that holds an open file";
#endif
    const fs::path away = folder.string() + ".away";
    for (const bool back : {false, true}) {
        SCOPED_TRACE(back ? "folder back" : "folder still away");
        fs::remove_all(folder);
        fs::create_directory(folder);
        auto file = open();
        ASSERT_TRUE(file->append(kRow).written);
        fs::rename(folder, away);
        ASSERT_EQ(file->append(kNextRow).waiting, 1u);
        if (back) {
            fs::rename(away, folder);
        }
        file.reset();
        EXPECT_EQ(fs::exists(folder), back); // never made anew to hold them
        EXPECT_EQ(wholeContents(back ? path : (away / "results.csv").string()),
                  kHeaderLine + kRow + (back ? kNextRow : ""));
        fs::remove_all(away);
    }
}

TEST_F(ResultsFileTest, AFileOfOurNameOnTheDiskBeneathIsNotTakenForOurs) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows renames no folder that holds an open file";
#endif
    MovableDevices devices;
    auto file = ResultsFile::open(path, kHeader, Mode::Append, error, systemWriter(), devices);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->append(kRow).written);
    const fs::path away = folder.string() + ".away";
    fs::rename(folder, away);
    // The mount point still holds what an earlier run wrote there while the share was off.
    fs::create_directory(folder);
    const std::string stale = kHeaderLine + kNextRow;
    write(path, stale);
    devices.moved = true;
    EXPECT_EQ(file->append(kThirdRow).status, WriteStatus::Kept);
    EXPECT_EQ(contents(path), stale);
    fs::remove_all(folder);
    fs::rename(away, folder);
}

TEST_F(ResultsFileTest, KeptRowsThatCannotBeWrittenAreCountedOnce) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows renames no folder that holds an open file";
#endif
    FailingWriter writer;
    auto file = open(writer);
    ASSERT_TRUE(file->append(kRow).written);
    const fs::path away = folder.string() + ".away";
    fs::rename(folder, away);
    EXPECT_EQ(file->append(kNextRow).waiting, 1u);
    EXPECT_EQ(file->append(kNextRow).waiting, 2u);
    fs::rename(away, folder);

    writer.plan = {.budget = 0, .sink = openSink("/dev/full"), .sinkError = ENOSPC};
    const WriteOutcome full = file->append(kThirdRow);
    closeSink(writer.plan.sink);
    EXPECT_FALSE(full.written);
    EXPECT_EQ(full.status, WriteStatus::NotWritten);
    EXPECT_EQ(full.errorNumber, ENOSPC);
    EXPECT_EQ(full.lost, 3u);
    EXPECT_EQ(full.caughtUp + full.waiting, 0u);
    writer.plan = {};
    EXPECT_EQ(file->writeKept().caughtUp, 0u); // nothing is written twice
    EXPECT_EQ(wholeContents(path), kHeaderLine + kRow);
}

struct CutCase {
    const char* name;
    std::string left; // what the file is cut to, or holds instead, while the quiz runs
    std::string rowsGoTo;
    std::string before; // what that file holds before the next row
    bool wholeRows = true;
};

TEST_F(ResultsFileTest, AFileCutUnderTheWriterStartsAgainWithItsHeader) {
    const CutCase cases[] = {
        {"emptied in place", "", "results.csv", kHeaderLine},
        {"cut to the header", kHeaderLine, "results.csv", kHeaderLine},
        {"cut to the header's text", kHeader, "results.csv", kHeaderLine},
        // Ended, not cut further: another quiz may be writing the same file.
        {"cut inside a row", kHeaderLine + kRow.substr(0, 20), "results.csv",
         kHeaderLine + kRow.substr(0, 20) + "\r\n", false},
        {"cut inside the header", kHeader.substr(0, 6), "results-2.csv", kHeaderLine},
        {"cut after a whole row", kHeaderLine + kRow, "results.csv", kHeaderLine + kRow},
        {"written over by another program", "a,b\n", "results-2.csv", kHeaderLine},
    };
    for (const CutCase& test : cases) {
        SCOPED_TRACE(test.name);
        fs::remove_all(folder);
        fs::create_directory(folder);
        auto file = open();
        ASSERT_TRUE(file->append(kRow).written);
        ASSERT_TRUE(file->append(kNextRow).written);
        {
            // As the shell's `: > results.csv` and `echo a,b > results.csv` do: the same file.
            std::ofstream(path, std::ios::binary | std::ios::trunc) << test.left;
        }
        const WriteOutcome next = file->append(kThirdRow);
        const std::string rowsGoTo = (folder / test.rowsGoTo).string();
        EXPECT_TRUE(next.written);
        EXPECT_TRUE(next.restarted);
        EXPECT_EQ(next.replacedBy, rowsGoTo == path ? "" : rowsGoTo);
        EXPECT_FALSE(file->append(kRow).restarted); // said once
        EXPECT_EQ(contents(rowsGoTo), test.before + kThirdRow + kRow);
        EXPECT_EQ(csvFault(contents(rowsGoTo)) == "", test.wholeRows);
        // A later run takes the file as it is.
        EXPECT_TRUE(ResultsFile::open(rowsGoTo, kHeader, Mode::Append, error)) << error.text;
    }
}

namespace {

// Whether another open of the file could take the writers' lock now: flock where there is one,
// the platform's own lock on Windows.
bool lockFree(int other) {
#ifdef _WIN32
    if (platform::tryLock(other) != platform::Lock::Taken) {
        return false;
    }
    platform::unlock(other);
    return true;
#else
    if (::flock(other, LOCK_EX | LOCK_NB) != 0) {
        return false;
    }
    ::flock(other, LOCK_UN);
    return true;
#endif
}

void holdLock(int other) {
#ifdef _WIN32
    ASSERT_EQ(platform::tryLock(other), platform::Lock::Taken);
#else
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
#endif
}

int openAgain(const std::string& path) {
    return platform::openDescriptor(path, platform::Creation::Existing, platform::kNoFolder);
}

// Writes as the system does, noting whether another open of the file could take its lock then.
class LockProbe final : public DescriptorWriter {
public:
    explicit LockProbe(int other) : other_(other) {}
    std::int64_t write(int descriptor, const char* data, std::size_t size) override {
        othersWaited = othersWaited && !lockFree(other_);
        return platform::writeSome(descriptor, data, size);
    }
    bool othersWaited = true;

private:
    int other_;
};

} // namespace

TEST_F(ResultsFileTest, AnotherWriterOfTheFileWaitsWhileARowIsWritten) {
    write(path, kHeaderLine);
    const int other = openAgain(path);
    ASSERT_GE(other, 0);
    LockProbe probe(other);
    auto file = open(probe);
    EXPECT_TRUE(file->append(kRow).written);
    EXPECT_TRUE(probe.othersWaited);
    platform::closeDescriptor(other);
}

TEST_F(ResultsFileTest, ALockHeldElsewhereNeverStopsTheRows) {
    auto file = open();
    const int other = openAgain(path);
    ASSERT_GE(other, 0);
    holdLock(other); // a pupil holding it on purpose
    EXPECT_TRUE(file->append(kRow).written);
    EXPECT_EQ(wholeContents(path), kHeaderLine + kRow);
    platform::closeDescriptor(other);
}
