// Range reduction by pi/2 split in three parts (Cody and Waite), exact for
// the first product up to |x| of 2^20, then Taylor series on [-pi/4, pi/4]
// to the 19th power, whose first neglected term is below 2^-63. The file is
// compiled without contracted multiply-adds, so every system rounds the same
// operations the same way.
#include "core/steady_trig.h"

#include <cstdint>

namespace {

constexpr double kTwoOverPi = 6.36619772367581382433e-01;
constexpr double kHalfPiHigh = 1.57079632673412561417e+00;   // the first 33 bits of pi/2
constexpr double kHalfPiMiddle = 6.07710050630396597660e-11;  // the next 33 bits
constexpr double kHalfPiLow = 2.02226624879595063154e-21;     // the rest
constexpr int kSeriesTerms = 9;

// x = quadrant * pi/2 + remainder, |remainder| <= pi/4
double Reduce(double x, int64_t& quadrant) {
    double q = x * kTwoOverPi;
    quadrant = static_cast<int64_t>(q < 0 ? q - 0.5 : q + 0.5);
    double k = static_cast<double>(quadrant);
    return ((x - k * kHalfPiHigh) - k * kHalfPiMiddle) - k * kHalfPiLow;
}

double SinSeries(double r) {
    double r2 = r * r, term = r, sum = r;
    for (int n = 1; n <= kSeriesTerms; ++n) {
        term *= -r2 / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

double CosSeries(double r) {
    double r2 = r * r, term = 1.0, sum = 1.0;
    for (int n = 1; n <= kSeriesTerms; ++n) {
        term *= -r2 / ((2 * n - 1) * (2 * n));
        sum += term;
    }
    return sum;
}

// sin(x + shift * pi/2)
float ShiftedSin(float x, int64_t shift) {
    int64_t quadrant = 0;
    double r = Reduce(x, quadrant);
    switch ((quadrant + shift) & 3) {
        case 0: return static_cast<float>(SinSeries(r));
        case 1: return static_cast<float>(CosSeries(r));
        case 2: return static_cast<float>(-SinSeries(r));
        default: return static_cast<float>(-CosSeries(r));
    }
}

}  // namespace

float SteadySin(float x) { return ShiftedSin(x, 0); }
float SteadyCos(float x) { return ShiftedSin(x, 1); }
