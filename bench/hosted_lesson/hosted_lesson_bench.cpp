// A class of pupils playing a hosted lesson at once on loopback: every answer in the class
// folder exactly once, each verdict's latency from pick to verdict, and the host's peak memory.

#include "bench/lesson_load.h"
#include "tests/support/lesson_client.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <cstdio>
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
    const std::vector<double> latencies = quiz::bench::playLesson(lesson, pupils, turns);
    const long peak = peakKilobytes(host.processId());
    const auto [rows, repeats] = rowsAndRepeats(folder.path());
    std::printf("pupils %d, turns %d: %zu verdicts, %d rows in the folder, %d repeated\n", pupils,
                turns, latencies.size(), rows, repeats);
    std::printf("verdict latency: median %.2f ms, 99th percentile %.2f ms; host peak memory %ld "
                "KiB\n",
                quiz::bench::percentile(latencies, 0.5), quiz::bench::percentile(latencies, 0.99), peak);
    host.kill();
    host.waitForFinished();
    return rows == pupils * turns && repeats == 0 ? 0 : 1;
}
