#pragma once

// libsodium made ready once, and bytes written as base64 and read back, for the seal's files.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quiz::seal_detail {

// Whether libsodium could be made ready; it is then ready for good, from any thread.
bool sodiumReady();

std::string base64(const unsigned char* bytes, std::size_t size);
// Exactly `size` bytes written as base64, nothing before or after; none otherwise.
std::optional<std::vector<unsigned char>> fromBase64(std::string_view text, std::size_t size);

} // namespace quiz::seal_detail
