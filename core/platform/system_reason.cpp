#include "core/platform/system_reason.h"

#include <array>
#include <cerrno>
#include <utility>

namespace quiz {

SystemReason systemReasonOf(int errorNumber) {
    static constexpr std::array kReasons{
        std::pair{ENOSPC, SystemReason::NoSpace},
        std::pair{EACCES, SystemReason::NoPermission},
        std::pair{EPERM, SystemReason::NoPermission},
        std::pair{ENOENT, SystemReason::NoFolder},
        std::pair{ENOTDIR, SystemReason::NoFolder},
        std::pair{EROFS, SystemReason::ReadOnly},
        std::pair{EISDIR, SystemReason::IsFolder},
        std::pair{EPIPE, SystemReason::ReaderGone},
        std::pair{EIO, SystemReason::DeviceFault},
        std::pair{ENODEV, SystemReason::DeviceGone},
        std::pair{EFBIG, SystemReason::TooLarge},
    };
#ifdef EDQUOT // not on Windows
    if (errorNumber == EDQUOT) {
        return SystemReason::QuotaFull;
    }
#endif
#ifdef ESTALE // not on Windows
    if (errorNumber == ESTALE) {
        return SystemReason::ShareGone;
    }
#endif
#ifdef ENOTCONN
    if (errorNumber == ENOTCONN) {
        return SystemReason::ShareCut;
    }
#endif
    for (const auto& [number, reason] : kReasons) {
        if (number == errorNumber) {
            return reason;
        }
    }
    return SystemReason::Other;
}

} // namespace quiz
