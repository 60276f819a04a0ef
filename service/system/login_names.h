#pragma once

// Who is answering on this computer: the login name and the computer's name.

#include <string>

namespace quiz {

std::string loginName();
std::string hostName();

} // namespace quiz
