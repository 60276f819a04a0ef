// A lesson in miniature: 30 quiz processes write to one class folder at the same time while the
// teacher's reader follows it; at the end every answer given is counted exactly once, and every
// row replays from its seed, which each run sealed with the teacher's key in lesson.ini.
//   simulated_lesson <quiz program>   (with the first-frame probe in the environment)

#include "core/lesson/lesson_settings.h"
#include "core/seal/seal_keys.h"
#include "service/class/class_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kPupils = 30;
constexpr int kTurnsEach = 12;

} // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: simulated_lesson <quiz program>\n");
        return 2;
    }
    QTemporaryDir folder;
    const quiz::SealKeys keys = quiz::makeSealKeys();
    QFile settings(QDir(folder.path()).filePath(QStringLiteral("lesson.ini")));
    quiz::LessonSettings lesson;
    lesson.seedKey = keys.publicKey;
    const std::string text = quiz::lessonSettingsText(lesson);
    if (!settings.open(QIODevice::WriteOnly) ||
        settings.write(text.data(), static_cast<qint64>(text.size())) != qint64(text.size())) {
        std::fprintf(stderr, "cannot write the lesson's settings\n");
        return 1;
    }
    settings.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUIZ_PROBE_CLICK"), QStringLiteral("Option1_0,Command1"));
    environment.insert(QStringLiteral("QUIZ_PROBE_REPEAT"), QString::number(kTurnsEach));

    std::vector<std::unique_ptr<QProcess>> pupils;
    for (int pupil = 1; pupil <= kPupils; ++pupil) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment);
        process->start(QString::fromLocal8Bit(argv[1]),
                       {QStringLiteral("--level"), QString::number(pupil % 5),
                        QStringLiteral("--class-dir"), folder.path(),
                        QStringLiteral("--pupil"), QStringLiteral("Ученик %1").arg(pupil)});
        pupils.push_back(std::move(process));
    }
    // The teacher reads while they write, half-written lines and all.
    quiz::ClassFolder teacher(folder.path(), keys);
    int reads = 0;
    bool running = true;
    while (running) {
        teacher.refresh();
        ++reads;
        running = false;
        for (const auto& process : pupils) {
            // A short wait lets QProcess notice an exit; there is no event loop here.
            const bool finished =
                process->waitForFinished(1) || process->state() == QProcess::NotRunning;
            running = running || !finished;
        }
    }
    for (const auto& process : pupils) {
        if (process->exitStatus() != QProcess::NormalExit || process->exitCode() != 0) {
            std::fprintf(stderr, "a pupil's quiz ended badly: %s\n",
                         process->readAllStandardError().constData());
            return 1;
        }
    }
    teacher.refresh();
    const quiz::ClassSummary summary = teacher.results().summary();
    // Every row the quiz wrote replays from its seed at its level: none left out or unchecked.
    const std::size_t notCounted = teacher.results().notCounted().size();
    std::printf("pupils %d, answers %d, skipped %zu, not counted %zu, reads %d\n", summary.pupils,
                summary.total.answered, teacher.results().skipped().size(), notCounted, reads);
    const bool exact = summary.pupils == kPupils &&
                       summary.total.answered == kPupils * kTurnsEach &&
                       teacher.results().skipped().empty() && notCounted == 0;
    return exact ? 0 : 1;
}
