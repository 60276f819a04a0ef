// The teacher's view started as --teacher starts it, on a class folder of real files: a copied
// file, a forged one, a shared login on three computers, rows their seed never dealt (of the
// ECB data and of a teacher's file in the folder), a 40 GB sparse file, a stray file, a deleted
// file and finally an emptied mount point.

#include "app/command_line.h"
#include "app/startup.h"
#include "core/data/content_id.h"
#include "core/data/rate_table.h"
#include "core/turns/turn.h"
#include "service/class/class_folder.h"
#include "tests/support/find_control.h"
#include "window/teacher/teacher_window.h"

#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace quiz;

namespace {

const QByteArray kHeader = "time,seed,turn,currency,currency_name,real_side,chosen_side,right,"
                           "spread,level,data,pupil,host\r\n";

// The rows a run of `seed` writes for `turns` answers at level 2 of `data`, every third answer
// wrong; `shift` seconds later for a hand-made copy, `forged` the turn whose real side is
// turned over.
QByteArray run(std::uint32_t seed, int turns, const char* pupil, const char* host, int shift = 0,
               int forged = 0, const DataSet& data = *DataSet::ecb()) {
    SeededRandomSource random(seed);
    QByteArray rows = kHeader;
    for (int turn = 1; turn <= turns; ++turn) {
        const Turn dealt = NewTurn(random, {}, data, 2);
        const int real = turn == forged ? 1 - dealt.RealSide : dealt.RealSide;
        const bool right = turn % 3 != 0;
        rows += QStringLiteral("2026-12-08T09:00:%1+02:00,%2,%3,%4,валута,%5,%6,%7,0.1,2,%8,%9,"
                               "%10\r\n")
                    .arg(turn * 5 + shift, 2, 10, QLatin1Char('0'))
                    .arg(seed)
                    .arg(turn)
                    .arg(QString::fromStdString(dealt.code))
                    .arg(real)
                    .arg(right ? real : 1 - real)
                    .arg(right ? 1 : 0)
                    .arg(QString::fromStdString(data.id()), QString::fromUtf8(pupil),
                         QString::fromUtf8(host))
                    .toUtf8();
    }
    return rows;
}

// A teacher's file of rates, as --data reads it, and the data set the quiz makes of it.
QByteArray teachersRates() {
    QByteArray rates = "date,XYZ\n";
    for (int day = 0; day < 80; ++day) {
        rates += QDate(2025, 1, 1).addDays(day).toString(Qt::ISODate).toUtf8() + ',' +
                 QByteArray::number(1.1 + 0.0017 * ((day * 7) % 13), 'f', 4) + '\n';
    }
    return rates;
}

std::shared_ptr<const DataSet> teachersData(const QByteArray& rates) {
    const std::string_view bytes(rates.constData(), std::size_t(rates.size()));
    return DataSet::fromTable(readRateTable(bytes, "kursove.csv"), DataKind::File,
                              "курсове-7б.csv@" + contentId(bytes), "kursove.csv");
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

bool read(TeacherWindow& window) {
    window.refresh();
    return QTest::qWaitFor([&] { return !window.reading(); });
}

} // namespace

class TeacherClassFolderTest : public QObject {
    Q_OBJECT

private slots:
    void countsWhatCanBeTrustedAndSaysWhatIsNot() {
        QTemporaryDir folder;
        const auto at = [&](const char* name) { return folder.filePath(QString::fromUtf8(name)); };
        write(at("maria_PC01_2026-12-08T07-00-00Z.csv"), run(11, 4, "maria", "PC01"));
        write(at("maria_PC01_2026-12-08T07-00-00Z (copy).csv"), run(11, 4, "maria", "PC01", 1));
        write(at("ivan_PC02_2026-12-08T07-00-00Z.csv"), run(12, 6, "maria", "PC02"));
        write(at("student_PC07_2026-12-08T07-00-00Z.csv"), run(21, 2, "student", "PC07"));
        write(at("student_PC08_2026-12-08T07-00-00Z.csv"), run(22, 2, "student", "PC08"));
        write(at("student_PC09_2026-12-08T07-00-00Z.csv"), run(23, 2, "student", "PC09"));
        write(at("gosho_PC06_2026-12-08T07-00-00Z.csv"), run(31, 4, "gosho", "PC06", 0, 2));
        write(at("petar_PC05_2026-12-08T07-00-00Z.csv"), run(41, 2, "petar", "PC05"));
        write(at("notes.csv"), QByteArray(5 * 1024 * 1024, 'x'));
        // The teacher's data is known by its hash, whatever name the pupil loaded it by.
        const QByteArray rates = teachersRates();
        write(at("kursove.csv"), rates);
        write(at("vera_PC04_2026-12-08T07-00-00Z.csv"),
              run(51, 4, "vera", "PC04", 0, 3, *teachersData(rates)));
        QFile sparse(at("zz.csv"));
        QVERIFY(sparse.open(QIODevice::WriteOnly));
        QVERIFY(sparse.resize(qint64{40} * 1024 * 1024 * 1024)); // as truncate -s 40G: no disk used
        sparse.close();

        const CommandLine line = parseCommandLine(
            {QStringLiteral("realdataquiz"), QStringLiteral("--teacher"), folder.path()});
        QString refusal;
        const std::unique_ptr<TeacherWindow> window = startTeacher(line, QLocale::c(), refusal);
        QVERIFY2(window, qPrintable(refusal));
        // The window is there before the folder is read.
        const auto* status = findControl<QLabel>(*window, "status");
        QVERIFY(status->text().startsWith(QStringLiteral("Чета папката")));
        QVERIFY(read(*window));

        auto* pupils = findControl<QTableWidget>(*window, "pupils");
        QStringList rows;
        for (int row = 0; row < pupils->rowCount(); ++row) {
            rows << pupils->item(row, 0)->text() + u' ' + pupils->item(row, 1)->text() + u' ' +
                        pupils->item(row, 2)->text();
        }
        QCOMPARE(rows,
                 (QStringList{"gosho PC06 3", "maria PC01 4", "petar PC05 2", "student PC07 2",
                              "student PC08 2", "student PC09 2", "vera PC04 3"}));
        const QString notes = findControl<QPlainTextEdit>(*window, "skipped")->toPlainText();
        for (const QString& said :
             {QStringLiteral("gosho_PC06_2026-12-08T07-00-00Z.csv:3: не е броен – началното "
                             "число 31 не дава такава реална страна или валута за ход 2"),
              QStringLiteral("ivan_PC02_2026-12-08T07-00-00Z.csv: не е броен – ред 2: редът "
                             "е на 'maria' от 'PC02', а името на файла – не"),
              QStringLiteral("zz.csv: 40960 MB – повече, отколкото един урок може да "
                             "запише; не е прочетен"),
              QStringLiteral("notes.csv:1: първият ред не е заглавен ред на резултати")}) {
            QVERIFY2(notes.contains(said), qPrintable(notes));
        }

        // Neither the sparse file nor the stray one is read past what tells them apart.
        ClassFolder reader(folder.path());
        QCOMPARE(reader.refresh(), ClassFolder::State::Read);
        QCOMPARE(reader.results().offset("zz.csv"), 0U);
        QVERIFY(reader.results().offset("notes.csv") <= std::uint64_t{ClassFolder::kFirstRead});

        // A deleted file keeps its answers and is named.
        QVERIFY(QFile::remove(at("petar_PC05_2026-12-08T07-00-00Z.csv")));
        QVERIFY(read(*window));
        QCOMPARE(pupils->rowCount(), 7);
        QVERIFY(findControl<QPlainTextEdit>(*window, "skipped")
                    ->toPlainText()
                    .contains(QStringLiteral("petar_PC05_2026-12-08T07-00-00Z.csv: файлът вече "
                                             "не е в папката")));

        // An unmounted share leaves its mount point empty.
        QVERIFY(QDir(folder.path()).removeRecursively() && QDir().mkpath(folder.path()));
        QVERIFY(read(*window));
        QVERIFY2(status->text().contains(QStringLiteral("изведнъж е празна")),
                 qPrintable(status->text()));
        QCOMPARE(pupils->rowCount(), 7);
    }
};

QTEST_MAIN(TeacherClassFolderTest)
#include "teacher_class_folder_test.moc"
