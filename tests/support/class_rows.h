#pragma once

// Rows of a pupil's results file as the quiz writes them, for the teacher's-view tests: each is
// the first turn of its own seed, so the view's replay accepts it.

#include "core/data/data_set.h"
#include "core/random/random_source.h"
#include "core/turns/turn.h"

#include <QByteArray>
#include <QLatin1Char>
#include <QString>

#include <cstdint>

inline const QByteArray kClassHeader =
    "time,seed,turn,currency,currency_name,real_side,chosen_side,right,spread,level,data,pupil,"
    "host\r\n";

// The row of seed `seed`'s first turn on PC07, answered rightly or not at `minute` past nine.
inline QByteArray dealtRow(int seed, bool right, const QString& pupil, int level, int minute) {
    quiz::SeededRandomSource random(static_cast<std::uint32_t>(seed));
    const quiz::Turn dealt = quiz::NewTurn(random, {}, *quiz::DataSet::ecb(), level);
    const int chosen = right ? dealt.RealSide : 1 - dealt.RealSide;
    return QStringLiteral("2026-12-08T09:%1:00+02:00,%2,1,%3,валута,%4,%5,%6,0.04196,"
                          "%7,ecb,%8,PC07\r\n")
        .arg(minute, 2, 10, QLatin1Char('0'))
        .arg(seed)
        .arg(QString::fromStdString(dealt.code))
        .arg(dealt.RealSide)
        .arg(chosen)
        .arg(right ? 1 : 0)
        .arg(level)
        .arg(pupil)
        .toUtf8();
}
