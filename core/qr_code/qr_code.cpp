#include "core/qr_code/qr_code.h"

#include <qrencode.h>

#include <memory>

namespace quiz {

std::optional<QrCode> qrCodeOf(const std::string& text) {
    if (text.empty() || text.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> encoded(
        QRcode_encodeString(text.c_str(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    if (!encoded) {
        return std::nullopt;
    }
    QrCode code;
    code.size = encoded->width;
    const auto count = static_cast<std::size_t>(code.size) * static_cast<std::size_t>(code.size);
    code.modules.reserve(count);
    // The lowest bit of each byte is the module's colour; the others say what part it is of.
    for (std::size_t i = 0; i < count; ++i) {
        code.modules.push_back((encoded->data[i] & 1U) != 0);
    }
    return code;
}

} // namespace quiz
