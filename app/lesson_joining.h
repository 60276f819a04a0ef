#pragma once

// The quiz window joining a lesson on the network: from its menu, or at once from --join.

#include "app/command_line.h"
#include "core/text/number_style.h"
#include "window/quiz/quiz_form.h"

namespace quiz {

// The menu offers joining; with --join the window joins at once when the command line named
// the pupil and gave the code, and otherwise asks for them, the rest filled in.
void offerJoining(QuizForm& form, const CommandLine& line, const NumberStyle& style);

} // namespace quiz
