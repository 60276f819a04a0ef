#pragma once

// The one writer of results: a CSV file that grows by whole rows, or says what it did not write.

#include "core/platform/file_kind.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

namespace quiz {

// The one system call a test needs to make fail on demand: write(2) on a descriptor.
class DescriptorWriter {
public:
    virtual ~DescriptorWriter() = default;
    // As write(2): the bytes written, or -1 with errno set.
    virtual std::int64_t write(int descriptor, const char* data, std::size_t size) = 0;
};

// The system's own write.
DescriptorWriter& systemWriter();

// Which device a folder is on: what a test changes to play a share unmounted under the writer.
class FolderDevices {
public:
    virtual ~FolderDevices() = default;
    // The device `folder` is on, given what the system says (`systemDevice`).
    virtual std::uint64_t deviceOf(const std::string& folder, std::uint64_t systemDevice) = 0;
};

// The system's own answer.
FolderDevices& systemDevices();

// Where the rows of one call stand, as a whole.
enum class WriteStatus {
    Written,    // every row the call handled is in the file
    Kept,       // the file's folder cannot be reached: rows wait in memory, written nowhere else
    NotWritten, // a row could not be written and is given up (errorNumber says why)
};

// What one call did with its new row and with the rows kept from before. Over a run, the rows
// written, caught up, given up and still waiting add up to the rows appended.
struct WriteOutcome {
    bool written = false;   // the new row is in the file
    int errorNumber = 0;    // errno: why a row is not in the file (yet), for the window's wording
    std::string error;      // the system's text for it
    std::string replacedBy; // set once: where the rows go now that the file was deleted or replaced

    WriteStatus status = WriteStatus::Written;
    std::size_t waiting = 0;  // rows kept in memory after this call, the new one included
    std::size_t caughtUp = 0; // kept rows that reached the file in this call
    std::size_t lost = 0;     // rows given up for good in this call, the new one included
    bool restarted = false;   // the file had been cut below what was written (emptied in place):
                              // it was started again with the header, and earlier rows are gone
};

class ResultsFile {
public:
    enum class Mode {
        Append,    // created if missing, never truncated
        CreateNew, // refused when anything already has that name
    };

    struct OpenError {
        enum class Kind { System, NotRegular, OtherHeader };
        Kind kind = Kind::System;
        int errorNumber = 0; // errno, for System only
        std::string text;
        // A free name beside the path (results.csv -> results-2.csv) when the file holds
        // another header or already exists; empty when none of the first few thousand is free.
        std::string suggestedPath;
        FileKind fileKind = FileKind::Other; // for NotRegular: what stands there instead
    };

    // Opens `path` (UTF-8). Only a regular file is accepted; a new or empty one gets `header`
    // (one line; its line end is the writer's), and an existing one must start with it. An
    // existing last row without a line end gets one, so the next row starts on its own line.
    static std::unique_ptr<ResultsFile> open(const std::string& path, std::string_view header,
                                             Mode mode, OpenError& error,
                                             DescriptorWriter& writer = systemWriter(),
                                             FolderDevices& devices = systemDevices());

    ~ResultsFile();
    ResultsFile(const ResultsFile&) = delete;
    ResultsFile& operator=(const ResultsFile&) = delete;

    // Writes one CSV row ending in CR LF at once, whole or not at all, after any rows kept from
    // before. When the file at the path is no longer this one, the row goes to the file there
    // now (or to a free name beside it when that one is not ours) and the outcome says so. When
    // the folder is gone or on another device than at the start (a share unmounted), the rows
    // are kept in memory until it is back: never written anywhere else.
    WriteOutcome append(std::string_view row);

    // Tries the kept rows again without a new one, as the window does now and then while some
    // wait. `written` stays false: there is no new row.
    WriteOutcome writeKept();

    // Rows kept in memory because the folder could not be reached. Closing tries them once
    // more; those it cannot write are lost with the program.
    std::size_t waitingRows() const { return kept_.size(); }

    // Where the rows go: the opened path, or the one they moved to.
    const std::string& path() const { return path_; }

private:
    ResultsFile(int descriptor, std::string path, std::string_view header, DescriptorWriter& writer,
                FolderDevices& devices);

    static std::unique_ptr<ResultsFile> openIn(int folder, const std::string& path,
                                               std::string_view header, Mode mode, OpenError& error,
                                               DescriptorWriter& writer, FolderDevices& devices);
    bool prepare(OpenError& error);
    WriteOutcome writeRows(bool lastIsNew);
    bool stillAtPath() const;
    bool foundAgain(WriteOutcome& outcome);
    int followPath(WriteOutcome& outcome, bool& unreachable);
    int moveInFolder(bool besideOnly, WriteOutcome& outcome, bool& unreachable);
    int restartIfCut(WriteOutcome& outcome, bool& unreachable);
    enum class Piece { Row, Header };
    int writeWhole(std::string_view text, Piece piece);
    int writeLocked(std::string_view text, Piece piece);
    void takeOver(ResultsFile& next);

    int descriptor_;
    std::string path_;
    std::string header_;
    DescriptorWriter* writer_;
    FolderDevices* devices_;
    std::uint64_t device_ = 0;    // the device the file is on: its folder must stay there
    std::int64_t writtenEnd_ = 0; // the file is at least this long unless someone cut it
    std::string lastRow_;         // the last row written and where it ends: how the file is
    std::int64_t lastRowEnd_ = 0; // known again when a share comes back under another device
    std::deque<std::string> kept_;
};

} // namespace quiz
