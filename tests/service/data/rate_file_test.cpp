// Every kind of file of rates that cannot be used, refused in one and the same line by each
// that reads one: the data menu, the lesson panel and the teacher's view in Bulgarian, and
// --data in the user's language. Run under a German locale, where the windows still speak
// Bulgarian.

#include "app/command_line.h"
#include "app/startup.h"
#include "service/system/translations.h"
#include "tests/support/find_control.h"
#include "window/quiz/data_menu.h"
#include "window/teacher/lesson_panel.h"
#include "window/teacher/teacher_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

using namespace quiz;

namespace {

const QString kRates = QStringLiteral("rates.txt");

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

// Root reads any file: an unreadable one is tried with the rights of nobody.
class AsNobody {
public:
    explicit AsNobody(bool wanted) : active_(wanted && ::geteuid() == 0) {
        constexpr uid_t kNobody = 65534;
        if (active_ && ::seteuid(kNobody) != 0) {
            qFatal("cannot act as nobody");
        }
    }
    ~AsNobody() {
        if (active_ && ::seteuid(0) != 0) {
            qFatal("cannot act as root again");
        }
    }
    AsNobody(const AsNobody&) = delete;
    AsNobody& operator=(const AsNobody&) = delete;

private:
    bool active_;
};

struct BadFile {
    const char* kind;
    std::function<void(const QString& path)> make;
    const char* window;  // the refusal as the windows say it, %1 for the path
    const char* console; // as --data says it under a German locale
};

const BadFile kBadFiles[] = {
    {"a folder", [](const QString& path) { QVERIFY(QDir().mkdir(path)); },
     "%1: не е файл с курсове, а папка", "%1: is not a file of rates but a folder"},
    {"a pipe",
     [](const QString& path) { QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0); },
     "%1: не е файл с курсове, а специален файл", "%1: is not a file of rates but a special file"},
    {"too large",
     [](const QString& path) {
         QFile file(path);
         QVERIFY(file.open(QIODevice::WriteOnly));
         QVERIFY(file.resize(qint64{65} * 1024 * 1024)); // sparse: no disk used
     },
     "%1: е по-голям от 64 MB, твърде голям за файл с курсове",
     "%1: is larger than 64 MB, too large for a file of rates"},
    {"not a number",
     [](const QString& path) { write(path, "Date;USD\n02.01.2024;1,0956\n03.01.2024;abc\n"); },
     "%1:3:2: 'abc' не е число", "%1:3:2: 'abc' is not a number"},
    {"unreadable",
     [](const QString& path) {
         write(path, "Date;USD\n02.01.2024;1,0956\n");
         QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
     },
     "%1: не може да се прочете: няма разрешение за четене",
     "%1: cannot be read: no permission to read it"},
};

// A class folder any account can read, with one pupil's run of the data
// `rates.txt` the folder holds: the view looks the file up to check the run by its seed.
QString classFolder(const QTemporaryDir& folder) {
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                             QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                             QFileDevice::ExeOther);
    write(folder.filePath(QStringLiteral("ana_PC01_2026-12-08T07-00-00Z.csv")),
          "time,seed,turn,currency,currency_name,real_side,chosen_side,right,spread,level,data,"
          "pupil,host\r\n2026-12-08T09:00:05+02:00,11,1,USD,щатски долар,0,0,1,0.1,2,"
          "rates.txt@0123456789abcdef,ana,PC01\r\n");
    return folder.filePath(kRates);
}

// What the data menu's message box says of `path`; the box is closed.
QString dataMenuSays(QuizForm& form, const QString& path) {
    QString said;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&said] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            said = box->text();
            box->reject();
        }
    });
    closer.start(10);
    form.findChild<DataMenu*>()->choose(path);
    if (!QTest::qWaitFor([&said] { return !said.isEmpty(); })) {
        return QStringLiteral("no message box");
    }
    return said;
}

// What the teacher's view, once it has read the folder again, lists as not read.
QString teacherViewSays(TeacherWindow& window) {
    window.refresh();
    if (!QTest::qWaitFor([&window] { return !window.reading(); })) {
        return QStringLiteral("still reading");
    }
    return findControl<QPlainTextEdit>(window, "skipped")->toPlainText();
}

} // namespace

class RateFileTest : public QObject {
    Q_OBJECT

private slots:
    // As the program starts: the locale the environment gives, German here.
    void initTestCase() {
        QCoreApplication::setApplicationName(QStringLiteral("realdataquiz"));
        QStandardPaths::setTestModeEnabled(true); // the teacher's key away from the account's
        QCOMPARE(QLocale::system().language(), QLocale::German);
        QVERIFY(!installCommandLineTranslations(QLocale::system()));
        installWindowTranslations();
    }

    void eachReaderRefusesABadFileInTheSameLine() {
        QString refusal;
        const auto quiz = startQuiz(parseCommandLine({QStringLiteral("realdataquiz")}),
                                    QLocale::system(), refusal);
        QVERIFY2(quiz, qPrintable(refusal));
        for (const BadFile& bad : kBadFiles) {
            const QTemporaryDir folder;
            const auto teacher =
                startTeacher(parseCommandLine({QStringLiteral("realdataquiz"),
                                               QStringLiteral("--teacher"), folder.path()}),
                             QLocale::system(), refusal);
            QVERIFY2(teacher, qPrintable(refusal));
            QVERIFY(QTest::qWaitFor([&] { return !teacher->reading(); }));
            const QTemporaryDir lesson;
            LessonPanel panel(lesson.path(), QStringLiteral("petrova (PC-УЧИТЕЛ)"));
            const QString path = classFolder(folder);
            bad.make(path);
            const QString line = QString::fromUtf8(bad.window).arg(path);

            // From here on the event loop runs, and with it the view's reading of the folder.
            const AsNobody nobody(QByteArray(bad.kind) == "unreadable");
            QCOMPARE(dataMenuSays(*quiz->form, path), line);
            QVERIFY(!panel.chooseDataFile(path));
            const QString panelSays = findControl<QLabel>(panel, "lessonStatus")->text();
            QVERIFY2(panelSays.contains(line), qPrintable(panelSays));
            const QString teacherSays = teacherViewSays(*teacher);
            QVERIFY2(teacherSays.split(u'\n').contains(line), qPrintable(teacherSays));
            QVERIFY(!startQuiz(
                parseCommandLine({QStringLiteral("realdataquiz"), QStringLiteral("--data"), path}),
                QLocale::system(), refusal));
            QCOMPARE(refusal,
                     QStringLiteral("realdataquiz: ") + QString::fromUtf8(bad.console).arg(path));
        }
    }
};

QTEST_MAIN(RateFileTest)
#include "rate_file_test.moc"
