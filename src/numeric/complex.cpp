#include "numeric/complex.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = std::numbers::pi / 2;
constexpr double kInf = std::numeric_limits<double>::infinity();
// Below this a part counts as zero for the limit cases of the inverse functions.
constexpr double kTiny = 1e-12;
// Beyond this the general inverse formulas lose everything to cancellation; the asymptotic forms
// (ln 2|x| and friends) are exact to double precision there.
constexpr double kHuge = 6e7;

constexpr COMPLEX kZero = {0, 0};
constexpr COMPLEX kOne = {1, 0};
constexpr COMPLEX kI = {0, 1};
constexpr COMPLEX kMinusI = {0, -1};
constexpr COMPLEX kHalf = {0.5, 0};
constexpr COMPLEX kTwo = {2, 0};

bool IsTiny(double v) {
    return -kTiny < v && v < kTiny;
}
bool IsZero(COMPLEX z) {
    return z.re == 0 && z.im == 0;
}

// The inverse functions take roots through complex_pow so that every branch decision comes from the one
// atan2 inside it. Squares are plain products: through the polar form a negative real square picks up an
// imaginary part of x^2 sin 2pi, which threw arcsin(-1) off in the eighth digit.
COMPLEX PowSqrt(COMPLEX w) {
    return complex_pow(w, kHalf);
}
COMPLEX PowSquare(COMPLEX z) {
    return complex_mul(z, z);
}
// c + w for a real c, leaving the imaginary part (and the sign of a zero one) alone. On the cuts along the
// axes the sign of that zero picks the side, and each inverse function must land on the side its limit
// cases take further out: arcsin and arccos on that of 1 - z^2 with a positive zero (complex_sub), arcsinh
// and arccosh on that of z^2 +- 1 with the product's own zero.
COMPLEX RealPlus(double c, COMPLEX w) {
    return {c + w.re, w.im};
}

// ln 2|v|: the asymptote of the inverse functions far out on an axis.
double Ln2Abs(double v) {
    return std::log(2 * std::fabs(v));
}

}  // namespace

COMPLEX complex_add(COMPLEX a, COMPLEX b) {
    return {a.re + b.re, a.im + b.im};
}

COMPLEX complex_sub(COMPLEX a, COMPLEX b) {
    return {a.re - b.re, a.im - b.im};
}

