#pragma once

// The names the built-in data go by, as --data takes them and the lesson and the results write
// them; anything else names a teacher's file.

#include <string_view>

namespace quiz {

// Arrays rather than views, so that Qt code can take them as Latin-1 literals.
inline constexpr char kCatalogueData[] = "catalogue"; // the six stored series
inline constexpr char kEcbData[] = "ecb";             // the ECB's extract

// Whether `data` names one of the built-in data sets rather than a file.
inline bool isBuiltInData(std::string_view data) {
    return data == kCatalogueData || data == kEcbData;
}

} // namespace quiz
