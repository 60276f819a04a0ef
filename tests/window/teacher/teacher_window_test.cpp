// The teacher's view driven offscreen: pupils from every file, rows that arrive while it is
// open, what it skips, a folder that goes away and comes back, and the exports.

#include "core/class/class_export.h"
#include "core/class/class_results.h"
#include "core/quiz/quiz_model.h"
#include "core/results/class_file_name.h"
#include "core/results/result_row.h"
#include "core/turns/level.h"
#include "core/turns/turn.h"
#include "tests/support/class_rows.h"
#include "tests/support/find_control.h"
#include "window/teacher/export_words.h"
#include "window/teacher/teacher_window.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <cstdio>

using namespace quiz;

namespace {

const QByteArray kHeader = kClassHeader;
const QByteArray kOldHeader =
    "time,seed,turn,currency,currency_name,real_side,chosen_side,right,spread\r\n";

// A row the quiz could have written: each is the first turn of its own seed, `turn`, which the
// view replays.
QByteArray row(int turn, bool right, const char* pupil, int level = 0) {
    return dealtRow(turn, right, QString::fromUtf8(pupil), level, turn);
}

// A pupil's file of a run at the level that adapts, as the quiz deals and logs it: seed 31, the
// answers in `pattern` ("R" right, "W" wrong), a minute apart.
QByteArray adaptiveRun(const char* pupil, const std::string& pattern) {
    QuizModel quiz(std::make_unique<SeededRandomSource>(31), {}, DataSet::ecb(), kAdaptiveLevel);
    quiz.Form_Load("");
    QByteArray rows = QByteArray::fromStdString(std::string(csvHeader())) + "\r\n";
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const Turn& turn = quiz.turn();
        const bool right = pattern[i] == 'R';
        rows += QStringLiteral("2026-12-08T10:%1:00+02:00,31,%2,%3,валута,%4,%5,%6,0.04196,"
                               "%7,ecb,%8,PC07,%9,000000000000001f,\r\n")
                    .arg(static_cast<int>(i), 2, 10, QLatin1Char('0'))
                    .arg(quiz.turnNumber())
                    .arg(QString::fromStdString(turn.code))
                    .arg(turn.RealSide)
                    .arg(right ? turn.RealSide : 1 - turn.RealSide)
                    .arg(right ? 1 : 0)
                    .arg(turn.level)
                    .arg(QString::fromUtf8(pupil))
                    .arg(quiz.turnStaircase())
                    .toUtf8();
        quiz.Option1_Click(right ? turn.RealSide : 1 - turn.RealSide);
        quiz.Command1_Click();
    }
    return rows;
}

void append(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::Append) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

QString cell(const QTableWidget& table, int row, int column) {
    return table.item(row, column)->text();
}

// Asks for a reading and waits until it is on screen.
bool read(TeacherWindow& window) {
    window.refresh();
    return QTest::qWaitFor([&] { return !window.reading(); });
}

QString notes(const TeacherWindow& window) {
    return findControl<QPlainTextEdit>(window, "skipped")->toPlainText();
}

QString status(const TeacherWindow& window) {
    return findControl<QLabel>(window, "status")->text();
}

} // namespace

class TeacherWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsEveryPupilAndWhatItSkipped() {
        QTemporaryDir folder;
        const QString maria = folder.filePath(QStringLiteral("Мария_PC07_1.csv"));
        append(maria, kHeader + row(1, true, "Мария") + row(2, true, "Мария", 2));
        SeededRandomSource random(5);
        const Turn old = NewTurn(random, {});
        append(folder.filePath(QStringLiteral("old-log.csv")),
               kOldHeader +
                   QStringLiteral("2026-12-08T09:00:00+02:00,5,1,%1,долар,%2,%3,0,0.04196\r\n")
                       .arg(QString::fromStdString(old.code))
                       .arg(old.RealSide)
                       .arg(1 - old.RealSide)
                       .toUtf8());
        append(folder.filePath(QStringLiteral("notes.csv")), "just,some,notes\r\n");

