// A run of the real program with --level auto logs each answer at the level the staircase dealt
// it at: the levels in the log are those the rule gives for the answers in the log.
//   adaptive_run <quiz program>   (with the first-frame probe in the environment)

#include "core/scoring/staircase.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kTurns = 30;

} // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: adaptive_run <quiz program>\n");
        return 2;
    }
    const QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("answers.csv"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Always the left option: right about half the time, so the level moves both ways.
    environment.insert(QStringLiteral("QUIZ_PROBE_CLICK"), QStringLiteral("Option1_0,Command1"));
    environment.insert(QStringLiteral("QUIZ_PROBE_REPEAT"), QString::number(kTurns));
    QProcess quiz;
    quiz.setProcessEnvironment(environment);
    quiz.start(QString::fromLocal8Bit(argv[1]),
               {QStringLiteral("--seed"), QStringLiteral("2026"), QStringLiteral("--level"),
                QStringLiteral("auto"), QStringLiteral("--log"), log, QStringLiteral("--pupil"),
                QStringLiteral("pupil")});
    if (!quiz.waitForFinished(120000) || quiz.exitCode() != 0) {
        std::fprintf(stderr, "the quiz ended badly: %s\n", quiz.readAllStandardError().constData());
        return 1;
    }
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "no log was written\n");
        return 1;
    }
    QStringList rows = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    rows.removeFirst(); // the header
    rows.removeAll(QString());
    // Counted from the end, past a currency's name that may hold a comma: right, spread,
    // level, data, pupil, host, staircase, run, sealed_seed.
    quiz::Staircase staircase;
    int moves = 0;
    for (const QString& row : rows) {
        const QStringList fields = row.split(u',');
        const int level = fields.at(fields.size() - 7).toInt();
        const bool right = fields.at(fields.size() - 9) == QStringLiteral("1");
        if (fields.at(fields.size() - 3) != QStringLiteral("1")) {
            std::fprintf(stderr, "turn not logged as the staircase's:\n%s\n", qPrintable(row));
            return 1;
        }
        if (level != staircase.level()) {
            std::fprintf(stderr, "turn logged at level %d, the staircase was at %d:\n%s\n", level,
                         staircase.level(), qPrintable(row));
            return 1;
        }
        const int before = staircase.level();
        staircase.record(right);
        moves += staircase.level() != before ? 1 : 0;
    }
    std::printf("turns %lld, level moves %d\n", static_cast<long long>(rows.size()), moves);
    return rows.size() == kTurns && moves > 0 ? 0 : 1;
}
