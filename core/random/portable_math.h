#pragma once

// Cosine, sine and logarithm written with + - * / and sqrt only. IEEE 754 rounds those the same
// everywhere, so a seed gives the same made-up lists on every system; libm's own functions may
// differ in the last bit between C libraries, and a last bit can flip a rounding or an order.

namespace quiz {

inline constexpr double kPi = 3.141592653589793;

// Accurate to a few units in the last place for |x| <= 2 pi; the quiz needs no more.
double portableCos(double x);
double portableSin(double x);
// Natural logarithm of a positive, finite x.
double portableLog(double x);

} // namespace quiz
