#pragma once

// A read-only table of figures that Tab reaches, so a screen reader can walk its cells.

#include <QStringList>

class QTableWidget;
class QWidget;

namespace quiz {

// Whole rows are selected, cells never edited; columns fit their contents.
QTableWidget* summaryTable(const char* name, const char* accessibleName, const QStringList& headers,
                           QWidget* parent);

} // namespace quiz
