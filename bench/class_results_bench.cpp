// Times reading a class's results folder, held in memory, and a live refresh after one new row.

#include "core/class/class_results.h"
#include "core/results/result_row.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Folder = std::vector<std::pair<std::string, std::string>>;

constexpr int kRepeats = 10;
constexpr int kSingleFeeds = 1001;

// A row as a run writes it; the answers follow a fixed pattern.
std::string row(const std::string& pupil, int turn, std::uint32_t seed = 2026) {
    const int second = turn % 60;
    const std::string time = "2026-12-08T09:" + std::to_string(10 + turn / 60 % 50) + ":" +
                             (second < 10 ? "0" : "") + std::to_string(second) + "+02:00";
    return quiz::csvLine({.time = time,
                          .seed = seed,
                          .turn = turn,
                          .currency = turn % 3 == 0 ? "GBP" : "USD",
                          .currencyName = turn % 3 == 0 ? "британски паунд - GBP " : "щатски долар",
                          .realSide = turn % 2,
                          .chosenSide = turn % 5 == 0 ? 1 - turn % 2 : turn % 2,
                          .spread = 0.09911,
                          .decimals = 5,
                          .level = turn % 5,
                          .data = "ecb",
                          .pupil = pupil,
                          .host = "PC07"});
}

Folder makeFolder(int files, int rows) {
    Folder folder;
    for (int file = 0; file < files; ++file) {
        const std::string pupil = "Ученик " + std::to_string(file % 30);
        std::string bytes = std::string(quiz::csvHeader()) + "\r\n";
        for (int turn = 1; turn <= rows; ++turn) {
            bytes += row(pupil, turn, static_cast<std::uint32_t>(file)); // one run per file
        }
        folder.emplace_back(pupil + "_PC07_" + std::to_string(file) + ".csv", std::move(bytes));
    }
    return folder;
}

double medianMs(const std::function<void()>& work, int repeats) {
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

quiz::ClassResults readAll(const Folder& folder) {
    quiz::ClassResults results;
    for (const auto& [name, bytes] : folder) {
        results.feed(name, bytes);
    }
    return results;
}

void measure(const char* title, int files, int rows) {
    const Folder folder = makeFolder(files, rows);
    std::size_t bytes = 0;
    for (const auto& file : folder) {
        bytes += file.second.size();
    }
    int answered = 0;
    const double read =
        medianMs([&] { answered = readAll(folder).summary().total.answered; }, kRepeats);
    const double readOnly = medianMs([&] { readAll(folder); }, kRepeats);

    quiz::ClassResults results = readAll(folder);
    int turn = rows;
    std::vector<std::string> newRows; // made beforehand, so only the feed is timed
    for (int i = 0; i < kSingleFeeds + kRepeats; ++i) {
        newRows.push_back(row("Ученик 0", ++turn));
    }
    std::size_t next = 0;
    const double feedOne =
        medianMs([&] { results.feed(folder.front().first, newRows[next++]); }, kSingleFeeds);
    const std::size_t rowBytes = newRows.front().size();
    const double refresh = medianMs(
        [&] {
            results.feed(folder.front().first, newRows[next++]);
            results.pupils();
            results.summary();
        },
        kRepeats);
    const double unchanged = medianMs(
        [&] {
            results.pupils();
            results.summary();
        },
        kRepeats);

    std::printf("%s: %d files x %d rows, %zu bytes, %d answers\n", title, files, rows, bytes,
                answered);
    std::printf("  read all, then summary:        %8.2f ms (median of %d)\n", read, kRepeats);
    std::printf("  read all only:                 %8.2f ms\n", readOnly);
    std::printf("  feed one new row (%zu bytes):  %8.4f ms (median of %d); reading costs "
                "%.4f ms per %zu bytes on average\n",
                rowBytes, feedOne, kSingleFeeds, readOnly * static_cast<double>(rowBytes) / bytes,
                rowBytes);
    std::printf("  one new row, then pupils() + summary(): %8.2f ms\n", refresh);
    std::printf("  nothing new, pupils() + summary():      %8.4f ms\n", unchanged);

    // Each run replayed from its seed with the ECB data, as the teacher's view does: paid once
    // for the rows there are, then a turn per new row.
    const auto ecb = [](std::string_view) { return quiz::DataSet::ecb(); };
    constexpr int kReplayRepeats = 3;
    const double replayAll = medianMs(
        [&] {
            quiz::ClassResults checked = readAll(folder);
            checked.checkReplays(ecb);
            checked.summary();
        },
        kReplayRepeats);
    quiz::ClassResults checked = readAll(folder);
    checked.checkReplays(ecb);
    checked.summary();
    const double replayOne = medianMs(
        [&] {
            checked.feed(folder.front().first, newRows[next++ % newRows.size()]);
            checked.summary();
        },
        kRepeats);
    std::printf("  read all, replayed, then summary:       %8.2f ms (median of %d)\n", replayAll,
                kReplayRepeats);
    std::printf("  one new row, replayed, then summary:    %8.2f ms\n", replayOne);
}

} // namespace

int main() {
    measure("a class", 30, 500);
    measure("many small files", 1000, 20);
}
