// A summary table filled with its columns measured once: each column keeps the way it is sized,
// and one that fits its contents fits what was filled in, as if measured cell by cell.

#include "window/common/summary_table.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTest>

using namespace quiz;

class SummaryTableTest : public QObject {
    Q_OBJECT

private slots:
    void columnsFitWhatWasFilledAndKeepTheirSizing() {
        QWidget window;
        QTableWidget* table = summaryTable("t", "t", {"A", "B", "C"}, &window);
        table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
        table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Interactive);
        table->setColumnWidth(2, 40);
        window.resize(900, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString wide = QStringLiteral("унгарски форинт - HUF, и още малко текст");
        fillMeasuringOnce(*table, [&] {
            table->setRowCount(30);
            for (int row = 0; row < 30; ++row) {
                for (int column = 0; column < 3; ++column) {
                    table->setItem(row, column, new QTableWidgetItem(row == 17 ? wide : "1"));
                }
            }
        });
        QCoreApplication::processEvents();
        const struct {
            int column;
            QHeaderView::ResizeMode mode;
        } cases[] = {{0, QHeaderView::ResizeToContents},
                     {1, QHeaderView::Stretch},
                     {2, QHeaderView::Interactive}};
        for (const auto& c : cases) {
            QCOMPARE(table->horizontalHeader()->sectionResizeMode(c.column), c.mode);
        }
        QVERIFY(table->columnWidth(0) >= table->fontMetrics().horizontalAdvance(wide));
        QCOMPARE(table->columnWidth(2), 40); // the teacher's width stays
    }
};

QTEST_MAIN(SummaryTableTest)
#include "summary_table_test.moc"
