// The teacher's view driven offscreen: pupils from every file, rows that arrive while it is
// open, what it skips, a folder that goes away and comes back, and the exports.

#include "core/class_results.h"
#include "tests/support/find_control.h"
#include "window/teacher/teacher_window.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <cstdio>

using namespace quiz;

namespace {

const QByteArray kHeader = "time,seed,turn,currency,currency_name,real_side,chosen_side,right,"
                           "spread,level,data,pupil,host\r\n";
const QByteArray kOldHeader =
    "time,seed,turn,currency,currency_name,real_side,chosen_side,right,spread\r\n";

QByteArray row(int turn, bool right, const char* pupil, int level = 0) {
    return QStringLiteral("2026-12-08T09:%1:00+02:00,5,%2,USD,щатски долар - USD,1,%3,%4,0.04196,"
                          "%5,ecb,%6,PC07\r\n")
        .arg(turn, 2, 10, QLatin1Char('0'))
        .arg(turn)
        .arg(right ? 1 : 0)
        .arg(right ? 1 : 0)
        .arg(level)
        .arg(QString::fromUtf8(pupil))
        .toUtf8();
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

} // namespace

class TeacherWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsEveryPupilAndWhatItSkipped() {
        QTemporaryDir folder;
        const QString maria = folder.filePath(QStringLiteral("Мария_PC07_1.csv"));
        append(maria, kHeader + row(1, true, "Мария") + row(2, true, "Мария", 2));
        append(folder.filePath(QStringLiteral("old-log.csv")),
               kOldHeader +
                   "2026-12-08T09:00:00+02:00,5,1,USD,щатски долар - USD,1,0,0,0.04196\r\n");
        append(folder.filePath(QStringLiteral("notes.csv")), "just,some,notes\r\n");

        TeacherWindow window(folder.path(), NumberStyle{.decimalSeparator = ","});
        auto* pupils = findControl<QTableWidget>(window, "pupils");
        QCOMPARE(pupils->rowCount(), 2);
        pupils->sortItems(0);
        QCOMPARE(cell(*pupils, 0, 0), QStringLiteral("old-log")); // an old log's pupil: its file
        QCOMPARE(cell(*pupils, 1, 0), QStringLiteral("Мария"));
        QCOMPARE(cell(*pupils, 1, 1), QStringLiteral("2"));
        QCOMPARE(cell(*pupils, 1, 5), QStringLiteral("0, 2"));
        QVERIFY(findControl<QPlainTextEdit>(window, "skipped")
                    ->toPlainText()
                    .startsWith(QStringLiteral("notes.csv")));

        // A half-written row waits; once whole, it counts once.
        const QByteArray third = row(3, false, "Мария");
        append(maria, third.left(20));
        window.refresh();
        QCOMPARE(findControl<QTableWidget>(window, "pupils")->rowCount(), 2);
        QVERIFY(
            findControl<QLabel>(window, "totals")->text().contains(QStringLiteral("3 отговора")));
        append(maria, third.mid(20));
        window.refresh();
        QVERIFY(
            findControl<QLabel>(window, "totals")->text().contains(QStringLiteral("4 отговора")));

        // Sorted by answers, the order is numeric, not by text.
        pupils->sortItems(1, Qt::DescendingOrder);
        QCOMPARE(cell(*pupils, 0, 1), QStringLiteral("3"));
    }

    // An editor saves by writing a copy and renaming it over; a pipe must not block the view.
    void readsAReplacedFileAnewAndNamesWhatIsNoFile() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("a.csv"));
        append(path, kHeader + row(1, true, "А") + row(2, true, "А"));
        QVERIFY(mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("pipe.csv"))), 0600) == 0);
        TeacherWindow window(folder.path(), NumberStyle{});
        const QString copy = folder.filePath(QStringLiteral("a.tmp"));
        append(copy, kHeader + row(1, false, "А") + row(2, false, "А") + row(3, false, "А"));
        QVERIFY(std::rename(QFile::encodeName(copy), QFile::encodeName(path)) == 0);
        window.refresh();
        QVERIFY(findControl<QLabel>(window, "totals")
                    ->text()
                    .contains(QStringLiteral("3 отговора, 0 верни")));
        QCOMPARE(findControl<QPlainTextEdit>(window, "skipped")->toPlainText(),
                 QStringLiteral("pipe.csv: не е обикновен файл"));

        // The same length and the same end, but the first answer changed.
        append(copy, kHeader + row(1, true, "А") + row(2, false, "А") + row(3, false, "А"));
        QVERIFY(std::rename(QFile::encodeName(copy), QFile::encodeName(path)) == 0);
        window.refresh();
        QVERIFY(findControl<QLabel>(window, "totals")
                    ->text()
                    .contains(QStringLiteral("3 отговора, 1 верни")));
    }

    void keepsWorkingWhenTheFolderGoesAwayAndComesBack() {
        QTemporaryDir parent;
        const QString path = parent.filePath(QStringLiteral("class"));
        QVERIFY(QDir().mkpath(path));
        append(path + QStringLiteral("/a.csv"), kHeader + row(1, true, "А"));
        TeacherWindow window(path, NumberStyle{});
        QVERIFY(QDir(path).removeRecursively());
        window.refresh();
        QVERIFY(findControl<QLabel>(window, "status")
                    ->text()
                    .contains(QStringLiteral("не е достъпна")));
        QCOMPARE(findControl<QTableWidget>(window, "pupils")->rowCount(), 1); // what it had stays

        QVERIFY(QDir().mkpath(path));
        append(path + QStringLiteral("/b.csv"), kHeader + row(1, false, "Б"));
        window.refresh();
        QCOMPARE(findControl<QTableWidget>(window, "pupils")->rowCount(), 1); // a.csv is gone
        QCOMPARE(cell(*findControl<QTableWidget>(window, "pupils"), 0, 0), QStringLiteral("Б"));
    }

    void exportsTheClassInBothFormsAndNothingElseInTheFolder() {
        QTemporaryDir folder;
        append(folder.filePath(QStringLiteral("a.csv")), kHeader + row(1, true, "А"));
        TeacherWindow window(folder.path(), NumberStyle{});
        QTemporaryDir out;
        for (const ExportForm form : {ExportForm::Plain, ExportForm::BulgarianExcel}) {
            const QString path = out.filePath(QStringLiteral("class.csv"));
            QVERIFY(window.exportTo(path, form));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            ClassResults results;
            results.feed("a.csv", (kHeader + row(1, true, "А")).toStdString());
            QCOMPARE(file.readAll().toStdString(), exportCsv(results.pupils(), form));
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.csv")});
    }
};

QTEST_MAIN(TeacherWindowTest)
#include "teacher_window_test.moc"
