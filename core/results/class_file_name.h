#pragma once

// The name of a run's own results file in a class folder, safe whatever the pupil typed.

#include <cstdint>
#include <string>
#include <string_view>

namespace quiz {

// At most this many bytes of the pupil's name and of the host's.
inline constexpr std::size_t kNamePieceBytes = 60;

// A name or host as one piece of a file name that stays in its folder and opens on Windows
// and through Samba: path separators, control and bidirectional marks, < > : " | ? * and
// invalid UTF-8 bytes become "_"; blanks and dots are trimmed from both ends; a name Windows
// reserves for a device (CON, com1.txt, …) gets a leading "_"; the result is cut to
// kNamePieceBytes without splitting a character, and is "_" rather than empty.
std::string safeNamePiece(std::string_view text);

// "<pupil>_<host>_YYYY-MM-DDThh-mm-ssZ.csv" in UTF-8, the time in UTC, both names made safe:
// ("Иванова Мария", "PC07", 1796721300) gives "Иванова Мария_PC07_2026-12-08T09-15-00Z.csv".
std::string classFileName(std::string_view pupil, std::string_view host,
                          std::int64_t unixSecondsUtc);

} // namespace quiz
