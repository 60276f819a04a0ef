#pragma once

// The language a reason is worded in: the console's follows the user, the windows' is Bulgarian.

namespace quiz {

enum class Wording { English, Bulgarian };

} // namespace quiz
