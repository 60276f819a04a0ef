#pragma once

// A small file of rates the quiz takes: one currency, enough days for its turns.

#include <QByteArray>
#include <QDate>

inline QByteArray dailyRates(double start = 1.1) {
    QByteArray text = "date,XYZ\n";
    for (int day = 0; day < 80; ++day) {
        text += QDate(2025, 1, 1).addDays(day).toString(Qt::ISODate).toUtf8() + ',' +
                QByteArray::number(start + 0.0017 * ((day * 7) % 13), 'f', 4) + '\n';
    }
    return text;
}
