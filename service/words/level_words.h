#pragma once

// The difficulty levels in the teacher's and the pupil's words.

#include <QString>

namespace quiz {

// A short Bulgarian name for the menu and the tables ("1 – случайно лутане").
QString levelName(int level);
// The choice of a level that adapts to each pupil, for the menu ("според ученика").
QString adaptiveLevelName();
// One Bulgarian sentence for after the answer: how the made-up list was made and what a
// careful eye could still notice.
QString levelExplanation(int level);

} // namespace quiz
