// Start-up and memory of the quiz against a bare Qt window with the same widgets.
//
// Runs both programs alternately (ABBA, so neither always goes first), each with the
// first-frame probe loaded: time is from just before the process is spawned to its first
// painted frame; memory is the peak resident set the kernel reports when it has ended.
// Prints medians and the quiz/bare ratios.
// Usage: startup_bench [runs per program] [argument for the quiz...], e.g. 21 --data ecb;
// QUIZ_BENCH_PROGRAM names another build of the quiz to measure.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kDefaultRuns = 21;

struct Sample {
    double milliseconds;
    long peakKilobytes;
};

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// One run: spawn, read the probe's line, reap with the child's resource usage.
Sample runOnce(const char* program, const std::vector<char*>& arguments) {
    int out[2];
    if (pipe(out) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);

    std::vector<char*> argv{const_cast<char*>(program)};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    argv.push_back(nullptr);
    pid_t child = 0;
    const long long started = monotonicNanoseconds();
    if (posix_spawn(&child, program, &actions, nullptr, argv.data(), environ) != 0) {
        std::perror(program);
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);

    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);

    long long frame = 0;
    if (std::sscanf(output.c_str(), "first-frame-ns %lld", &frame) != 1 || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s: no first frame reported (status %d)\n%s", program, status,
                     output.c_str());
        std::exit(1);
    }
    return {static_cast<double>(frame - started) / 1e6, usage.ru_maxrss};
}

template <typename T> T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Summary {
    double milliseconds;
    long peakKilobytes;
};

Summary summarise(const std::vector<Sample>& samples) {
    std::vector<double> times;
    std::vector<long> peaks;
    for (const Sample& sample : samples) {
        times.push_back(sample.milliseconds);
        peaks.push_back(sample.peakKilobytes);
    }
    return {median(times), median(peaks)};
}

} // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : kDefaultRuns;
    if (runs < 1) {
        std::fprintf(stderr, "usage: startup_bench [runs per program] [argument for the quiz...]\n");
        return 2;
    }
    const std::vector<char*> quizArguments(argv + std::min(argc, 2), argv + argc);
    const char* other = std::getenv("QUIZ_BENCH_PROGRAM");
    setenv("QT_PLUGIN_PATH", QUIZ_PROBE_PLUGIN_PATH, 1);
    setenv("QT_QPA_GENERIC_PLUGINS", "firstframeprobe", 1);

    const char* programs[] = {other != nullptr ? other : QUIZ_PROGRAM, BARE_PROGRAM};
    const std::vector<char*> arguments[] = {quizArguments, {}};
    for (int which : {0, 1}) {
        runOnce(programs[which], arguments[which]); // warm the file cache; not counted
    }
    std::vector<Sample> samples[2];
    for (int round = 0; round < runs; ++round) {
        const bool quizFirst = round % 2 == 0;
        for (const int which : {quizFirst ? 0 : 1, quizFirst ? 1 : 0}) {
            samples[which].push_back(runOnce(programs[which], arguments[which]));
        }
    }

    const Summary quiz = summarise(samples[0]);
    const Summary bare = summarise(samples[1]);
    std::printf("%s", programs[0]);
    for (const char* argument : quizArguments) {
        std::printf(" %s", argument);
    }
    std::printf(": %d runs each, medians\n", runs);
    std::printf("%-8s %12s %16s\n", "", "first frame", "peak RSS");
    std::printf("%-8s %9.1f ms %13ld KiB\n", "quiz", quiz.milliseconds, quiz.peakKilobytes);
    std::printf("%-8s %9.1f ms %13ld KiB\n", "bare", bare.milliseconds, bare.peakKilobytes);
    std::printf("%-8s %12.3f %16.3f\n", "ratio", quiz.milliseconds / bare.milliseconds,
                static_cast<double>(quiz.peakKilobytes) / static_cast<double>(bare.peakKilobytes));
    return 0;
}
