#include "service/words/file_kind_words.h"

#include <QTest>

using namespace quiz;

class FileKindWordsTest : public QObject {
    Q_OBJECT

private slots:
    // As the start-up's refusal of a results file reads in each language.
    void eachKindReadsInBothLanguages() {
        const struct {
            FileKind kind;
            const char* english;
            const char* bulgarian;
        } cases[] = {
            {FileKind::Folder, "not a regular file but a folder", "не е обикновен файл, а папка"},
            {FileKind::Pipe, "not a regular file but a pipe", "не е обикновен файл, а канал"},
            {FileKind::Socket, "not a regular file but a socket", "не е обикновен файл, а сокет"},
            {FileKind::Device, "not a regular file but a device",
             "не е обикновен файл, а устройство"},
            {FileKind::Other, "not a regular file but another kind of file",
             "не е обикновен файл, а файл от друг вид"},
        };
        for (const auto& c : cases) {
            QCOMPARE(QString::fromStdString(notRegularFile(c.kind, Wording::English)),
                     QString::fromUtf8(c.english));
            QCOMPARE(QString::fromStdString(notRegularFile(c.kind, Wording::Bulgarian)),
                     QString::fromUtf8(c.bulgarian));
        }
    }

    void withoutAKindItIsThePhraseAlone() {
        QCOMPARE(QString::fromStdString(notRegularFile(Wording::Bulgarian)),
                 QString::fromUtf8("не е обикновен файл"));
        QCOMPARE(notRegularFile(Wording::English), std::string("not a regular file"));
    }
};

QTEST_GUILESS_MAIN(FileKindWordsTest)
#include "file_kind_words_test.moc"
