#pragma once

// A QR code's modules for a text, as libqrencode draws them, for a phone to read an address.

#include <optional>
#include <string>
#include <vector>

namespace quiz {

struct QrCode {
    int size = 0;              // modules on a side, without the quiet zone
    std::vector<bool> modules; // row by row, true for dark

    bool dark(int row, int column) const {
        return modules[static_cast<std::size_t>(row * size + column)];
    }
    bool operator==(const QrCode&) const = default;
};

// Modules on each side a reader needs clear to find the code.
inline constexpr int kQrQuietModules = 4;

// The text's QR code at medium error correction, case kept; none for a text that is empty,
// holds a NUL or is too long for any code.
std::optional<QrCode> qrCodeOf(const std::string& text);

} // namespace quiz