        TeacherWindow window(folder.path(), NumberStyle{.decimalSeparator = ","});
        QVERIFY(read(window));
        auto* pupils = findControl<QTableWidget>(window, "pupils");
        QCOMPARE(pupils->rowCount(), 2);
        QCOMPARE(cell(*pupils, 0, 0), QStringLiteral("old-log")); // an old log's pupil: its file
        QCOMPARE(cell(*pupils, 1, 0), QStringLiteral("Мария"));
        QCOMPARE(cell(*pupils, 1, 1), QStringLiteral("PC07"));
        QCOMPARE(cell(*pupils, 1, 2), QStringLiteral("2"));
        QCOMPARE(cell(*pupils, 1, 6), QStringLiteral("0, 2"));
        QVERIFY(findControl<QPlainTextEdit>(window, "skipped")
                    ->toPlainText()
                    .startsWith(QStringLiteral("notes.csv")));

        // A half-written row waits; once whole, it counts once.
        const QByteArray third = row(3, false, "Мария");
        append(maria, third.left(20));
        QVERIFY(read(window));
        QCOMPARE(findControl<QTableWidget>(window, "pupils")->rowCount(), 2);
        QVERIFY(
            findControl<QLabel>(window, "totals")->text().contains(QStringLiteral("3 отговора")));
        append(maria, third.mid(20));
        QVERIFY(read(window));
        QVERIFY(
            findControl<QLabel>(window, "totals")->text().contains(QStringLiteral("4 отговора")));

        // Sorted by answers, the order is numeric, not by text.
        pupils->sortItems(2, Qt::DescendingOrder);
        QCOMPARE(cell(*pupils, 0, 2), QStringLiteral("3"));
    }

    // An editor saves by writing a copy and renaming it over; a pipe must not block the view.
    void readsAReplacedFileAnewAndNamesWhatIsNoFile() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("А_PC07_1.csv"));
        append(path, kHeader + row(1, true, "А") + row(2, true, "А"));
        QVERIFY(mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("pipe.csv"))), 0600) == 0);
        TeacherWindow window(folder.path(), NumberStyle{});
        const QString copy = folder.filePath(QStringLiteral("a.tmp"));
        append(copy, kHeader + row(1, false, "А") + row(2, false, "А") + row(3, false, "А"));
        QVERIFY(std::rename(QFile::encodeName(copy), QFile::encodeName(path)) == 0);
        QVERIFY(read(window));
        QVERIFY(findControl<QLabel>(window, "totals")
                    ->text()
                    .contains(QStringLiteral("3 отговора, 0 верни")));
        QCOMPARE(findControl<QPlainTextEdit>(window, "skipped")->toPlainText(),
                 QStringLiteral("pipe.csv: не е обикновен файл"));

        // The same length and the same end, but the first answer changed.
        append(copy, kHeader + row(1, true, "А") + row(2, false, "А") + row(3, false, "А"));
        QVERIFY(std::rename(QFile::encodeName(copy), QFile::encodeName(path)) == 0);
        QVERIFY(read(window));
        QVERIFY(findControl<QLabel>(window, "totals")
                    ->text()
                    .contains(QStringLiteral("3 отговора, 1 верни")));
    }

    void keepsWorkingWhenTheFolderGoesAwayAndComesBack() {
        QTemporaryDir parent;
        const QString path = parent.filePath(QStringLiteral("class"));
        QVERIFY(QDir().mkpath(path));
        append(path + QStringLiteral("/А.csv"), kHeader + row(1, true, "А"));
        TeacherWindow window(path, NumberStyle{});
        QVERIFY(read(window));
        QVERIFY(QDir(path).removeRecursively());
        QVERIFY(read(window));
        QVERIFY(status(window).contains(QStringLiteral("не е достъпна")));
        QCOMPARE(findControl<QTableWidget>(window, "pupils")->rowCount(), 1); // what it had stays

        QVERIFY(QDir().mkpath(path));
        append(path + QStringLiteral("/Б.csv"), kHeader + row(1, false, "Б"));
        QVERIFY(read(window));
        // А.csv is gone: what was read of it stays, and the view says so.
        QCOMPARE(findControl<QTableWidget>(window, "pupils")->rowCount(), 2);
        QCOMPARE(cell(*findControl<QTableWidget>(window, "pupils"), 1, 0), QStringLiteral("Б"));
        QVERIFY(notes(window).startsWith(QStringLiteral("А.csv: файлът вече не е в папката")));
    }

    void exportsTheClassInBothFormsAndNothingElseInTheFolder() {
        QTemporaryDir folder;
        append(folder.filePath(QStringLiteral("А.csv")), kHeader + row(1, true, "А"));
        TeacherWindow window(folder.path(), NumberStyle{});
        QVERIFY(read(window));
        QTemporaryDir out;
        for (const ExportForm form : {ExportForm::Plain, ExportForm::BulgarianExcel}) {
            const QString path = out.filePath(QStringLiteral("class.csv"));
            QVERIFY(window.exportTo(path, form));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            ClassResults results;
            results.feed("А.csv", (kHeader + row(1, true, "А")).toStdString());
            const std::string bytes = file.readAll().toStdString();
            QCOMPARE(bytes, exportCsv(results.pupils(), form, excelExportWords()));
            if (form == ExportForm::BulgarianExcel) {
                QVERIFY(bytes.starts_with(
                    "\xEF\xBB\xBFУченик;Компютър;Отговори;Верни;Точност, %;Най-дълга серия;Нива;"
                    "Данни;Отговори над ниво 0;Верни над ниво 0;Шанс при налучкване, %;"
                    "Над налучкването;Достигнато ниво;Обръщания на трудността\r\n"));
            }
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("А.csv")});
    }

