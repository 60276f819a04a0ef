#pragma once

// How likely pure guessing is to do at least as well as the class did.

#include <span>
#include <vector>

namespace quiz {

// The chance of at least `correct` right answers in `answered` turns when each is a coin toss
// (binomial, p = 1/2). 1 for 0 of 0, 0.125 for 3 of 3; exact to about 1e-12 and free of
// overflow for any count an int holds. Throws std::invalid_argument unless
// 0 <= correct <= answered.
double guessingChance(int correct, int answered);

// A result whose guessing chance is at most 5 %, the usual line of a one-sided test, is seldom
// luck: it says the pupil tells the lists apart.
bool beatsGuessing(double chance);

// Which of several results, tested together, beat guessing once their number is allowed for,
// by Holm's step-down method: in order of chance, the k-th smallest of m must be at most
// 5 % / (m - k + 1), and the first that is not stops the rest. Of classes of pure guessers,
// however many, at most 5 % show anyone beating it. In the order given.
std::vector<bool> beatGuessingTogether(std::span<const double> chances);

} // namespace quiz
