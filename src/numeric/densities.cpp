#include "numeric/densities.h"

#include <cmath>

namespace {

// The terms below are sums of a few logarithms whose size can be a few thousand while the density's
// exponent is small; they are formed in long double, whose wider significand keeps their rounding below
// that of the double result.
using Wide = long double;

constexpr Wide kLnSqrtTwoPi = 0.918938533204672741780329736405617639861L;
constexpr Wide kSqrtTwoPi = 2.506628274631000502415765284811045253007L;

// ln Gamma(n + 1) - ((n + 1/2) ln n - n + ln sqrt(2 pi)): what Stirling's formula misses of ln n!, for
// n > 0. Small for every n (1/(12 n) for large n), so it carries none of the size of ln n! itself.
Wide StirlingError(Wide n) {
    if (n > 15) {
        // The asymptotic series; the first term left out is below 1e-16 of the sum at n = 16.
        constexpr Wide s0 = 1.0L / 12, s1 = 1.0L / 360, s2 = 1.0L / 1260, s3 = 1.0L / 1680, s4 = 1.0L / 1188,
                       s5 = 691.0L / 360360, s6 = 1.0L / 156;
        const Wide nn = n * n;
        return (s0 - (s1 - (s2 - (s3 - (s4 - (s5 - s6 / nn) / nn) / nn) / nn) / nn) / nn) / n;
    }
    return std::lgamma(n + 1) - (n + 0.5L) * std::log(n) + n - kLnSqrtTwoPi;
}

// The deviance x ln(x / m) + m - x (never negative) for x >= 0 and m > 0. Near x = m both halves are
// large and nearly equal; there the series in v = (x - m) / (x + m) gives it without cancellation.
Wide Deviance(Wide x, Wide m) {
    if (x == 0) return m;
    if (std::fabs(x - m) < (x + m) / 3) {
        const Wide v = (x - m) / (x + m), v2 = v * v;  // |v| < 1/3: each term is 9 times smaller
        Wide sum = (x - m) * v;
        Wide term = 2 * x * v;
        for (int j = 1; j < 100; ++j) {
            term *= v2;
            const Wide next = sum + term / (2 * j + 1);
            if (next == sum) break;
            sum = next;
        }
        return sum;
    }
    const Wide ratio = x / m;
    // A ratio beyond the range still has a logarithm.
    const Wide log = std::isnormal(ratio) ? std::log(ratio) : std::log(x) - std::log(m);
    return x * log + m - x;
}

// lambda^k e^-lambda / Gamma(k + 1) = e^(-StirlingError(k) - Deviance(k, lambda)) / sqrt(2 pi k).
Wide Poisson(Wide k, Wide lambda) {
    if (k == 0) return std::exp(-lambda);
    if (!(k > 0 && lambda > 0) || std::isinf(lambda)) return 0;
    return std::exp(-StirlingError(k) - Deviance(k, lambda)) / (kSqrtTwoPi * std::sqrt(k));
}

}  // namespace

double PoissonDensity(double k, double lambda) {
    return static_cast<double>(Poisson(k, lambda));
}

double BinomialDensity(double k, double n, double p) {
    const Wide q = 1 - static_cast<Wide>(p);
    if (p == 0) return k == 0 ? 1 : 0;
    if (q == 0) return k == n ? 1 : 0;
    if (k == 0) return static_cast<double>(std::exp(n * std::log1p(-static_cast<Wide>(p))));
    if (k == n) return static_cast<double>(std::exp(n * std::log(static_cast<Wide>(p))));
    const Wide np = n * static_cast<Wide>(p), nq = n * q;
    const Wide lc =
        StirlingError(n) - StirlingError(k) - StirlingError(n - k) - Deviance(k, np) - Deviance(n - k, nq);
    // sqrt(2 pi k (n - k) / n), factor by factor so that no product leaves the range.
    const Wide root =
        kSqrtTwoPi * std::sqrt(static_cast<Wide>(k)) * std::sqrt((n - k) / static_cast<Wide>(n));
    return static_cast<double>(std::exp(lc) / root);
}

double GammaDensity(double x, double shape, double scale) {
    if (x == 0) {
        if (shape < 1) return HUGE_VAL;
        return shape > 1 ? 0 : 1 / scale;
    }
    // (x/scale)^(shape-1) e^(-x/scale) / Gamma(shape) is a Poisson term of count shape - 1.
    const Wide y = static_cast<Wide>(x) / scale;
    if (shape < 1) return static_cast<double>(Poisson(shape, y) * shape / x);
    return static_cast<double>(Poisson(shape - static_cast<Wide>(1), y) / scale);
}
