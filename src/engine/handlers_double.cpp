// Double-precision arithmetic, power, root, factorial and logarithm handlers.
#include <cmath>
#include <limits>
#include <numbers>

#include "engine/double_rounding.h"
#include "engine/handler_support.h"
#include "engine/handlers.h"

using handler_detail::Binary;
using handler_detail::IsNonNumber;
using handler_detail::Need;
using handler_detail::Unary;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kLn2 = std::numbers::ln2;

// |b| ln|a| >= 305: the power would leave the double range. The test needs no logarithm when the binary
// exponent of |a| already bounds the product well below the limit.
bool PowerOutOfRange(COMPLEX a, COMPLEX b) {
    const double absA = complex_abs(a);
    const double absB = complex_abs(b);
    if (absA > 0 && absA < kInf) {
        int e;
        std::frexp(absA, &e);
        if (absB * ((std::abs(e) + 1) * kLn2) < 300) return false;
    }
    return absB * std::log(absA) >= 305;
}

// complex_pow(x, e) is real without computing it: for a positive finite real x and a finite real e its
// angle terms are signed zeros, so its imaginary part is a zero unless the modulus exp(e ln x) overflows,
// which |e ln x| <= 700 rules out (|ln x| is bounded by the binary exponent of x).
bool PowIsSurelyReal(COMPLEX x, COMPLEX e) {
    if (x.im != 0 || e.im != 0 || !(x.re > 0 && x.re < kInf) || !std::isfinite(e.re)) return false;
    int k;
    std::frexp(x.re, &k);
    return (std::abs(k) + 1) * kLn2 * std::fabs(e.re) <= 700;
}

int FactorialOf(COMPLEX& z) {
    if (z.im != 0) return -54;
    if (z.re != std::trunc(z.re)) return -53;  // also a non-number
    if (z.re >= 171 || z.re < 0) return -7;
    double f = 1;
    for (double k = 2; k <= z.re; ++k) f *= k;
    z = {f, 0};
    return 0;
}

}  // namespace

COMPLEX RootValue(COMPLEX index, COMPLEX x) {
    const COMPLEX e = complex_inverse(index);
    COMPLEX p;
    if (PowIsSurelyReal(x, e)) {
        p = {std::pow(x.re, e.re), 0};
    } else {
        p = complex_pow(x, e);
        if (p.im == 0 && x.im == 0 && e.im == 0) p = {std::pow(x.re, e.re), 0};
    }
    if (std::fabs(p.im) < 1e-12) p.im = 0;
    return p;
}

int PowValue(COMPLEX& a, COMPLEX b) {
    if (b.re == 0 && b.im == 0) {
        a = {1, 0};
        return 0;
    }
    if (PowerOutOfRange(a, b)) return -7;
    // a^b as the (1/b)-th root of a, so that the root's real shortcut serves integral and real powers.
    a = RootValue(complex_inverse(b), a);
    return 0;
}

int SqrtValue(COMPLEX& z) {
    if (z.im == 0 && z.re > 0 && z.re < kInf) {
        // complex_sqrt's formula reduces to these two operations on the positive real axis.
        const double w = std::sqrt(z.re);
        z = {w, z.im / (2 * w)};
        return 0;
    }
    z = complex_sqrt(z);
    return IsNonNumber(z) ? -4 : 0;
}

namespace {

// complex_log on the positive real axis: logabs is ln x exactly and the angle is the argument's zero.
COMPLEX LogOf(COMPLEX z) {
    if (z.im == 0 && z.re > 0 && z.re < kInf) return {std::log(z.re), z.im};
    return complex_log(z);
}

}  // namespace

int LnValue(COMPLEX& z) {
    z = LogOf(z);
    z.re = SnapTo12Decimals(z.re);
    return 0;
}

int LogValue(COMPLEX& z) {
    const COMPLEX l = LogOf(z);
    z = {SnapTo12Decimals(l.re / std::numbers::ln10), l.im / std::numbers::ln10};
    return 0;
}

void Add(COMPLEX* s, long& n, long base) {
    Binary(s, n, base, [](COMPLEX& a, COMPLEX b) {
        a = complex_add(a, b);
        return 0;
    });
}

void Sub(COMPLEX* s, long& n, long base) {
    if (!Need(n, base, 1)) return;
    if (n - base == 1) {
        s[n - 1] = complex_sub({0, 0}, s[n - 1]);
        return;
    }
    Binary(s, n, base, [](COMPLEX& a, COMPLEX b) {
        a = complex_sub(a, b);
        return 0;
    });
}

void Mul(COMPLEX* s, long& n, long base) {
    Binary(s, n, base, [](COMPLEX& a, COMPLEX b) {
        a = complex_mul(a, b);
        return 0;
    });
}

void Div(COMPLEX* s, long& n, long base) {
    Binary(s, n, base, [](COMPLEX& a, COMPLEX b) {
        if (b.re == 0 && b.im == 0) return -5;
        a = complex_div(a, b);
        return 0;
    });
}

void Pow(COMPLEX* s, long& n, long base) {
    Binary(s, n, base, [](COMPLEX& a, COMPLEX b) { return PowValue(a, b); });
}

void Root(COMPLEX* s, long& n, long base) {
    Binary(s, n, base, [](COMPLEX& a, COMPLEX b) {
        a = RootValue(a, b);
        return 0;
    });
}

void iroot(COMPLEX* s, long& n, long base) {
    Binary(s, n, base, [](COMPLEX& a, COMPLEX b) {
        a = RootValue(b, a);
        return 0;
    });
}

void iexp(COMPLEX* s, long& n, long base) {
    Binary(s, n, base, [](COMPLEX& a, COMPLEX b) {
        a = complex_mul(a, complex_pow({10, 0}, b));
        return 0;
    });
}

void Percent(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) {
        if (z.im != 0) return -54;
        z = {z.re / 100, 0};
        return 0;
    });
}

void Factorial(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return FactorialOf(z); });
}

void Sqrt(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, SqrtValue);
}

void Ln(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, LnValue);
}

void Log(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, LogValue);
}

void Abs(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) {
        z = {complex_abs(z), 0};
        return z.re != z.re ? -57 : 0;
    });
}
