// Times reading a rate file (by default the ECB's full history) against Python's csv module
// reading the same file with float() on every value cell, both in this run.
//   rate_file_bench [FILE]

#include "core/rate_table.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kRepeats = 21;

// Each repeat parses every cell, as the reader has to; the median of the runs is printed in ms.
constexpr const char* kPythonReader = R"(
import csv, statistics, sys, time
path, repeats = sys.argv[1], int(sys.argv[2])
times = []
for _ in range(repeats):
    start = time.perf_counter()
    with open(path, newline="", encoding="utf-8") as f:
        rows = csv.reader(f)
        next(rows)
        values = [float(c) for row in rows for c in row[1:] if c and c != "N/A"]
    times.append(time.perf_counter() - start)
print(statistics.median(times) * 1000)
)";

double medianMs(std::vector<double> times) {
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

double readerMs(const std::string& bytes, std::size_t& runs) {
    std::vector<double> times;
    for (int i = 0; i < kRepeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        runs = quiz::readRateTable(bytes, "bench").runs.size();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    return medianMs(times);
}

// Python's median in ms, or a negative number when python3 cannot be run.
double pythonMs(const std::string& path) {
    const std::string script = "/tmp/rate_file_bench.py";
    std::ofstream(script) << kPythonReader;
    const std::string command = "python3 " + script + " '" + path + "' " + std::to_string(kRepeats);
    FILE* pipe = popen(command.c_str(), "r");
    double ms = -1;
    if (pipe == nullptr || std::fscanf(pipe, "%lf", &ms) != 1) {
        ms = -1;
    }
    if (pipe != nullptr) {
        pclose(pipe);
    }
    return ms;
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
    std::size_t runs = 0;
    const double reader = readerMs(bytes, runs);
    const double python = pythonMs(path);
    std::printf("%s: %zu bytes, %zu runs of 43 or more\n", path.c_str(), bytes.size(), runs);
    std::printf("readRateTable  median %8.2f ms (%d runs)\n", reader, kRepeats);
    if (python > 0) {
        std::printf("python csv     median %8.2f ms\nratio %.1fx\n", python, python / reader);
    } else {
        std::printf("python3 could not be run; no ratio\n");
    }
    return 0;
}
