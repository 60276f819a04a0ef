#pragma once

// The benchmarks' load on a hosted lesson: pupils who join at once and play turn after turn,
// each pick's verdict timed; and the percentile the figures are told in.

#include "tests/support/lesson_client.h"

#include <QElapsedTimer>

#include <algorithm>
#include <memory>
#include <vector>

namespace quiz::bench {

inline double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

// `pupils` join `lesson` and play `turns` turns, all picking at once; each verdict's latency
// from its pick, in milliseconds.
inline std::vector<double> playLesson(const testing::HostedLesson& lesson, int pupils, int turns) {
    using testing::LessonClient;
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
    return latencies;
}

} // namespace quiz::bench