#ifdef QUIZ_HAVE_XLSX
    // „Запиши за Excel…“ writes a workbook unless the name typed ends in .csv; one left without
    // an extension gets .xlsx.
    void exportsAWorkbookForExcelUnlessTheNameIsCsv() {
        QTemporaryDir folder;
        append(folder.filePath(QStringLiteral("А.csv")), kHeader + row(1, true, "А"));
        TeacherWindow window(folder.path(), NumberStyle{});
        QVERIFY(read(window));
        QTemporaryDir out;
        const struct {
            const char* typed;
            const char* written;
            QByteArray start;
        } cases[] = {{"клас.xlsx", "клас.xlsx", "PK\x03\x04"},
                     {"клас", "клас.xlsx", "PK\x03\x04"},
                     {"клас.csv", "клас.csv", "\xEF\xBB\xBF\xD0\xA3"}}; // "Ученик" after a BOM
        for (const auto& c : cases) {
            QVERIFY(window.exportTo(out.filePath(QString::fromUtf8(c.typed)),
                                    ExportForm::BulgarianExcel));
            QFile file(out.filePath(QString::fromUtf8(c.written)));
            QVERIFY2(file.open(QIODevice::ReadOnly), c.typed);
            QVERIFY2(file.readAll().startsWith(c.start), c.typed);
        }
        QCOMPARE(QDir(out.path()).entryList(QDir::Files).size(), 2);
    }
