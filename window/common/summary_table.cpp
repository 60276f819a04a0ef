#include "window/common/summary_table.h"

#include <QHeaderView>
#include <QTableWidget>

#include <vector>

namespace quiz {

QTableWidget* summaryTable(const char* name, const char* accessibleName, const QStringList& headers,
                           QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(QString::fromUtf8(name));
    table->setAccessibleName(QString::fromUtf8(accessibleName));
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the table for the next control instead of walking its cells.
    table->setTabKeyNavigation(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

void fillMeasuringOnce(QTableWidget& table, const std::function<void()>& fill) {
    QHeaderView* header = table.horizontalHeader();
    std::vector<QHeaderView::ResizeMode> modes;
    for (int column = 0; column < header->count(); ++column) {
        modes.push_back(header->sectionResizeMode(column));
        header->setSectionResizeMode(column, QHeaderView::Fixed);
    }
    fill();
    for (int column = 0; column < static_cast<int>(modes.size()); ++column) {
        header->setSectionResizeMode(column, modes[static_cast<std::size_t>(column)]);
    }
}

} // namespace quiz
