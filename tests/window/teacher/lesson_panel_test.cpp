// The „Урок“ panel driven offscreen: what „Приложи“ writes, the seed it keeps, a teacher's file
// copied without overwriting anything, writes that fail, and someone else's change.

#include "core/lesson/lesson_settings.h"
#include "core/platform/file_ops.h"
#include "core/seal/seal_keys.h"
#include "service/words/lesson_words.h"
#include "tests/support/daily_rates.h"
#include "tests/support/find_control.h"
#include "window/common/warning_colour.h"
#include "window/teacher/lesson_panel.h"
#include "window/teacher/teacher_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace quiz;

namespace {

const QString kAuthor = QStringLiteral("petrova (PC-УЧИТЕЛ)");
// This teacher's public key, as the panel writes it for the pupils' runs.
const std::string kKey = makeSealKeys().publicKey;

// Seeds 101, 102, … in turn, so that a new one is told from a kept one.
LessonPanel::SeedSource countingSeeds() {
    return [next = std::uint32_t{100}]() mutable { return ++next; };
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString settingsPath(const QTemporaryDir& folder) {
    return folder.filePath(QString::fromLatin1(kLessonSettingsFile.data(),
                                               static_cast<qsizetype>(kLessonSettingsFile.size())));
}

std::optional<LessonSettings> settingsIn(const QTemporaryDir& folder) {
    const QByteArray bytes = contents(settingsPath(folder));
    return readLessonSettings({bytes.constData(), static_cast<std::size_t>(bytes.size())}).settings;
}

QByteArray settingsText(const LessonSettings& settings) {
    return QByteArray::fromStdString(lessonSettingsText(settings));
}

QString status(const QWidget& panel) {
    return findControl<QLabel>(panel, "lessonStatus")->text();
}

bool warned(const QWidget& panel) {
    const QPalette palette = findControl<QLabel>(panel, "lessonStatus")->palette();
    return palette.color(QPalette::WindowText) == warningColour(palette.color(QPalette::Window));
}

QStringList entries(const QString& path) {
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                QDir::NoDotAndDotDot);
}

} // namespace

class LessonPanelTest : public QObject {
    Q_OBJECT

private slots:
    void writesWhatIsChosenForThePupilsToRead() {
        const struct {
            int level; // the combo's row: 0 to 4, then the adaptive level
            int data;  // the catalogue, then the ECB's
            bool together;
            const char* wantLevel;
            const char* wantData;
            const char* wantSeed;
        } cases[] = {
            {0, 0, false, "0", "catalogue", ""},
            {3, 1, true, "3", "ecb", "101"},
            {5, 0, true, "auto", "catalogue", "101"},
        };
        for (const auto& c : cases) {
            QTemporaryDir folder;
            LessonPanel panel(folder.path(), kAuthor, countingSeeds(), kKey);
            findControl<QComboBox>(panel, "lessonLevel")->setCurrentIndex(c.level);
            findControl<QComboBox>(panel, "lessonData")->setCurrentIndex(c.data);
            findControl<QCheckBox>(panel, "lessonTogether")->setChecked(c.together);
            const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
            QVERIFY(panel.apply());
            const auto settings = settingsIn(folder);
            QVERIFY(settings);
            QCOMPARE(settings->level, std::string(c.wantLevel));
            QCOMPARE(settings->data, std::string(c.wantData));
            QCOMPARE(settings->seed, std::string(c.wantSeed));
            QCOMPARE(QString::fromStdString(settings->writtenBy), kAuthor);
            QCOMPARE(settings->seedKey, kKey);
            const QDateTime at =
                QDateTime::fromString(QString::fromStdString(settings->writtenAt), Qt::ISODate);
            QCOMPARE(at.timeSpec(), Qt::UTC);
            QVERIFY(at >= before && at <= QDateTime::currentDateTimeUtc().addSecs(1));
            QVERIFY(status(panel).contains(QStringLiteral("следващия си ход")));
            QCOMPARE(entries(folder.path()), QStringList{QStringLiteral("lesson.ini")});
        }
    }

    // A teacher whose umask keeps files private still writes settings the pupils can read.
    void writesSettingsAndDataEveryoneCanRead() {
        const mode_t before = ::umask(077);
        QTemporaryDir folder;
        QTemporaryDir elsewhere;
        const QString file = elsewhere.filePath(QStringLiteral("chosen.csv"));
        write(file, dailyRates());
        LessonPanel panel(folder.path(), kAuthor, countingSeeds(), kKey);
        QVERIFY(panel.chooseDataFile(file));
        const bool applied = panel.apply();
        ::umask(before);
        QVERIFY(applied);
        for (const QString& name : entries(folder.path())) {
            QVERIFY2(QFileInfo(folder.filePath(name)).permissions() & QFileDevice::ReadOther,
                     qPrintable(name));
        }
        QCOMPARE(entries(folder.path()).size(), 2);
    }

