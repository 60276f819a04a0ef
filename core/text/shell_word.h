#pragma once

// A text as one word of a command line that a POSIX shell reads back unchanged.

#include <string>
#include <string_view>

namespace quiz {

// As it is when it holds only letters, digits and "_-./:=+,@%" (and is not empty); otherwise
// in single quotes, each single quote in it written '\''. Nothing inside single quotes, "$",
// "`", "\" or "!", is expanded by the shell.
std::string shellWord(std::string_view text);

} // namespace quiz
