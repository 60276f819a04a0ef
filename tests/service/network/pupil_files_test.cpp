// The hosted lesson's rows in the class folder when it refuses some for good: the teacher hears
// how many were lost and why, whatever the other pupils' rows did in the same try.

#include "service/network/pupil_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace quiz;

namespace {

ResultRow rowOf(const std::string& pupil, int turn) {
    return {.time = "2026-12-10T09:00:00+02:00",
            .turn = turn,
            .currency = "USD",
            .currencyName = "щатски долар",
            .spread = 0.5,
            .level = 0,
            .data = "catalogue",
            .pupil = pupil,
            .host = "teacher",
            .run = 77};
}

qint64 sizeOfFileOf(const QString& folder, const QString& pupil) {
    const QStringList files =
        QDir(folder).entryList({pupil + QStringLiteral("_*.csv")}, QDir::Files);
    return files.size() == 1 ? QFileInfo(QDir(folder).filePath(files.front())).size() : -1;
}

} // namespace

class PupilFilesTest : public QObject {
    Q_OBJECT

private slots:
    // Ана's waiting row no longer fits her file, Борис's does: one lost, told with its reason.
    void aLossIsToldWithItsReasonBesideRowsCaughtUp() {
        QTemporaryDir base;
        const QString folder = base.filePath(QStringLiteral("8а"));
        QVERIFY(QDir().mkpath(folder));
        PupilFiles files(folder, "teacher");
        for (const auto& [pupil, turn] : {std::pair{"Ана", 1}, {"Ана", 2}, {"Борис", 1}}) {
            QVERIFY(files.append(rowOf(pupil, turn)).problem.isEmpty());
        }
        QVERIFY(QDir().rename(folder, folder + QStringLiteral("-away")));
        QVERIFY(!files.append(rowOf("Ана", 3)).problem.isEmpty());
        QVERIFY(!files.append(rowOf("Борис", 2)).problem.isEmpty());
        QCOMPARE(files.waiting(), 2U);
        QVERIFY(QDir().rename(folder + QStringLiteral("-away"), folder));

        // Room for Борис's second row, none for Ана's third.
        const auto header = static_cast<qint64>(csvHeader().size() + 2);
        const qint64 ana = sizeOfFileOf(folder, QStringLiteral("Ана"));
        const qint64 boris = sizeOfFileOf(folder, QStringLiteral("Борис"));
        const qint64 borisWithTwo = boris + (boris - header);
        QVERIFY(boris > 0 && ana + (ana - header) / 2 > borisWithTwo);
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = before;
        limit.rlim_cur = static_cast<rlim_t>(borisWithTwo);
        setrlimit(RLIMIT_FSIZE, &limit);
        const Filing filing = files.retry();
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(filing.lost, 1U);
        QVERIFY2(filing.problem.startsWith(QStringLiteral("файлът е")), qPrintable(filing.problem));
        QCOMPARE(files.waiting(), 0U);
        QVERIFY(sizeOfFileOf(folder, QStringLiteral("Борис")) > boris);
    }
};

QTEST_GUILESS_MAIN(PupilFilesTest)
#include "pupil_files_test.moc"
