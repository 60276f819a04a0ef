#include "service/words/system_reason_words.h"

#include <QTest>

#include <cerrno>

using namespace quiz;

class SystemReasonWordsTest : public QObject {
    Q_OBJECT

private slots:
    void commonReasonsAreBulgarianAndTheRestKeepTheSystemsText() {
        const struct {
            int errorNumber;
            const char* reason;
        } cases[] = {
            {ENOSPC, "няма свободно място на диска"},
            {EACCES, "няма разрешение за запис"},
            {ENOENT, "няма такава папка"},
            {EROFS, "дискът е само за четене"},
            {EISDIR, "това е папка, а не файл"},
            {EPIPE, "получателят вече не чете"},
            {EIO, "грешка при запис на устройството"},
            {ENODEV, "устройството не е достъпно"},
            {EFBIG, "файлът е толкова голям, колкото системата позволява"},
#ifdef EDQUOT
            {EDQUOT, "квотата на диска е изчерпана"},
#endif
#ifdef ESTALE
            {ESTALE, "мрежовата папка вече не е достъпна"},
#endif
#ifdef ENOTCONN
            {ENOTCONN, "връзката с мрежовата папка е прекъсната"},
#endif
            {EBADF, "system text"},
        };
        for (const auto& c : cases) {
            QCOMPARE(bulgarianReason(c.errorNumber, "system text"), std::string(c.reason));
        }
    }
};

QTEST_GUILESS_MAIN(SystemReasonWordsTest)
#include "system_reason_words_test.moc"
