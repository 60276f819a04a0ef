#include "core/results/system_reason.h"

#include <gtest/gtest.h>

#include <cerrno>

using quiz::bulgarianReason;

TEST(SystemReason, CommonReasonsAreBulgarianAndTheRestKeepTheSystemsText) {
    const struct {
        int errorNumber;
        const char* reason;
    } cases[] = {
        {ENOSPC, "няма свободно място на диска"},
        {EACCES, "няма разрешение за запис"},
        {ENOENT, "няма такава папка"},
        {EROFS, "дискът е само за четене"},
        {EPIPE, "получателят вече не чете"},
        {ENODEV, "устройството не е достъпно"},
#ifdef ESTALE
        {ESTALE, "мрежовата папка вече не е достъпна"},
#endif
#ifdef ENOTCONN
        {ENOTCONN, "връзката с мрежовата папка е прекъсната"},
#endif
        {EBADF, "system text"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bulgarianReason(c.errorNumber, "system text"), c.reason) << c.errorNumber;
    }
}
