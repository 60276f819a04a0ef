// Times reading a rate file (by default the ECB's full history) against Python's csv module
// reading the same file with float() on every value cell. The two take turns, so that both
// see the machine in the same state; each prints its median.
//   rate_file_bench [FILE]

#include "core/data/data_set.h"
#include "core/data/rate_table.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kRepeats = 21;

// Parses every cell, as the reader has to, and prints the time it took in ms.
constexpr const char* kPythonReader = R"(
import csv, os, time
start = time.perf_counter()
with open(os.environ["RATE_FILE"], newline="", encoding="utf-8") as f:
    rows = csv.reader(f)
    next(rows)
    values = [float(c) for row in rows for c in row[1:] if c and c != "N/A"]
print((time.perf_counter() - start) * 1000)
)";

double median(std::vector<double> times) {
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double readerMs(const std::string& bytes, std::size_t& runs) {
    const auto start = std::chrono::steady_clock::now();
    runs = quiz::readRateTable(bytes, "bench").runs.size();
    return msSince(start);
}

// All that choosing the file costs: the table and the windows of the data set.
double dataSetMs(const std::string& bytes, std::size_t& windows) {
    const auto start = std::chrono::steady_clock::now();
    windows = quiz::DataSet::fromTable(quiz::readRateTable(bytes, "bench"), quiz::DataKind::File,
                                       "bench", "bench")
                  ->windowCount();
    return msSince(start);
}

// One timed parse by Python, in ms, or a negative number when python3 cannot be run. The file
// is named in the environment, so no quoting of it for the shell is needed. posix_spawn rather
// than popen: a fork would leave this process's pages copy-on-write, and the reader timed next
// would pay a page fault for every page it writes.
double pythonMs(const std::string& script, const std::string& path) {
    setenv("RATE_FILE", path.c_str(), 1);
    int out[2];
    if (pipe(out) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string program = "python3";
    std::string argument = script;
    char* arguments[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    const bool started =
        posix_spawnp(&child, "python3", &actions, nullptr, arguments, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    double ms = -1;
    FILE* reply = fdopen(out[0], "r");
    if (reply == nullptr || std::fscanf(reply, "%lf", &ms) != 1) {
        ms = -1;
    }
    reply != nullptr ? fclose(reply) : close(out[0]);
    int status = 0;
    if (started) {
        waitpid(child, &status, 0);
    }
    return started ? ms : -1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : QUIZ_ECB_HISTORY;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (!in && bytes.empty()) {
        std::fprintf(stderr, "rate_file_bench: cannot read %s\n", path.c_str());
        return 1;
    }
    const std::string script = "/tmp/rate_file_bench.py";
    std::ofstream(script) << kPythonReader;

    std::size_t runs = 0;
    std::size_t windows = 0;
    std::vector<double> reader;
    std::vector<double> dataSet;
    std::vector<double> python;
    for (int i = 0; i < kRepeats; ++i) {
        reader.push_back(readerMs(bytes, runs));
        python.push_back(pythonMs(script, path));
    }
    for (int i = 0; i < kRepeats; ++i) {
        dataSet.push_back(dataSetMs(bytes, windows));
    }
    std::printf("%s: %zu bytes, %zu runs of 43 or more, %zu windows\n", path.c_str(), bytes.size(),
                runs, windows);
    std::printf("readRateTable  median %8.2f ms (%d runs)\n", median(reader), kRepeats);
    std::printf("with data set  median %8.2f ms\n", median(dataSet));
    if (*std::min_element(python.begin(), python.end()) > 0) {
        std::printf("python csv     median %8.2f ms\nratio %.1fx\n", median(python),
                    median(python) / median(reader));
    } else {
        std::printf("python3 could not be run; no ratio\n");
    }
    return 0;
}
