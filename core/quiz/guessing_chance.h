#pragma once

// How likely pure guessing is to do at least as well as the class did.

namespace quiz {

// The chance of at least `correct` right answers in `answered` turns when each is a coin toss
// (binomial, p = 1/2). 1 for 0 of 0, 0.125 for 3 of 3; exact to about 1e-12 and free of
// overflow for any count an int holds. Throws std::invalid_argument unless
// 0 <= correct <= answered.
double guessingChance(int correct, int answered);

// A result whose guessing chance is at most 5 %, the usual line of a one-sided test, is seldom
// luck: it says the pupil tells the lists apart.
bool beatsGuessing(double chance);

} // namespace quiz
