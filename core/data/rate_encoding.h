#pragma once

// The text of a rate file as UTF-8, whichever of the encodings spreadsheets save it in.

#include "core/data/rate_messages.h"

#include <string>
#include <string_view>

namespace quiz::rates {

// The file as UTF-8 without a byte-order mark: the bytes themselves when they are UTF-8
// already, else their conversion from Windows-1251, kept in `converted`. A spreadsheet's
// "Unicode text" is UTF-16, which would pass for Windows-1251 and fail on every cell.
std::string_view asUtf8(std::string_view bytes, std::string& converted, const Messages& messages);

} // namespace quiz::rates