COMPLEX complex_mul(COMPLEX a, COMPLEX b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

COMPLEX complex_inverse(COMPLEX z) {
    const double n = z.re * z.re + z.im * z.im;
    return {z.re / n, -z.im / n};
}

COMPLEX complex_div(COMPLEX a, COMPLEX b) {
    return complex_mul(a, complex_inverse(b));
}

double complex_abs(COMPLEX z) {
    return std::sqrt(z.re * z.re + z.im * z.im);
}

double logex(double x) {
    // u - 1 is exact, so ((u - 1) - x) is the rounding error of 1 + x; dividing it by u is the first-order
    // correction of ln(u).
    const double u = 1 + x;
    return std::log(u) - ((u - 1) - x) / u;
}

double logabs(COMPLEX z) {
    const double ax = std::fabs(z.re);
    const double ay = std::fabs(z.im);
    const double big = ax >= ay ? ax : ay;
    const double small = ax >= ay ? ay : ax;
    const double q = small / big;
    return std::log(big) + 0.5 * logex(q * q);
}

COMPLEX complex_sqrt(COMPLEX z) {
    if (IsZero(z)) return kZero;
    const double x = z.re;
    const double y = z.im;
    const double ax = std::fabs(x);
    const double ay = std::fabs(y);
    double w;
    if (ax >= ay) {
        const double r = ay / ax;
        w = std::sqrt(ax) * std::sqrt(0.5 * (1 + std::sqrt(1 + r * r)));
    } else {
        const double r = ax / ay;
        w = std::sqrt(ay) * std::sqrt(0.5 * (r + std::sqrt(1 + r * r)));
    }
    if (x >= 0) return {w, y / (2 * w)};
    const double vi = y >= 0 ? w : -w;  // a non-number y takes the lower half
    return {y / (2 * vi), vi};
}

COMPLEX complex_exp(COMPLEX z) {
    const double m = std::exp(z.re);
    return {m * std::cos(z.im), m * std::sin(z.im)};
}

COMPLEX complex_log(COMPLEX z) {
    // atan2 of signed zeros can give +-pi; the logarithm of zero keeps angle 0.
    const double angle = IsZero(z) ? 0.0 : std::atan2(z.im, z.re);
    return {logabs(z), angle};
}

COMPLEX complex_log10(COMPLEX z) {
    const COMPLEX l = complex_log(z);
    return {l.re / std::numbers::ln10, l.im / std::numbers::ln10};
}

COMPLEX complex_pow(COMPLEX a, COMPLEX b) {
    if (IsZero(a)) return kZero;
    const double l = logabs(a);
    const double theta = std::atan2(a.im, a.re);
    const double m = std::exp(l * b.re - theta * b.im);
    const double phi = theta * b.re + l * b.im;
    return {m * std::cos(phi), m * std::sin(phi)};
}

// ---- circular ---------------------------------------------------------------------------------------------

COMPLEX complex_sin(COMPLEX z) {
    if (z.im == 0) return {std::sin(z.re), 0};
    return {std::sin(z.re) * std::cosh(z.im), std::cos(z.re) * std::sinh(z.im)};
}

COMPLEX complex_cos(COMPLEX z) {
    if (z.im == 0) return {std::cos(z.re), 0};
    return {std::cos(z.re) * std::cosh(z.im), -std::sin(z.re) * std::sinh(z.im)};
}

COMPLEX complex_tan(COMPLEX z) {
    const double x = z.re;
    const double y = z.im;
    const double c = std::cos(x);
    if (std::fabs(y) < 1) {
        const double sh = std::sinh(y);
        const double t = c * c + sh * sh;
        return {0.5 * std::sin(2 * x) / t, 0.5 * std::sinh(2 * y) / t};
    }
    // Divided through by sinh^2 y, written with e^-y, so that cosh 2y never overflows; v = 1 / sinh^2 y.
    const double e = std::exp(-y);
    const double k = 2 * e / (1 - e * e);
    const double v = k * k;
    const double t = 1 + c * c * v;
    return {v * 0.5 * std::sin(2 * x) / t, (1 / std::tanh(y)) / t};
}

COMPLEX complex_cot(COMPLEX z) {
    return complex_inverse(complex_tan(z));
}

COMPLEX complex_sec(COMPLEX z) {
    return complex_inverse(complex_cos(z));
}

COMPLEX complex_csc(COMPLEX z) {
    return complex_inverse(complex_sin(z));
}

// ---- hyperbolic -------------------------------------------------------------------------------------------

COMPLEX complex_sinh(COMPLEX z) {
    if (z.im == 0) return {std::sinh(z.re), 0};
    // sinh z = -i sin(iz), with iz = (-im, re).
    const COMPLEX s = complex_sin({-z.im, z.re});
    return {s.im, -s.re};
}

COMPLEX complex_cosh(COMPLEX z) {
    if (z.im == 0) return {std::cosh(z.re), 0};
    return complex_cos({-z.im, z.re});  // cosh z = cos(iz)
}

COMPLEX complex_tanh(COMPLEX z) {
    // sinh and cosh overflow long before tanh stops being +-1.
    if ((z.re == kInf || z.re > 700) && IsTiny(z.im)) return kOne;
    if ((z.re == -kInf || z.re < -700) && IsTiny(z.im)) return {-1, 0};
    return complex_div(complex_sinh(z), complex_cosh(z));
}

COMPLEX complex_csch(COMPLEX z) {
    return complex_inverse(complex_sinh(z));
}

COMPLEX complex_sech(COMPLEX z) {
    return complex_inverse(complex_cosh(z));
}

COMPLEX complex_coth(COMPLEX z) {
    return complex_inverse(complex_tanh(z));
}

// ---- inverse circular -------------------------------------------------------------------------------------
// The limit cases come first and return without Round. Within each function the "y tiny" cases and the
// "x tiny" cases cannot both apply to one argument, so grouping them keeps the order of the tests.

COMPLEX complex_arcsin(COMPLEX z) {
    const double x = z.re;
    const double y = z.im;
    if (IsTiny(y)) {
        if (x == -kInf) return {-kHalfPi, kInf};
        if (x == kInf) return {kHalfPi, -kInf};
        if (x > kHuge) return {kHalfPi, -Ln2Abs(x)};
        if (x < -kHuge) return {-kHalfPi, Ln2Abs(x)};
    }
    if (IsTiny(x)) {
        if (y > kHuge) return {0, Ln2Abs(y)};
        if (y < -kHuge) return {0, -Ln2Abs(y)};
    }
    const COMPLEX root = PowSqrt(complex_sub(kOne, PowSquare(z)));
    const COMPLEX w = complex_add(complex_mul(kI, z), root);
    return Round(complex_mul(kMinusI, complex_log(w)));
}

COMPLEX complex_arccos(COMPLEX z) {
    const double x = z.re;
    const double y = z.im;
    if (IsTiny(y)) {
        if (x == kInf) return {0, kInf};
        if (x == -kInf) return {kPi, -kInf};
        if (x > kHuge) return {0, Ln2Abs(x)};
        if (x < -kHuge) return {kPi, -Ln2Abs(x)};
    }
    if (IsTiny(x)) {
        if (y > kHuge) return {kHalfPi, -Ln2Abs(y)};
        if (y < -kHuge) return {kHalfPi, Ln2Abs(y)};
    }
    const COMPLEX root = PowSqrt(complex_sub(kOne, PowSquare(z)));
    const COMPLEX w = complex_add(z, complex_mul(kI, root));
    return Round(complex_mul(kMinusI, complex_log(w)));
}

COMPLEX complex_arctan(COMPLEX z) {
    const double x = z.re;
    const double y = z.im;
    if (IsTiny(y)) {
        if (x == kInf) return {kHalfPi, 0};
        if (x == -kInf) return {-kHalfPi, 0};
    }
    if (IsTiny(x)) {
        if (y == kInf) return {-kHalfPi, 0};
        if (y == -kInf) return {kHalfPi, 0};
    }
    const COMPLEX q = complex_div(complex_add(z, kI), complex_sub(kI, z));
    return Round(complex_mul({0, 0.5}, complex_log(q)));
}

COMPLEX complex_arcsec(COMPLEX z) {
    return complex_arccos(complex_inverse(z));
}

COMPLEX complex_arccsc(COMPLEX z) {
    return complex_arcsin(complex_inverse(z));
}

COMPLEX complex_arccot(COMPLEX z) {
    // 1/0 would be a non-number; the real-axis limit from the right is the conventional value.
    if (IsZero(z)) return {kHalfPi, 0};
    return complex_arctan(complex_inverse(z));
}

// ---- inverse hyperbolic -----------------------------------------------------------------------------------

COMPLEX complex_arcsinh(COMPLEX z) {
    const double x = z.re;
    const double y = z.im;
    if (IsTiny(y) && (x == kInf || x == -kInf)) return {x, 0};
    if (IsTiny(x)) {
        if (y == kInf) return {kInf, kHalfPi};
        if (y == -kInf) return {kInf, -kHalfPi};
    }
    if (IsTiny(y) && x < -kHuge) return {-Ln2Abs(x), 0};
    const COMPLEX root = PowSqrt(RealPlus(1, PowSquare(z)));
    return Round(complex_log(complex_add(z, root)));
}

COMPLEX complex_arccosh(COMPLEX z) {
    const double x = z.re;
    const double y = z.im;
    if (IsTiny(y)) {
        if (x == kInf) return {kInf, 0};
        if (x == -kInf) return {-kInf, kPi};
    }
    if (IsTiny(x)) {
        if (y == kInf) return {kInf, kHalfPi};
        if (y == -kInf) return {-kInf, kHalfPi};
    }
    if (IsTiny(y) && x < -kHuge) return {-Ln2Abs(x), kPi};
    const COMPLEX root = PowSqrt(RealPlus(-1, PowSquare(z)));
    return Round(complex_log(complex_add(z, root)));
}

COMPLEX complex_arctanh(COMPLEX z) {
    const double x = z.re;
    const double y = z.im;
    if (IsTiny(y)) {
        if (x == kInf) return {0, -kHalfPi};
        if (x == -kInf) return {-0.0, kHalfPi};
    }
    if (IsTiny(x)) {
        if (y == kInf) return {-0.0, kHalfPi};
        if (y == -kInf) return {0, -kHalfPi};
    }
    const COMPLEX q = complex_div(complex_add(kOne, z), complex_sub(kOne, z));
    return Round(complex_mul(kHalf, complex_log(q)));
}

COMPLEX complex_arcsech(COMPLEX z) {
    return complex_arccosh(complex_inverse(z));
}

COMPLEX complex_arccsch(COMPLEX z) {
    return complex_arcsinh(complex_inverse(z));
}

COMPLEX complex_arccoth(COMPLEX z) {
    // arctanh(1/x) tends to i pi/2 as x goes to 0 from either side; 1/0 itself would be a non-number.
    if (IsZero(z)) return {0, kHalfPi};
    return complex_arctanh(complex_inverse(z));
}

COMPLEX Round(COMPLEX z) {
    const double r = complex_abs(z) * 3.333e-16;
    if (!(r < 1e-5)) return z;
    if (-r < z.re && z.re < r) z.re = 0;
    if (-r < z.im && z.im < r) z.im = 0;
    return z;
}
