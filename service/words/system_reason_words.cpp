#include "service/words/system_reason_words.h"

#include "core/platform/system_reason.h"

namespace quiz {

std::string bulgarianReason(int errorNumber, std::string_view systemText) {
    switch (systemReasonOf(errorNumber)) {
    case SystemReason::NoSpace:
        return "няма свободно място на диска";
    case SystemReason::NoPermission:
        return "няма разрешение за запис";
    case SystemReason::NoFolder:
        return "няма такава папка";
    case SystemReason::ReadOnly:
        return "дискът е само за четене";
    case SystemReason::IsFolder:
        return "това е папка, а не файл";
    case SystemReason::ReaderGone:
        return "получателят вече не чете";
    case SystemReason::DeviceFault:
        return "грешка при запис на устройството";
    case SystemReason::DeviceGone:
        return "устройството не е достъпно";
    case SystemReason::QuotaFull:
        return "квотата на диска е изчерпана";
    case SystemReason::ShareGone:
        return "мрежовата папка вече не е достъпна";
    case SystemReason::ShareCut:
        return "връзката с мрежовата папка е прекъсната";
    case SystemReason::TooLarge:
        return "файлът е толкова голям, колкото системата позволява";
    case SystemReason::Other:
        break;
    }
    return std::string(systemText);
}

} // namespace quiz
