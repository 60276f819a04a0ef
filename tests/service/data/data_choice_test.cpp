// Choosing the data: the built-in sources by name, a teacher's file read once, and every kind
// of file that cannot be used refused in one line.

#include "core/data/content_id.h"
#include "service/data/data_choice.h"
#include "service/system/translations.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <string>

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

// `days` rows of `columns` currencies that move a little each day, a few megabytes for 20,000.
QByteArray manyRates(int days, int columns) {
    QByteArray text = "Date";
    for (int c = 0; c < columns; ++c) {
        text += ",C" + QByteArray::number(c);
    }
    text += '\n';
    const QDate first(1950, 1, 1);
    for (int day = 0; day < days; ++day) {
        text += first.addDays(day).toString(Qt::ISODate).toLatin1();
        for (int c = 0; c < columns; ++c) {
            text += ',' + QByteArray::number(10 + c + (day * (c + 7)) % 97 / 1000.0, 'f', 4);
        }
        text += '\n';
    }
    return text;
}

// The program's resident size in kB, where the system tells it; 0 elsewhere.
long residentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
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
        QCOMPARE(loadData(QStringLiteral("catalogue"), error, Audience::Console)->kind(),
                 DataKind::Catalogue);
        const auto ecb = loadData(QStringLiteral("ecb"), error, Audience::Console);
        QCOMPARE(ecb->kind(), DataKind::Ecb);
        QVERIFY(ecb->windowCount() > 100'000);
    }

    void aFileIsNamedByItsNameAndHash() {
        QTemporaryDir folder;
        const QByteArray bytes = spreadsheetRates();
        const QString path = written(folder, "курсове.csv", bytes);
        QString error;
        const auto data = loadData(path, error, Audience::Console);
        QVERIFY2(data, qPrintable(error));
        QCOMPARE(
            QString::fromStdString(data->id()),
            QStringLiteral("курсове.csv@") +
                QString::fromStdString(contentId({bytes.constData(), std::size_t(bytes.size())})));
        QCOMPARE(data->windowCount(), std::size_t{3});
        QCOMPARE(QString::fromStdString(data->argument()), path);
    }

    // The repeat command may be typed in anywhere: a file named relative to where the quiz
    // started is kept from the root.
    void aFileNamedRelativelyIsKeptFromTheRoot() {
        QTemporaryDir folder;
        const QString path = written(folder, "it's $HOME.csv", spreadsheetRates());
        const QString previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        QString error;
        const auto data = loadData(QStringLiteral("it's $HOME.csv"), error, Audience::Console);
        QDir::setCurrent(previous);
        QVERIFY2(data, qPrintable(error));
        QCOMPARE(QString::fromStdString(data->argument()), QFileInfo(path).absoluteFilePath());
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
            QVERIFY(!loadData(c.argument, error, Audience::Console));
            QVERIFY2(error.startsWith(c.start) && !error.contains(u'\n'), qPrintable(error));
        }
    }

    // The menu's message box is Bulgarian in every locale: the reason, not only the title.
    void theMenusRefusalIsBulgarian() {
        QTemporaryDir folder;
        const QString bad = written(folder, "bad.csv", "Date,USD\n2024-01-02,1.5\n2024-01-03,x\n");
        QString error;
        QVERIFY(!loadData(bad, error, Audience::Window));
        QCOMPARE(error, bad + QStringLiteral(":3:2: 'x' не е число"));
        QVERIFY(!loadData(folder.path(), error, Audience::Window));
        QCOMPARE(error, folder.path() + QStringLiteral(": не е файл с курсове, а папка"));
        const QString missing = folder.filePath(QStringLiteral("missing.csv"));
        QVERIFY(!loadData(missing, error, Audience::Window));
        QCOMPARE(error, missing + QStringLiteral(": не може да се прочете: няма такъв файл"));
    }

    // A second choice while the first is read stops the first: only the latest arrives, and
    // a refusal arrives in Bulgarian.
    void theLoaderDeliversOnlyTheLatestChoice() {
        QTemporaryDir folder;
        const QString large = written(folder, "large.csv", manyRates(20'000, 20));
        const QString small = written(folder, "small.csv", spreadsheetRates());
        const QString bad = written(folder, "bad.csv", "Date,USD\n2024-01-02,1.5\n2024-01-03,x\n");
        DataLoader loader(Audience::Window);
        QSignalSpy loaded(&loader, &DataLoader::loaded);
        QSignalSpy refused(&loader, &DataLoader::refused);

        loader.load(large);
        loader.load(small);
        QVERIFY(loader.busy());
        QTRY_VERIFY(!loader.busy());
        QCOMPARE(loaded.size(), 1);
        const auto data = loaded.front().front().value<std::shared_ptr<const DataSet>>();
        QVERIFY(QString::fromStdString(data->id()).startsWith(QStringLiteral("small.csv@")));

        loader.load(large);
        loader.load(bad);
        QTRY_VERIFY(!loader.busy());
        QCOMPARE(loaded.size(), 1);
        QCOMPARE(refused.size(), 1);
        QCOMPARE(refused.front().front().toString(), bad + QStringLiteral(":3:2: 'x' не е число"));

        loader.load(small);
        loader.cancel();
        QVERIFY(!loader.busy());
    }

    // Reading a file again and again, each time on a thread of its own, leaves the program
    // about as large as reading it once: it grows by less than half of what one load holds, where
    // keeping every load would grow it by five. The allocator's own arenas make a few per cent
    // of noise either way, so a tighter bound fails by chance.
    void reloadingAFileGivesItsMemoryBack() {
#if defined(__SANITIZE_ADDRESS__)
        // The sanitizer holds freed memory back on purpose, and its leak check covers this.
        QSKIP("the resident size means nothing under AddressSanitizer");
#endif
        const long before = residentKb();
        if (before == 0) {
            QSKIP("the resident size is not known here");
        }
        QTemporaryDir folder;
        const QString path = written(folder, "large.csv", manyRates(40'000, 30));
        DataLoader loader(Audience::Console);
        std::shared_ptr<const DataSet> inUse;
        QObject::connect(
            &loader, &DataLoader::loaded,
            [&inUse](std::shared_ptr<const DataSet> data) { inUse = std::move(data); });
        std::vector<long> sizes;
        for (int load = 0; load < 6; ++load) {
            loader.load(path);
            QTRY_VERIFY_WITH_TIMEOUT(!loader.busy(), 60'000);
            QVERIFY(inUse);
            sizes.push_back(residentKb());
        }
        const QString figures = QStringLiteral("kB after each load: %1, %2, %3, %4, %5, %6")
                                    .arg(sizes[0])
                                    .arg(sizes[1])
                                    .arg(sizes[2])
                                    .arg(sizes[3])
                                    .arg(sizes[4])
                                    .arg(sizes[5]);
        const long oneLoad = sizes.front() - before;
        QVERIFY2(oneLoad > 0, qPrintable(figures));
        QVERIFY2((sizes.back() - sizes.front()) * 2 < oneLoad,
                 qPrintable(figures + QStringLiteral(", %1 kB before").arg(before)));
    }
};

QTEST_MAIN(DataChoiceTest)
#include "data_choice_test.moc"
