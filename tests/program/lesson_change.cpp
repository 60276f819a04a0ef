// A lesson steered from the teacher's view: 25 quiz processes started with only --class-dir
// follow the level its „Урок“ panel writes, each from its next turn, and keep playing at
// it while the settings file turns hostile (too large, half-written, invalid, pointing out of
// the folder, a pipe).
//   lesson_change <quiz program>   (with the first-frame probe in the environment)

#include "core/lesson/lesson_settings.h"
#include "window/teacher/lesson_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QThread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kPupils = 25;
constexpr int kStartLevel = 1;
constexpr int kLessonLevel = 3;
// The level changes after the 4th answer; the turn then on screen keeps level 1, so the
// answers from the 6th on are at level 3, and stay there whatever the file turns into.
constexpr int kChangeAfter = 4;
// After the change, one wait for each hostile file, two turns apart.
const QList<int> kWaits{kChangeAfter, 6, 8, 10, 12, 14};
constexpr int kRounds = 16;

QString settingsPath(const QString& folder) {
    return QDir(folder).filePath(QString::fromUtf8(quiz::kLessonSettingsFile.data()));
}

bool writeAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// As the teacher does it: the level chosen in the panel, then „Приложи“.
bool teacherSets(quiz::LessonPanel& panel, int level) {
    panel.findChild<QComboBox*>(QStringLiteral("lessonLevel"))->setCurrentIndex(level);
    return panel.apply();
}

// Each way the file can go wrong while pupils play; none may change their level.
std::vector<std::function<bool(const QString&)>> hostileFiles() {
    return {
        [](const QString& folder) {
            return writeAtomically(settingsPath(folder),
                                   "level=0\r\n" + QByteArray(5000, '#') + "\r\nend\r\n");
        },
        [](const QString& folder) {
            return writeAtomically(settingsPath(folder), "level=0\r\ndata=ca");
        },
        [](const QString& folder) {
            return writeAtomically(settingsPath(folder), "level=9\r\nend\r\n");
        },
        [](const QString& folder) {
            return writeAtomically(settingsPath(folder),
                                   "level=0\r\ndata=../outside.csv\r\nend\r\n");
        },
        [](const QString& folder) {
#ifdef Q_OS_UNIX
            // Opening a pipe would wait for a writer that never comes.
            QFile::remove(settingsPath(folder));
            return ::mkfifo(QFile::encodeName(settingsPath(folder)).constData(), 0600) == 0;
#else
            return writeAtomically(settingsPath(folder), "level=0\r\n");
#endif
        },
    };
}

// The rows of every pupil's file, by file.
std::vector<QStringList> rowsOf(const QString& folder) {
    std::vector<QStringList> files;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.csv")}, QDir::Files)) {
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        QStringList rows = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
        rows.removeFirst(); // the header
        rows.removeAll(QString());
        files.push_back(rows);
    }
    return files;
}

// Until every pupil has answered `answers` turns; false when they have not within two minutes.
bool waitForAnswers(const QString& folder, int answers) {
    constexpr int kPollMs = 50;
    constexpr int kMostPolls = 2400;
    for (int poll = 0; poll < kMostPolls; ++poll) {
        const std::vector<QStringList> files = rowsOf(folder);
        int done = 0;
        for (const QStringList& rows : files) {
            done += rows.size() >= answers ? 1 : 0;
        }
        if (done == kPupils) {
            return true;
        }
        QThread::msleep(kPollMs);
    }
    std::fprintf(stderr, "the pupils did not all reach %d answers\n", answers);
    return false;
}

bool tellPupils(const QString& prefix, int wait) {
    QFile file(prefix + u'.' + QString::number(wait));
    return file.open(QIODevice::WriteOnly);
}

// Counted from the end, past a currency's name that may hold a comma: turn is the third field,
// level the seventh from the end.
bool levelsFollowTheLesson(const QStringList& rows) {
    if (rows.size() != kRounds) {
        std::fprintf(stderr, "%lld answers instead of %d\n", static_cast<long long>(rows.size()),
                     kRounds);
        return false;
    }
    for (const QString& row : rows) {
        const QStringList fields = row.split(u',');
        const int turn = fields.at(2).toInt();
        const int level = fields.at(fields.size() - 7).toInt();
        const int expected = turn <= kChangeAfter + 1 ? kStartLevel : kLessonLevel;
        if (level != expected) {
            std::fprintf(stderr, "turn %d at level %d, not %d:\n%s\n", turn, level, expected,
                         qPrintable(row));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    const QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: lesson_change <quiz program>\n");
        return 2;
    }
    const QTemporaryDir folder;
    const QTemporaryDir signalFolder;
    const QString go = signalFolder.filePath(QStringLiteral("go"));
    quiz::LessonPanel panel(folder.path(), QStringLiteral("Учител (test)"));
    if (!teacherSets(panel, kStartLevel)) {
        std::fprintf(stderr, "cannot write the lesson's settings\n");
        return 1;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUIZ_PROBE_CLICK"), QStringLiteral("Option1_0,Command1"));
    environment.insert(QStringLiteral("QUIZ_PROBE_REPEAT"), QString::number(kRounds));
    QStringList waits;
    for (const int wait : kWaits) {
        waits << QString::number(wait);
    }
    environment.insert(QStringLiteral("QUIZ_PROBE_WAIT_AFTER"), waits.join(u','));
    environment.insert(QStringLiteral("QUIZ_PROBE_WAIT_FILE"), go);

    std::vector<std::unique_ptr<QProcess>> pupils;
    for (int pupil = 1; pupil <= kPupils; ++pupil) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment);
        process->start(QString::fromLocal8Bit(argv[1]),
                       {QStringLiteral("--class-dir"), folder.path(), QStringLiteral("--pupil"),
                        QStringLiteral("Ученик %1").arg(pupil)});
        pupils.push_back(std::move(process));
    }
    bool ok = waitForAnswers(folder.path(), kChangeAfter) && teacherSets(panel, kLessonLevel);
    ok = ok && tellPupils(go, 1);
    const auto hostile = hostileFiles();
    if (hostile.size() + 1 != std::size_t(kWaits.size())) {
        std::fprintf(stderr, "one wait for the change and one for each hostile file\n");
        return 2;
    }
    for (std::size_t i = 0; ok && i < hostile.size(); ++i) {
        ok = waitForAnswers(folder.path(), kWaits[qsizetype(i) + 1]) && hostile[i](folder.path()) &&
             tellPupils(go, int(i) + 2);
    }
    // One deadline for all: a pupil stuck on the file must not make the test wait for each.
    const QDeadlineTimer deadline(std::chrono::minutes(2));
    for (const auto& process : pupils) {
        if (!process->waitForFinished(int(deadline.remainingTime())) || process->exitStatus() != QProcess::NormalExit ||
            process->exitCode() != 0) {
            std::fprintf(stderr, "a pupil's quiz ended badly: %s\n",
                         process->readAllStandardError().constData());
            ok = false;
        }
    }
    const std::vector<QStringList> files = rowsOf(folder.path());
    ok = ok && files.size() == kPupils;
    for (const QStringList& rows : files) {
        ok = ok && levelsFollowTheLesson(rows);
    }
    std::printf("%zu pupils, %d answers each, level %d from turn %d on\n", files.size(), kRounds,
                kLessonLevel, kChangeAfter + 2);
    return ok ? 0 : 1;
}
