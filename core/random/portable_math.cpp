#include "core/random/portable_math.h"

#include <cmath>
#include <stdexcept>

namespace quiz {

namespace {

constexpr int kSeriesTerms = 30;
constexpr double kLn2 = 0.6931471805599453;

// Brings x into [-pi, pi], where the series below converge quickly.
double reduced(double x) {
    const double turns = std::floor((x + kPi) / (2 * kPi));
    return x - turns * 2 * kPi;
}

} // namespace

double portableCos(double x) {
    x = reduced(x);
    double term = 1.0;
    double sum = 1.0;
    for (int n = 1; n < kSeriesTerms; ++n) {
        term *= -x * x / ((2 * n - 1) * (2 * n));
        sum += term;
    }
    return sum;
}

double portableSin(double x) {
    x = reduced(x);
    double term = x;
    double sum = x;
    for (int n = 1; n < kSeriesTerms; ++n) {
        term *= -x * x / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

double portableLog(double x) {
    if (!(x > 0.0) || !std::isfinite(x)) {
        throw std::domain_error("portableLog needs a positive, finite number");
    }
    int exponent = 0;
    const double mantissa = std::frexp(x, &exponent); // exact: 0.5 <= mantissa < 1
    // ln m = 2 atanh t with t = (m - 1) / (m + 1), |t| <= 1/3.
    const double t = (mantissa - 1.0) / (mantissa + 1.0);
    double power = t;
    double sum = 0.0;
    for (int n = 0; n < kSeriesTerms; ++n) {
        sum += power / (2 * n + 1);
        power *= t * t;
    }
    return 2.0 * sum + exponent * kLn2;
}

} // namespace quiz
