#pragma once

// Bulgarian names of the currencies the ECB quotes, in the catalogue's form "name - CODE".

#include <string>
#include <string_view>

namespace quiz {

// "щатски долар - USD" for "USD"; a code the table does not know stands for itself, and an
// empty one becomes `fallback`.
std::string currencyDisplayName(std::string_view code, std::string_view fallback = {});

// Whether the table knows the code.
bool isKnownCurrency(std::string_view code);

} // namespace quiz
