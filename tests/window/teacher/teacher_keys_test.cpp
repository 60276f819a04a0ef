// The teacher's key pair: made once, kept in this account's own settings where only this
// account can read it, and the same pair at every start.

#include "core/seal/sealed_seed.h"
#include "window/teacher/teacher_keys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

using namespace quiz;

class TeacherKeysTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true); // never the real settings of this account
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).removeRecursively();
    }

    void keepsOnePairForThisAccountOnly() {
        const TeacherKeys first = loadTeacherKeys();
        QVERIFY2(first.keys, qPrintable(first.problem));
        const TeacherKeys again = loadTeacherKeys();
        QVERIFY(again.keys);
        QCOMPARE(again.keys->secretKey, first.keys->secretKey);
        QCOMPARE(again.keys->publicKey, first.keys->publicKey);
        // What a run sealed at the last lesson still opens at this one.
        const RunSeed seed{.seed = 31, .origin = SeedOrigin::Lesson, .run = 5};
        QCOMPARE(openSeed(sealSeed(seed, first.keys->publicKey), *again.keys), seed);

        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        const QFileInfo file(QDir(folder).filePath(QStringLiteral("teacher.ini")));
        QVERIFY(file.isFile());
        constexpr auto kOthers = QFileDevice::ReadGroup | QFileDevice::ReadOther |
                                 QFileDevice::WriteGroup | QFileDevice::WriteOther;
        QCOMPARE(file.permissions() & kOthers, QFileDevice::Permissions());
        QCOMPARE(QFileInfo(folder).permissions() & kOthers, QFileDevice::Permissions());
    }

    // A kept key that no longer reads as one is replaced, never used half.
    void replacesAKeptKeyThatIsNoKey() {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        QFile file(QDir(folder).filePath(QStringLiteral("teacher.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[General]\nseed-secret-key=garbage\n");
        file.close();
        const TeacherKeys keys = loadTeacherKeys();
        QVERIFY(keys.keys);
        QCOMPARE(sealKeysOf(keys.keys->secretKey), keys.keys);
    }
};

QTEST_GUILESS_MAIN(TeacherKeysTest)
#include "teacher_keys_test.moc"
