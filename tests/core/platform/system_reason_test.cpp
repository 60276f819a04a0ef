#include "core/platform/system_reason.h"

#include <gtest/gtest.h>

#include <cerrno>

using quiz::SystemReason;
using quiz::systemReasonOf;

TEST(SystemReason, CommonErrorsHaveTheirReasonAndTheRestNone) {
    const struct {
        int errorNumber;
        SystemReason reason;
    } cases[] = {
        {ENOSPC, SystemReason::NoSpace},
        {EACCES, SystemReason::NoPermission},
        {EPERM, SystemReason::NoPermission},
        {ENOENT, SystemReason::NoFolder},
        {ENOTDIR, SystemReason::NoFolder},
        {EROFS, SystemReason::ReadOnly},
        {EISDIR, SystemReason::IsFolder},
        {EPIPE, SystemReason::ReaderGone},
        {EIO, SystemReason::DeviceFault},
        {ENODEV, SystemReason::DeviceGone},
        {EFBIG, SystemReason::TooLarge},
#ifdef EDQUOT
        {EDQUOT, SystemReason::QuotaFull},
#endif
#ifdef ESTALE
        {ESTALE, SystemReason::ShareGone},
#endif
#ifdef ENOTCONN
        {ENOTCONN, SystemReason::ShareCut},
#endif
        {EBADF, SystemReason::Other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(systemReasonOf(c.errorNumber), c.reason) << c.errorNumber;
    }
}
