#include "core/turns/iaaft_surrogate.h"

#include "core/random/own_draws.h"
#include "core/random/portable_math.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace quiz {

namespace {

constexpr int kMostRounds = 100;

// Written out rather than std::complex, whose abs (hypot) and product are library routines
// that need not round alike everywhere.
struct Complex {
    double re = 0.0;
    double im = 0.0;
};

Complex times(Complex a, Complex b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

double magnitude(Complex a) {
    return std::sqrt(a.re * a.re + a.im * a.im);
}

using Spectrum = std::vector<Complex>;

// Twiddle k is exp(-2 pi i k / n); built once per call from the portable functions.
Spectrum twiddles(std::size_t n) {
    Spectrum table(n);
    for (std::size_t k = 0; k < n; ++k) {
        const double angle = 2.0 * kPi * static_cast<double>(k) / static_cast<double>(n);
        table[k] = {portableCos(angle), -portableSin(angle)};
    }
    return table;
}

// Forward (sign -1) or inverse (sign +1, without the 1/n) DFT, summed in a fixed order.
Spectrum dft(const Spectrum& input, const Spectrum& table, bool inverse) {
    const std::size_t n = input.size();
    Spectrum output(n);
    for (std::size_t k = 0; k < n; ++k) {
        Complex sum;
        for (std::size_t j = 0; j < n; ++j) {
            Complex w = table[(j * k) % n];
            if (inverse) {
                w.im = -w.im;
            }
            const Complex term = times(input[j], w);
            sum.re += term.re;
            sum.im += term.im;
        }
        output[k] = sum;
    }
    return output;
}

Spectrum toSpectrum(const std::vector<std::int64_t>& values) {
    Spectrum spectrum;
    for (const std::int64_t value : values) {
        spectrum.push_back({static_cast<double>(value), 0.0});
    }
    return spectrum;
}

// Each place gets the original value of the same rank; equal keys keep their order.
std::vector<std::int64_t> inRankOrder(const Spectrum& shape,
                                      const std::vector<std::int64_t>& sorted) {
    std::vector<std::size_t> order(shape.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return shape[a].re < shape[b].re; });
    std::vector<std::int64_t> result(shape.size());
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        result[order[rank]] = sorted[rank];
    }
    return result;
}

} // namespace

std::vector<std::int64_t> iaaftSurrogate(const std::vector<std::int64_t>& values,
                                         RandomSource& random) {
    std::vector<std::int64_t> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const Spectrum table = twiddles(values.size());
    std::vector<double> amplitudes;
    for (const auto& coefficient : dft(toSpectrum(values), table, false)) {
        amplitudes.push_back(magnitude(coefficient));
    }

    std::vector<std::int64_t> surrogate = values;
    shuffle(surrogate, random);
    for (int round = 0; round < kMostRounds; ++round) {
        Spectrum spectrum = dft(toSpectrum(surrogate), table, false);
        for (std::size_t k = 0; k < spectrum.size(); ++k) {
            const double size = magnitude(spectrum[k]);
            const double scale = size > 0.0 ? amplitudes[k] / size : 0.0;
            spectrum[k] = size > 0.0 ? Complex{spectrum[k].re * scale, spectrum[k].im * scale}
                                     : Complex{amplitudes[k], 0.0};
        }
        std::vector<std::int64_t> next = inRankOrder(dft(spectrum, table, true), sorted);
        if (next == surrogate) {
            break;
        }
        surrogate = std::move(next);
    }
    return surrogate;
}

} // namespace quiz
