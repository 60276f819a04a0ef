#include "core/system_reason.h"

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
        {EBADF, "system text"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bulgarianReason(c.errorNumber, "system text"), c.reason) << c.errorNumber;
    }
}
