#pragma once

// The one writer of results: a CSV file that grows by whole rows, or says what it did not write.

#include <cstddef>
#include <cstdint>
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

struct WriteOutcome {
    bool written = false;
    int errorNumber = 0;    // errno when not written, for the window's own wording
    std::string error;      // the system's text for it
    std::string replacedBy; // set once: where the rows go now that the file was deleted or replaced
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
    };

    // Opens `path` (UTF-8). Only a regular file is accepted; a new or empty one gets `header`
    // (one line; its line end is the writer's), and an existing one must start with it. An
    // existing last row without a line end gets one, so the next row starts on its own line.
    static std::unique_ptr<ResultsFile> open(const std::string& path, std::string_view header,
                                             Mode mode, OpenError& error,
                                             DescriptorWriter& writer = systemWriter());

    ~ResultsFile();
    ResultsFile(const ResultsFile&) = delete;
    ResultsFile& operator=(const ResultsFile&) = delete;

    // Writes one CSV row ending in CR LF at once, whole or not at all. When the file at the path
    // is no longer this one, the row goes to the file there now (or to a free name beside it
    // when that one is not ours) and the outcome says so.
    WriteOutcome append(std::string_view row);

    // Where the rows go: the opened path, or the one they moved to.
    const std::string& path() const { return path_; }

private:
    ResultsFile(int descriptor, std::string path, std::string_view header,
                DescriptorWriter& writer);

    bool prepare(OpenError& error);
    bool stillAtPath() const;
    int followPath(std::string& movedTo);
    int writeWhole(std::string_view text);

    int descriptor_;
    std::string path_;
    std::string header_;
    DescriptorWriter* writer_;
};

} // namespace quiz
