#include "core/results/system_reason.h"

#include <array>
#include <cerrno>
#include <utility>

namespace quiz {

std::string bulgarianReason(int errorNumber, std::string_view systemText) {
    static constexpr std::array kReasons{
        std::pair{ENOSPC, "няма свободно място на диска"},
        std::pair{EACCES, "няма разрешение за запис"},
        std::pair{EPERM, "няма разрешение за запис"},
        std::pair{ENOENT, "няма такава папка"},
        std::pair{ENOTDIR, "няма такава папка"},
        std::pair{EROFS, "дискът е само за четене"},
        std::pair{EISDIR, "това е папка, а не файл"},
        std::pair{EPIPE, "получателят вече не чете"},
        std::pair{EIO, "грешка при запис на устройството"},
        std::pair{ENODEV, "устройството не е достъпно"},
    };
#ifdef EDQUOT // not on Windows
    if (errorNumber == EDQUOT) {
        return "квотата на диска е изчерпана";
    }
#endif
#ifdef ESTALE // a network folder's file gone from under the client; not on Windows
    if (errorNumber == ESTALE) {
        return "мрежовата папка вече не е достъпна";
    }
#endif
#ifdef ENOTCONN
    if (errorNumber == ENOTCONN) {
        return "връзката с мрежовата папка е прекъсната";
    }
#endif
    for (const auto& [number, reason] : kReasons) {
        if (number == errorNumber) {
            return reason;
        }
    }
    return std::string(systemText);
}

} // namespace quiz
