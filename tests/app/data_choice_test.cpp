// Choosing the data: the built-in sources by name, a teacher's file read once, and every kind
// of file that cannot be used refused in one line.

#include "app/data_choice.h"
#include "app/translations.h"

#include <QCryptographicHash>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quiz;

namespace {

// 45 working days of one currency, as a Bulgarian spreadsheet saves them.
QByteArray spreadsheetRates() {
    QByteArray text = "Дата;USD\r\n";
    for (int day = 1; day <= 45; ++day) {
        text += QStringLiteral("%1;1,%2\r\n")
                    .arg(QDate(2024, 1, 1).addDays(day).toString(QStringLiteral("dd.MM.yyyy")))
                    .arg(1000 + day * 7)
                    .toUtf8();
    }
    return text;
}

QString written(const QTemporaryDir& folder, const char* name, const QByteArray& bytes) {
    const QString path = folder.filePath(QString::fromUtf8(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

} // namespace

class DataChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void builtInSourcesAreChosenByName() {
        QString error;
        QCOMPARE(loadData(QStringLiteral("catalogue"), error)->kind(), DataKind::Catalogue);
        const auto ecb = loadData(QStringLiteral("ecb"), error);
        QCOMPARE(ecb->kind(), DataKind::Ecb);
        QVERIFY(ecb->windowCount() > 100'000);
    }

    void aFileIsNamedByItsNameAndHash() {
        QTemporaryDir folder;
        const QByteArray bytes = spreadsheetRates();
        const QString path = written(folder, "курсове.csv", bytes);
        QString error;
        const auto data = loadData(path, error);
        QVERIFY2(data, qPrintable(error));
        const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
        QCOMPARE(QString::fromStdString(data->id()),
                 QStringLiteral("курсове.csv@") + QString::fromLatin1(hash.toHex().left(12)));
        QCOMPARE(data->windowCount(), std::size_t{3});
        QCOMPARE(QString::fromStdString(data->argument()), path);
    }

    void whatCannotBeUsedIsRefusedInOneLine() {
        QTemporaryDir folder;
        const QString bad = written(folder, "bad.csv", "Date,USD\n2024-01-02,1.5\n2024-01-03,x\n");
        const QString missing = folder.filePath(QStringLiteral("missing.csv"));
        const struct {
            QString argument;
            QString start;
        } cases[] = {
            {bad, bad + QStringLiteral(":3:2: 'x' is not a number")},
            {missing, missing + QStringLiteral(": cannot be read")},
            {folder.path(),
             folder.path() + QStringLiteral(": is not a file of rates but a folder")},
            {written(folder, "short.csv", "Date,USD\n2024-01-02,1.5\n"), QString()},
        };
        for (const auto& c : cases) {
            QString error;
            QVERIFY(!loadData(c.argument, error));
            QVERIFY2(error.startsWith(c.start) && !error.contains(u'\n'), qPrintable(error));
        }
    }

    // The menu's message box is Bulgarian in every locale: the reason, not only the title.
    void theMenusRefusalIsBulgarian() {
        QTemporaryDir folder;
        const QString bad = written(folder, "bad.csv", "Date,USD\n2024-01-02,1.5\n2024-01-03,x\n");
        QString error;
        QVERIFY(!loadData(bad, error, bulgarianMessages()));
        QCOMPARE(error, bad + QStringLiteral(":3:2: 'x' не е число"));
        QVERIFY(!loadData(folder.path(), error, bulgarianMessages()));
        QCOMPARE(error, folder.path() + QStringLiteral(": не е файл с курсове, а папка"));
        const QString missing = folder.filePath(QStringLiteral("missing.csv"));
        QVERIFY(!loadData(missing, error, bulgarianMessages()));
        QCOMPARE(error, missing + QStringLiteral(": не може да се прочете: няма такъв файл"));
    }
};

QTEST_MAIN(DataChoiceTest)
#include "data_choice_test.moc"