    // A change of level must not start every pupil on new turns; ticking again does.
    void keepsTheClassSeedWhileTheBoxStaysTicked() {
        QTemporaryDir folder;
        LessonPanel panel(folder.path(), kAuthor, countingSeeds(), kKey);
        auto* together = findControl<QCheckBox>(panel, "lessonTogether");
        auto* level = findControl<QComboBox>(panel, "lessonLevel");
        const struct {
            bool ticked;
            int level;
            const char* seed;
        } steps[] = {
            {true, 1, "101"}, {true, 4, "101"}, {false, 4, ""}, {true, 2, "102"}, {true, 2, "102"}};
        for (const auto& step : steps) {
            together->setChecked(step.ticked);
            level->setCurrentIndex(step.level);
            QVERIFY(panel.apply());
            QCOMPARE(settingsIn(folder)->seed, std::string(step.seed));
        }
    }

    void copiesATeachersFileWithoutOverwritingAny() {
        const QByteArray ours = dailyRates();
        const QByteArray others = dailyRates(2.2);
        const struct {
            const char* chosen;
            const char* present; // a file already in the folder, or none
            const QByteArray* itsBytes;
            const char* copied;
        } cases[] = {
            {"kursove.csv", nullptr, nullptr, "kursove.csv"},
            {"kursove.csv", "kursove.csv", &ours, "kursove.csv"},
            {"kursove.csv", "kursove.csv", &others, "kursove-2.csv"},
            {"Kursove.CSV", "Kursove.CSV", &others, "Kursove-2.CSV"},
            {"kursove.txt", nullptr, nullptr, "kursove.txt.csv"},
            {"lesson", "lesson.csv", &others, "lesson-2.csv"},
        };
        for (const auto& c : cases) {
            QTemporaryDir home;
            QTemporaryDir folder;
            const QString chosen = home.filePath(QString::fromUtf8(c.chosen));
            write(chosen, ours);
            if (c.present) {
                write(folder.filePath(QString::fromUtf8(c.present)), *c.itsBytes);
            }
            LessonPanel panel(folder.path(), kAuthor, countingSeeds(), kKey);
            QVERIFY(panel.chooseDataFile(chosen));
            QVERIFY(entries(folder.path()).size() == (c.present ? 1 : 0)); // not before „Приложи“
            QVERIFY(panel.apply());
            QCOMPARE(settingsIn(folder)->data, std::string(c.copied));
            QCOMPARE(contents(folder.filePath(QString::fromUtf8(c.copied))), ours);
            if (c.present) {
                QCOMPARE(contents(folder.filePath(QString::fromUtf8(c.present))), *c.itsBytes);
            }
            QCOMPARE(entries(folder.path()).size(),
                     (c.present ? 1 : 0) +
                         (QString::fromUtf8(c.copied) == QString::fromUtf8(c.present) ? 0 : 1) + 1);
            // Applied again, the copy is used as it is.
            QVERIFY(panel.apply());
            QCOMPARE(settingsIn(folder)->data, std::string(c.copied));
            QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("kursove-3.csv"))));
        }
    }

    void refusesWhatIsNoFileOfRates() {
        QTemporaryDir home;
        const QString notes = home.filePath(QStringLiteral("notes.csv"));
        write(notes, "just,some,notes\r\n");
        const QString pipe = home.filePath(QStringLiteral("pipe.csv"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        for (const QString& path : {notes, pipe, home.path()}) {
            QTemporaryDir folder;
            LessonPanel panel(folder.path(), kAuthor, countingSeeds(), kKey);
            auto* data = findControl<QComboBox>(panel, "lessonData");
            data->setCurrentIndex(1);
            QVERIFY(!panel.chooseDataFile(path));
            QVERIFY2(status(panel).contains(QStringLiteral("не е приет")), qPrintable(path));
            QCOMPARE(data->currentIndex(), 1); // the previous choice stays
            QVERIFY(entries(folder.path()).isEmpty());
            QVERIFY(panel.apply());
            QCOMPARE(settingsIn(folder)->data, std::string("ecb"));
            QCOMPARE(entries(folder.path()), QStringList{QStringLiteral("lesson.ini")});
        }
    }

    // Whatever the write meets, the panel says so and leaves no file behind.
    void saysWhenTheSettingsCannotBeWritten() {
        const struct {
            const char* name;
            bool rootCanWrite;
        } cases[] = {{"folder gone", false}, {"settings a folder", false}, {"read-only", true}};
        for (const auto& c : cases) {
            if (c.rootCanWrite && ::geteuid() == 0) {
                continue; // permissions do not hold root back
            }
            QTemporaryDir parent;
            const QString path = parent.filePath(QStringLiteral("class"));
            QVERIFY(QDir().mkdir(path));
            LessonPanel panel(path, kAuthor, countingSeeds(), kKey);
            const QString name = QString::fromUtf8(c.name);
            if (name == QStringLiteral("folder gone")) {
                QVERIFY(QDir(path).removeRecursively());
            } else if (name == QStringLiteral("settings a folder")) {
                QVERIFY(QDir(path).mkdir(QStringLiteral("lesson.ini")));
            } else {
                QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner));
            }
            const QStringList before = entries(path);
            QVERIFY(!panel.apply());
            QVERIFY2(status(panel).startsWith(QStringLiteral("Настройките не са записани: ")),
                     c.name);
            QVERIFY2(!status(panel).contains(u'\n'), c.name);
            QCOMPARE(entries(path), before);
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    // Another teacher's file, or one a pupil put there first, is not this account's to write,
    // but the folder's rights let the teacher replace it.
    void replacesSettingsThisAccountCannotWrite() {
        if (::geteuid() == 0) {
            QSKIP("permissions do not hold root back");
        }
        QTemporaryDir folder;
        write(settingsPath(folder), settingsText({"0", "ecb", "", "pupil (PC09)", ""}));
        QVERIFY(QFile::setPermissions(settingsPath(folder), QFile::ReadOwner | QFile::ReadOther));
        LessonPanel panel(folder.path(), kAuthor, countingSeeds(), kKey);
        findControl<QComboBox>(panel, "lessonLevel")->setCurrentIndex(3);
        QVERIFY2(panel.apply(), qPrintable(status(panel)));
        QCOMPARE(settingsIn(folder)->level, std::string("3"));
        QCOMPARE(entries(folder.path()), QStringList{QStringLiteral("lesson.ini")});
    }

    void warnsWhenSomeoneElseChangedTheSettingsAndWritesThemAgain() {
        const LessonSettings others{"4", "ecb", "", "ivanova (PC02)", "2026-12-09T08:00:00Z"};
        const struct {
            const char* change;
            std::optional<QByteArray> bytes; // none: deleted
            QString said;
        } cases[] = {
            {"changed", settingsText(others), QStringLiteral("ivanova (PC02)")},
            {"deleted", std::nullopt, QStringLiteral("изтрит")},
            {"half written", QByteArray("level=4\r\n"),
             lessonProblemText(LessonProblem::Unfinished, {})},
        };
        for (const auto& c : cases) {
            QTemporaryDir folder;
            LessonPanel panel(folder.path(), kAuthor, countingSeeds(), kKey);
            auto* again = findControl<QPushButton>(panel, "lessonAgain");
            QVERIFY(panel.apply());
            const QByteArray ours = contents(settingsPath(folder));
            panel.refresh();
            QVERIFY(again->isHidden());
            if (c.bytes) {
                write(settingsPath(folder), *c.bytes);
            } else {
                QVERIFY(QFile::remove(settingsPath(folder)));
            }
            panel.refresh();
            QVERIFY2(!again->isHidden(), c.change);
            QVERIFY2(status(panel).contains(QStringLiteral("не са записаните оттук")), c.change);
            QVERIFY2(status(panel).contains(c.said), qPrintable(status(panel)));
            QVERIFY(warned(panel));
            // What was written goes back, not a choice made since and not applied.
            findControl<QComboBox>(panel, "lessonLevel")->setCurrentIndex(2);
            again->click();
            QCOMPARE(contents(settingsPath(folder)), ours);
            QVERIFY(again->isHidden());
            panel.refresh();
            QVERIFY(again->isHidden());
            QVERIFY(status(panel).contains(QStringLiteral("следващия си ход")));
            QVERIFY(!warned(panel));
        }
    }

    void saysWhyTheSettingsOnDiskAreUnusable() {
        const struct {
            const char* name;
            QByteArray bytes;
            QString said;
        } cases[] = {
            {"bad level", "level=7\r\nend\r\n",
             lessonProblemText(LessonProblem::BadLevel, {"'7'"})},
            {"outside", "data=../rates.csv\r\nend\r\n",
             lessonProblemText(LessonProblem::DataOutside, {"'../rates.csv'"})},
            {"huge", QByteArray(100000, '#'), lessonProblemText(LessonProblem::TooLarge, {"4096"})},
        };
        for (const auto& c : cases) {
            QTemporaryDir folder;
            write(settingsPath(folder), c.bytes);
            LessonPanel panel(folder.path(), kAuthor, countingSeeds(), kKey);
            QVERIFY2(status(panel).contains(c.said), qPrintable(status(panel)));
            QVERIFY2(status(panel).contains(QStringLiteral("последните си добри настройки")),
                     c.name);
            QVERIFY(warned(panel));
        }
        // A pipe under the settings' name would block a reader that opened it.
        QTemporaryDir folder;
        QCOMPARE(::mkfifo(QFile::encodeName(settingsPath(folder)).constData(), 0600), 0);
        LessonPanel panel(folder.path(), kAuthor, countingSeeds(), kKey);
        QVERIFY(status(panel).contains(QStringLiteral("не е обикновен файл")));
    }

    void opensOnTheSettingsInTheFolder() {
        QTemporaryDir folder;
        write(folder.filePath(QStringLiteral("kursove.csv")), dailyRates());
        write(settingsPath(folder), settingsText({"auto", "kursove.csv", "77", "ivanova (PC02)",
                                                  "2026-12-09T08:00:00Z", kKey}));
        LessonPanel panel(folder.path(), kAuthor, countingSeeds(), kKey);
        QCOMPARE(findControl<QComboBox>(panel, "lessonLevel")->currentData().toString(),
                 QStringLiteral("auto"));
        QCOMPARE(findControl<QComboBox>(panel, "lessonData")->currentText(),
                 QStringLiteral("kursove.csv"));
        QVERIFY(findControl<QCheckBox>(panel, "lessonTogether")->isChecked());
        QVERIFY(status(panel).contains(QStringLiteral("ivanova (PC02)")));
        QVERIFY(!warned(panel));
        QVERIFY(status(panel).contains(
            QDateTime::fromString(QStringLiteral("2026-12-09T08:00:00Z"), Qt::ISODate)
                .toLocalTime()
                .toString(QStringLiteral("dd.MM.yyyy HH:mm"))));
        // Applied as it stands, the class keeps its turns and its file.
        QVERIFY(panel.apply());
        const auto settings = settingsIn(folder);
        QCOMPARE(settings->seed, std::string("77"));
        QCOMPARE(settings->data, std::string("kursove.csv"));
        QCOMPARE(settings->level, std::string("auto"));
        QCOMPARE(entries(folder.path()).size(), 2);
        // Settings naming a file gone from the folder would be refused by every pupil.
        const QByteArray applied = contents(settingsPath(folder));
        QVERIFY(QFile::remove(folder.filePath(QStringLiteral("kursove.csv"))));
        QVERIFY(!panel.apply());
        QVERIFY(status(panel).contains(QStringLiteral("вече го няма")));
        QCOMPARE(contents(settingsPath(folder)), applied);
    }

    // The window's own refresh, on its timer, is what shows another writer's change.
    void theTeacherWindowFollowsTheSettingsFile() {
        QTemporaryDir folder;
        TeacherWindow window(folder.path(), NumberStyle{}, kAuthor);
        auto* panel = findControl<LessonPanel>(window, "lessonPanel");
        QVERIFY(panel->apply());
        QCOMPARE(QString::fromStdString(settingsIn(folder)->writtenBy), kAuthor);
        write(settingsPath(folder),
              settingsText({"2", "ecb", "", "ivanova (PC02)", "2026-12-09T08:00:00Z"}));
        window.refresh();
        QVERIFY(!findControl<QPushButton>(window, "lessonAgain")->isHidden());
    }

    // Who wrote the settings is the file's owner as the system says it, not the file's own
    // written-by; a file of another account, or without this teacher's key, is warned of.
    void namesTheAccountThatOwnsTheSettings() {
        const QString self = QString::fromStdString(platform::currentAccount());
        const std::string otherKey = makeSealKeys().publicKey;
        const struct {
            const char* what;
            std::string key;
            bool toNobody;
            QString said;
            bool warning;
        } cases[] = {
            {"this account's, with this key", kKey, false,
             QStringLiteral("акаунта „%1“ (във файла пише „teacher (PC01)“)").arg(self), false},
            {"no key", "", false, QStringLiteral("няма ключ на учителя"), true},
            {"another key", otherKey, false, QStringLiteral("не е на този акаунт"), true},
            {"another account's", kKey, true,
             QStringLiteral("не е записан от акаунта, с който е отворен този изглед (%1)")
                 .arg(self),
             true},
        };
        for (const auto& c : cases) {
            if (c.toNobody && ::geteuid() != 0) {
                continue; // only root can give a file away
            }
            QTemporaryDir folder;
            write(settingsPath(folder),
                  settingsText({"2", "ecb", "", "teacher (PC01)", "2026-12-09T08:00:00Z", c.key}));
            if (c.toNobody) {
                QVERIFY(::chown(qPrintable(settingsPath(folder)), 65534, gid_t(-1)) == 0);
            }
            LessonPanel panel(folder.path(), kAuthor, countingSeeds(), kKey);
            QVERIFY2(status(panel).contains(c.said), qPrintable(status(panel)));
            QVERIFY2(warned(panel) == c.warning, c.what);
        }
    }
};

QTEST_MAIN(LessonPanelTest)
#include "lesson_panel_test.moc"
