// A class of pupils playing a hosted lesson at once on loopback: every answer in the class
// folder exactly once, each verdict's latency from pick to verdict, and the host's peak memory.

#include "tests/support/lesson_client.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace quiz::testing;

namespace {

// The host's peak resident memory in KiB, as Linux tells it; 0 elsewhere.
long peakKilobytes(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return 0;
}

// Rows in the folder, and how many of them repeat a pupil's run and turn.
std::pair<int, int> rowsAndRepeats(const QString& folder) {
    QSet<QByteArray> seen;
    int rows = 0;
    int repeats = 0;
    for (const QFileInfo& info : QDir(folder).entryInfoList({QStringLiteral("*.csv")})) {
        QFile file(info.absoluteFilePath());
        file.open(QIODevice::ReadOnly);
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QList<QByteArray> fields = lines[i].split(',');
            if (fields.size() > 14) {
                ++rows;
                repeats += seen.contains(fields[11] + fields[14] + fields[2]) ? 1 : 0;
                seen.insert(fields[11] + fields[14] + fields[2]);
            }
        }
    }
    return {rows, repeats};
}

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

} // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    const int pupils = argc > 1 ? std::atoi(argv[1]) : 40;
    const int turns = argc > 2 ? std::atoi(argv[2]) : 50;
    QTemporaryDir folder;
    QProcess host;
    const HostedLesson lesson = startHost(host, QStringLiteral(QUIZ_PROGRAM), folder.path());
    if (lesson.url.isEmpty()) {
        std::fprintf(stderr, "hosted_lesson_bench: the host did not start\n");
        return 1;
    }
    std::vector<std::unique_ptr<LessonClient>> clients;
    for (int i = 0; i < pupils; ++i) {
        clients.push_back(std::make_unique<LessonClient>(QStringLiteral("bench-device-%1").arg(i)));
        clients.back()->open(lesson.socketUrl());
        clients.back()->join(QStringLiteral("Ученик %1").arg(i), lesson.code);
        clients.back()->receiveKind(QStringLiteral("turn"));
    }
    std::vector<double> latencies;
    QElapsedTimer clock;
    clock.start();
    for (int t = 0; t < turns; ++t) {
        std::vector<qint64> sent;
        for (auto& client : clients) {
            sent.push_back(clock.nsecsElapsed());
            client->pick(client->turn, t % 2);
        }
        for (std::size_t i = 0; i < clients.size(); ++i) {
            if (clients[i]->receive()[QStringLiteral("kind")] == QStringLiteral("judged")) {
                latencies.push_back(static_cast<double>(clock.nsecsElapsed() - sent[i]) / 1e6);
            }
            clients[i]->next();
        }
        for (auto& client : clients) {
            client->receiveKind(QStringLiteral("turn"));
        }
    }
    const long peak = peakKilobytes(host.processId());
    const auto [rows, repeats] = rowsAndRepeats(folder.path());
    std::printf("pupils %d, turns %d: %zu verdicts, %d rows in the folder, %d repeated\n", pupils,
                turns, latencies.size(), rows, repeats);
    std::printf("verdict latency: median %.2f ms, 99th percentile %.2f ms; host peak memory %ld "
                "KiB\n",
                percentile(latencies, 0.5), percentile(latencies, 0.99), peak);
    host.kill();
    host.waitForFinished();
    return rows == pupils * turns && repeats == 0 ? 0 : 1;
}
