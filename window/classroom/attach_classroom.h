#pragma once

// A classroom joined to a quiz window: it hears the window's answers, turns and requests.

#include "window/classroom/classroom.h"
#include "window/quiz/quiz_form.h"

#include <cstdint>
#include <memory>

namespace quiz {

// A classroom that follows the form's picks, new turns and requests for statistics.
std::unique_ptr<Classroom> attachClassroom(QuizForm& form, std::uint32_t seed,
                                           ResultsTarget results = {});

} // namespace quiz
