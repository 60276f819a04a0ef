#pragma once

// A read-only table of figures that Tab reaches, so a screen reader can walk its cells.

#include <QStringList>

#include <functional>

class QTableWidget;
class QWidget;

namespace quiz {

// Whole rows are selected, cells never edited; columns fit their contents.
QTableWidget* summaryTable(const char* name, const char* accessibleName, const QStringList& headers,
                           QWidget* parent);

// Runs `fill` on `table` with its columns measured once, after it: a column that fits its
// contents measures every row again for each cell set, which for a class is thousands of texts.
void fillMeasuringOnce(QTableWidget& table, const std::function<void()>& fill);

} // namespace quiz
