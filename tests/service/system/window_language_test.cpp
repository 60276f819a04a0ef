// One rule for whom a message is said to: under a German locale the pupil's quiz and the
// teacher's lesson panel give a lesson's bad file of rates the same Bulgarian reason, never an
// English one inside a Bulgarian sentence.

#include "core/lesson/lesson_settings.h"
#include "service/system/translations.h"
#include "tests/support/class_session.h"
#include "tests/support/find_control.h"
#include "window/classroom/statistics_window.h"
#include "window/teacher/lesson_panel.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quiz;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

} // namespace

class WindowLanguageTest : public QObject {
    Q_OBJECT

private slots:
    // As the program starts: the locale the environment gives, German here.
    void initTestCase() {
        QCoreApplication::setApplicationName(QStringLiteral("realdataquiz"));
        QStandardPaths::setTestModeEnabled(true);
        QCOMPARE(QLocale::system().language(), QLocale::German);
        QVERIFY(!installCommandLineTranslations(QLocale::system()));
        installWindowTranslations();
    }

    void thePupilAndTheTeacherReadTheSameBulgarianReason() {
        const QTemporaryDir folder;
        const QString rates = folder.filePath(QStringLiteral("kursove.csv"));
        write(rates, "Date;USD\n02.01.2024;1,0956\n03.01.2024;abc\n");
        write(folder.filePath(QStringLiteral("lesson.ini")),
              QByteArray::fromStdString(lessonSettingsText(
                  {"", "kursove.csv", "", "Учител (PC-1)", "2026-12-09T08:05:00Z"})));
        const QString reason = rates + QStringLiteral(":3:2: 'abc' не е число");

        const auto pupil = testing::startInClassFolder(folder.path(), QStringLiteral("Ана"));
        const QString pupilReads =
            findControl<QLabel>(*pupil->classroom->statisticsWindow(), "lessonWarning")->text();
        QVERIFY2(pupilReads.contains(reason), qPrintable(pupilReads));

        LessonPanel panel(folder.path(), QStringLiteral("petrova (PC-УЧИТЕЛ)"));
        QVERIFY(!panel.chooseDataFile(rates));
        const QString teacherReads = findControl<QLabel>(panel, "lessonStatus")->text();
        QVERIFY2(teacherReads.contains(reason), qPrintable(teacherReads));
    }
};

QTEST_MAIN(WindowLanguageTest)
#include "window_language_test.moc"