#endif

    // Every 3 s the table is filled again: equal rows keep their places and the selection
    // stays on its pupil.
    void keepsOrderAndSelectionAtEachRefresh() {
        QTemporaryDir folder;
        for (const char* name : {"Вера", "Ана", "Боян", "Гошо"}) {
            append(folder.filePath(QString::fromUtf8(name) + QStringLiteral(".csv")),
                   kHeader + row(1, true, name));
        }
        append(folder.filePath(QStringLiteral("Вера.csv")), row(2, true, "Вера"));
        TeacherWindow window(folder.path(), NumberStyle{});
        QVERIFY(read(window));
        auto* pupils = findControl<QTableWidget>(window, "pupils");
        const auto names = [&] {
            QStringList texts;
            for (int row = 0; row < pupils->rowCount(); ++row) {
                texts << cell(*pupils, row, 0);
            }
            return texts.join(u' ');
        };
        QCOMPARE(names(), QStringLiteral("Ана Боян Вера Гошо")); // by name, rising, at first
        pupils->sortItems(2, Qt::DescendingOrder); // answers: the others have one each
        QCOMPARE(names(), QStringLiteral("Вера Ана Боян Гошо"));
        pupils->selectRow(2);
        for (int refresh = 0; refresh < 3; ++refresh) {
            append(folder.filePath(QStringLiteral("Гошо.csv")), QByteArray());
            QVERIFY(read(window));
            QCOMPARE(names(), QStringLiteral("Вера Ана Боян Гошо"));
        }
        QCOMPARE(pupils->selectedItems().front()->text(), QStringLiteral("Боян"));
        append(folder.filePath(QStringLiteral("Гошо.csv")),
               row(3, true, "Гошо") + row(4, true, "Гошо"));
        QVERIFY(read(window)); // Гошо moves up; the selection stays with Боян
        QCOMPARE(names(), QStringLiteral("Гошо Вера Ана Боян"));
        QCOMPARE(pupils->selectedItems().front()->text(), QStringLiteral("Боян"));
    }

    // Five of five right is luck once in 32 for one pupil, but not rare enough among two:
    // the class's count allows for how many were tested, and its tooltip says by what method.
    void theClassVerdictAllowsForThePupilsTested() {
        QTemporaryDir folder;
        QByteArray lucky = kHeader;
        for (int turn = 1; turn <= 5; ++turn) {
            lucky += row(turn, true, "А", 2);
        }
        append(folder.filePath(QStringLiteral("А.csv")), lucky);
        append(folder.filePath(QStringLiteral("Б.csv")), kHeader + row(9, false, "Б", 2));
        TeacherWindow window(folder.path(), NumberStyle{.decimalSeparator = ","});
        QVERIFY(read(window));
        const auto* totals = findControl<QLabel>(window, "totals");
        QVERIFY2(totals->text().contains(QStringLiteral("налучкването се справят 0 от 2 ученици")),
                 qPrintable(totals->text()));
        QVERIFY(totals->toolTip().contains(QStringLiteral("Holm")));
        const auto* pupils = findControl<QTableWidget>(window, "pupils");
        QCOMPARE(cell(*pupils, 0, 8), QString::fromUtf8("3,1\u00A0%")); // its own chance stays
        QCOMPARE(cell(*pupils, 0, 9), QStringLiteral("не"));
        QVERIFY(pupils->horizontalHeaderItem(9)->toolTip().contains(QStringLiteral("Holm")));
    }

    // Before anyone answers, the pupil's column is wide enough for its header and sort mark.
    void anEmptyClassShowsItsHeadersWhole() {
        QTemporaryDir folder;
        TeacherWindow window(folder.path(), NumberStyle{});
        const auto* pupils = findControl<QTableWidget>(window, "pupils");
        QVERIFY(pupils->columnWidth(0) >= pupils->horizontalHeader()->sectionSizeHint(0));
        QVERIFY(read(window));
        // Nobody to judge against guessing yet: no "0 от 0".
        QVERIFY(!findControl<QLabel>(window, "totals")
                     ->text()
                     .contains(QStringLiteral("налучкването")));
    }

    // 900 px is the width the window opens with on a 1366×768 screen.
    void showsEveryColumnFrom900PixelsAndLongNamesWhole() {
        QTemporaryDir folder;
        const QByteArray name =
            QStringLiteral("Александра-Мария Константинова-Попхристова 7б").toUtf8();
        append(
            folder.filePath(QString::fromStdString(classFileName(name.toStdString(), "PC07", 0))),
            kHeader + row(1, true, name.data(), 4));
        TeacherWindow window(folder.path(), NumberStyle{});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(read(window));
        auto* pupils = findControl<QTableWidget>(window, "pupils");
        QCOMPARE(pupils->rowCount(), 1);
        QCOMPARE(pupils->item(0, 0)->toolTip(), QString::fromUtf8(name));
        QCOMPARE(pupils->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
        // The name is cut to fit, its header's word never.
        const QHeaderView* header = pupils->horizontalHeader();
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int column = 0; column < pupils->columnCount(); ++column) {
            for (const QString& line : pupils->horizontalHeaderItem(column)->text().split(u'\n')) {
                QVERIFY2(pupils->columnWidth(column) >=
                             header->fontMetrics().horizontalAdvance(line) + 2 * margin,
                         qPrintable(line));
            }
        }
        auto* levels = findControl<QTableWidget>(window, "byLevel");
        QCOMPARE(levels->item(0, 0)->toolTip(), levels->item(0, 0)->text());
        for (const int width : {900, 1024, 1366}) {
            window.resize(width, 700);
            QCoreApplication::processEvents();
            // The window scrolls down only: nothing of it lies to the right.
            const auto* scroll = window.findChild<QScrollArea*>();
            QVERIFY2(scroll->horizontalScrollBar()->maximum() == 0,
                     qPrintable(QStringLiteral("the window scrolls sideways at %1 px by %2")
                                    .arg(width)
                                    .arg(scroll->horizontalScrollBar()->maximum())));
            for (const char* tableName : {"pupils", "byLevel", "byCurrency"}) {
                auto* table = findControl<QTableWidget>(window, tableName);
                const int last = table->columnCount() - 1;
                QVERIFY2(table->horizontalHeader()->sectionViewportPosition(last) +
                                 table->horizontalHeader()->sectionSize(last) <=
                             table->viewport()->width(),
                         qPrintable(QStringLiteral("%1 at %2 px: the last column is off-screen")
                                        .arg(QString::fromUtf8(tableName))
                                        .arg(width)));
            }
        }
    }

    // From the pupil's own rows: the mean of the last reversals, for now until there are six.
    void showsTheLevelEachPupilReached() {
        QTemporaryDir folder;
        // Levels 1, 1, 1, 2, 2, 2, 3, 2, 2, 2, 3: reversals at 3 and 2.
        append(folder.filePath(QStringLiteral("А.csv")), adaptiveRun("А", "RRRRRRWRRRR"));
        append(folder.filePath(QStringLiteral("Б.csv")), adaptiveRun("Б", "RRRR"));
        append(folder.filePath(QStringLiteral("В.csv")), kHeader + row(1, true, "В", 3));
        // Levels 1, 1, 1, 2 and down again, four times: reversals at 2, 1, 2, 1, 2, 1.
        append(folder.filePath(QStringLiteral("Г.csv")), adaptiveRun("Г", "RRRWRRRWRRRWRRRW"));
        TeacherWindow window(folder.path(), NumberStyle{.decimalSeparator = ","});
        QVERIFY(read(window));
        auto* pupils = findControl<QTableWidget>(window, "pupils");
        QCOMPARE(pupils->rowCount(), 4);
        QCOMPARE(cell(*pupils, 0, 2), QStringLiteral("11")); // every row replayed from its seed
        const int reached = pupils->columnCount() - 1;
        QCOMPARE(cell(*pupils, 0, reached), QStringLiteral("засега 2,5 (2 от 6 обръщания)"));
        QCOMPARE(cell(*pupils, 1, reached), QStringLiteral("засега 2 (0 от 6 обръщания)"));
        QCOMPARE(cell(*pupils, 2, reached), QStringLiteral("—"));
        QCOMPARE(cell(*pupils, 3, reached), QStringLiteral("1,5"));
        QVERIFY(pupils->horizontalHeaderItem(reached)->toolTip().startsWith(
            QStringLiteral("Достигнато ниво")));
    }

    void namesFilesItLeftOutAndFilesGoneAndAnEmptiedFolder() {
        QTemporaryDir folder;
        append(folder.filePath(QStringLiteral("ivan_PC03_1.csv")),
               kHeader + row(1, true, "maria").replace("PC07", "PC03"));
        append(folder.filePath(QStringLiteral("Б.csv")), kHeader + row(1, false, "Б"));
        TeacherWindow window(folder.path(), NumberStyle{});
        QVERIFY(status(window).startsWith(QStringLiteral("Чета папката"))); // not read yet
        QVERIFY(read(window));
        QCOMPARE(findControl<QTableWidget>(window, "pupils")->rowCount(), 1);
        QCOMPARE(notes(window),
                 QStringLiteral("Не са броени или не могат да се проверят:\nivan_PC03_1.csv: не е "
                                "броен – ред 2: редът е на "
                                "'maria' от 'PC03', а името на файла – не"));

        QVERIFY(QFile::remove(folder.filePath(QStringLiteral("Б.csv"))));
        QVERIFY(read(window));
        QCOMPARE(findControl<QTableWidget>(window, "pupils")->rowCount(), 1);
        QVERIFY(notes(window).contains(QStringLiteral("Б.csv: файлът вече не е в папката")));

        QVERIFY(QFile::remove(folder.filePath(QStringLiteral("ivan_PC03_1.csv"))));
        QVERIFY(read(window));
        QVERIFY(status(window).contains(QStringLiteral("изведнъж е празна")));
        QCOMPARE(findControl<QTableWidget>(window, "pupils")->rowCount(), 1);
    }
};

QTEST_MAIN(TeacherWindowTest)
#include "teacher_window_test.moc"
