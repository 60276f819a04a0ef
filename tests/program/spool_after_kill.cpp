// The real program in a class folder on a share that is unmounted mid-run (umount -l): the
// answers that wait are kept on the pupil's computer too, the program is killed, and the next
// run, with the share back, delivers them to the first run's file, each once, even when a run
// was killed again after delivering but before its spool was emptied. Real mounts in a mount
// namespace of the test's own (Linux only).
//   spool_after_kill <quiz program>   (with the first-frame probe in the environment; exits
//                                       77, "skipped", where mounting is not allowed)

#include "tests/support/mount_namespace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

using quiz::testing::ownMountNamespace;

namespace {

constexpr int kSkipped = 77;
constexpr int kPollMs = 50;
constexpr int kMostPolls = 1200; // a minute: a bound for a stuck program, not a speed
constexpr int kWaitingAnswers = 2;

int failures = 0;

void check(bool holds, const QString& what) {
    if (!holds) {
        std::fprintf(stderr, "FAILED: %s\n", qPrintable(what));
        ++failures;
    }
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int rowsIn(const QString& path) {
    return static_cast<int>(contents(path).count("\r\n"));
}

QStringList files(const QString& folder, const QString& pattern) {
    QStringList found;
    for (const QString& name : QDir(folder).entryList({pattern}, QDir::Files)) {
        found << QDir(folder).filePath(name);
    }
    return found;
}

// Polls until `holds` or the bound; says whether it came to hold.
template <typename Condition>
bool waitFor(Condition holds) {
    for (int poll = 0; poll < kMostPolls; ++poll) {
        if (holds()) {
            return true;
        }
        QThread::msleep(kPollMs);
    }
    return holds();
}

struct Folders {
    QString share, classFolder, spools, signal;
    QProcessEnvironment environment;
};

void startQuiz(QProcess& quiz, const QString& program, const Folders& folders,
               const QProcessEnvironment& environment) {
    quiz.setProcessEnvironment(environment);
    quiz.start(program, {QStringLiteral("--class-dir"), folders.classFolder,
                         QStringLiteral("--pupil"), QStringLiteral("maria")});
}

// Answers one turn, waits while the share goes, answers two more and is killed waiting.
QString killedRun(const QString& program, const Folders& folders) {
    QProcessEnvironment environment = folders.environment;
    environment.insert(QStringLiteral("QUIZ_PROBE_CLICK"), QStringLiteral("Option1_0,Command1"));
    environment.insert(QStringLiteral("QUIZ_PROBE_REPEAT"), QStringLiteral("4"));
    environment.insert(QStringLiteral("QUIZ_PROBE_WAIT_AFTER"), QStringLiteral("1,3"));
    environment.insert(QStringLiteral("QUIZ_PROBE_WAIT_FILE"), folders.signal);
    QProcess quiz;
    startQuiz(quiz, program, folders, environment);
    QString file;
    check(waitFor([&] {
              const QStringList found = files(folders.share, QStringLiteral("*.csv"));
              file = found.value(0);
              return found.size() == 1 && rowsIn(file) == 2;
          }),
          QStringLiteral("the first answer reached the share"));
    check(::umount2(folders.classFolder.toLocal8Bit().constData(), MNT_DETACH) == 0,
          QStringLiteral("umount -l"));
    QFile(folders.signal + QStringLiteral(".1")).open(QIODevice::WriteOnly);
    // The spool's first line names the file; then the rows that wait.
    check(waitFor([&] {
              const QStringList found = files(folders.spools, QStringLiteral("*.spool"));
              return found.size() == 1 && rowsIn(found.front()) == 1 + kWaitingAnswers;
          }),
          QStringLiteral("the two waiting answers kept on this computer"));
    quiz.kill();
    quiz.waitForFinished();
    return file;
}

// A run that only opens and closes, as the next lesson's start does.
void nextRun(const QString& program, const Folders& folders) {
    QProcess quiz;
    startQuiz(quiz, program, folders, folders.environment);
    check(quiz.waitForFinished(60000) && quiz.exitCode() == 0,
          QStringLiteral("the next run ended well: ") + quiz.readAllStandardError());
}

void runsAfterTheKill(const QString& program, const Folders& folders, const QString& file) {
    check(::mount(folders.share.toLocal8Bit().constData(),
                  folders.classFolder.toLocal8Bit().constData(), nullptr, MS_BIND, nullptr) == 0,
          QStringLiteral("share mounted again"));
    const QStringList left = files(folders.spools, QStringLiteral("*.spool"));
    const QByteArray spool = contents(left.value(0));
    nextRun(program, folders);
    check(rowsIn(file) == 1 + 1 + kWaitingAnswers, QStringLiteral("all three answers in the file"));
    check(files(folders.spools, QStringLiteral("*.spool")).isEmpty(),
          QStringLiteral("no spool left once delivered"));
    const QByteArray delivered = contents(file);
    // As if that run had been killed after writing the rows but before removing the spool.
    QFile again(left.value(0));
    check(again.open(QIODevice::WriteOnly) && again.write(spool) == spool.size(),
          QStringLiteral("spool put back"));
    again.close();
    nextRun(program, folders);
    check(contents(file) == delivered, QStringLiteral("no answer counted twice"));
    check(files(folders.spools, QStringLiteral("*.spool")).isEmpty(),
          QStringLiteral("the spool put back is gone too"));
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: spool_after_kill <quiz program>\n");
        return 2;
    }
    // Before any thread starts: a user namespace takes only a process of one thread.
    if (!ownMountNamespace()) {
        std::printf("skipped: no mount namespace here (%s)\n", std::strerror(errno));
        return kSkipped;
    }
    const QCoreApplication app(argc, argv);
    QString base = QDir::temp().filePath(QStringLiteral("spool_after_kill_XXXXXX"));
    QByteArray name = base.toLocal8Bit();
    if (::mkdtemp(name.data()) == nullptr) {
        std::fprintf(stderr, "cannot make a folder: %s\n", std::strerror(errno));
        return 1;
    }
    base = QString::fromLocal8Bit(name);
    const QDir root(base);
    Folders folders{root.filePath(QStringLiteral("share")), root.filePath(QStringLiteral("class")),
                    root.filePath(QStringLiteral("data/realdataquiz/spool")),
                    root.filePath(QStringLiteral("go")), QProcessEnvironment::systemEnvironment()};
    // The user's own data folder, here, so no real one is touched.
    folders.environment.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
    root.mkpath(folders.share);
    root.mkpath(folders.classFolder);
    if (::mount("none", folders.share.toLocal8Bit().constData(), "tmpfs", 0, nullptr) != 0 ||
        ::mount(folders.share.toLocal8Bit().constData(),
                folders.classFolder.toLocal8Bit().constData(), nullptr, MS_BIND, nullptr) != 0) {
        std::printf("skipped: cannot mount here (%s)\n", std::strerror(errno));
        QDir(base).removeRecursively();
        return kSkipped;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    const QString file = killedRun(program, folders);
    if (failures == 0) {
        runsAfterTheKill(program, folders, file);
    }
    ::umount2(folders.classFolder.toLocal8Bit().constData(), MNT_DETACH);
    ::umount2(folders.share.toLocal8Bit().constData(), MNT_DETACH);
    QDir(base).removeRecursively();
    std::printf("%s\n", failures == 0 ? "every waiting answer reached its file once"
                                      : "answers went astray");
    return failures == 0 ? 0 : 1;
}
