// Double-precision arithmetic, power, root, factorial and logarithm handlers.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>

#include "engine/eval/double_rounding.h"
#include "engine/eval/exact_product.h"
#include "engine/eval/handler_support.h"
#include "engine/eval/handlers.h"
#include "engine/eval/scalar_codegen.h"  // last: changes code generation for this file

using handler_detail::Binary;
using handler_detail::IsNonNumber;
using handler_detail::Need;
using handler_detail::Unary;
using handler_detail::UnaryValue;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kLn2 = std::numbers::ln2;

// complex_abs and complex_inverse written out (the same operations in the same order) so that the hot
// power path runs without calls.
double AbsOf(COMPLEX z) {
    return std::sqrt(z.re * z.re + z.im * z.im);
}
COMPLEX InverseOf(COMPLEX z) {
    const double n = z.re * z.re + z.im * z.im;
    return {z.re / n, -z.im / n};
}

// Bounds |ln x| for a positive finite x by its binary exponent: x = f 2^e with f in [1/2, 1) gives
// |ln x| <= (|e| + 1) ln 2.
double LogMagnitudeBound(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    int e;
    if (biased != 0) {
        e = biased - 1022;
    } else {
        std::frexp(x, &e);  // subnormal
    }
    return (std::abs(e) + 1) * kLn2;
}

// |b| ln|a| >= 305: the power would leave the double range. The test needs no logarithm when the binary
// exponent of |a| already bounds the product well below the limit. For a real a within 2^-500 ... 2^500,
// |a| = sqrt(a.re^2) lies within two units in the last place of |a.re|, so the exponent of |a.re| (with
// one binade of slack) bounds it without the square root.
bool PowerOutOfRange(COMPLEX a, double absB) {
    if (a.im == 0) {
        const double r = std::fabs(a.re);
        if (r >= 0x1p-500 && r <= 0x1p500 && absB * (LogMagnitudeBound(r) + kLn2) < 300) return false;
    }
    const double absA = AbsOf(a);
    if (absA > 0 && absA < kInf && absB * LogMagnitudeBound(absA) < 300) return false;
    return absB * std::log(absA) >= 305;
}

// complex_pow(x, e) is real without computing it: for a positive finite real x and a finite real e its
// angle terms are signed zeros, so its imaginary part is a zero unless the modulus exp(e ln x) overflows,
// which |e ln x| <= 700 rules out (|ln x| is bounded by the binary exponent of x).
bool PowIsSurelyReal(COMPLEX x, COMPLEX e) {
    if (x.im != 0 || e.im != 0 || !(x.re > 0 && x.re < kInf) || !std::isfinite(e.re)) return false;
    return LogMagnitudeBound(x.re) * std::fabs(e.re) <= 700;
}

int FactorialOf(COMPLEX& z) {
    if (z.im != 0) return kErrComplex;
    if (z.re != std::trunc(z.re)) return kErrNotInteger;  // also a non-number
    if (z.re >= 171 || z.re < 0) return kErrOutOfRange;
    double f = 1;
    for (double k = 2; k <= z.re; ++k) f *= k;
    z = {f, 0};
    return 0;
}

}  // namespace

double RealPow(double x, double y) {
    if (y == 2) return x * x;
    if (y == 3) return RealCube(x);
    return std::pow(x, y);
}

double RealCube(double x) {
    double r;
    return pow_detail::CorrectlyRoundedCube<false>(x, r) ? r : std::pow(x, 3.0);
}

namespace {
int s_fusedMultiplyAdd = -1;  // -1: as the processor has them
}  // namespace

bool UsesFusedMultiplyAdd() {
    return s_fusedMultiplyAdd < 0 ? HasFusedMultiplyAdd() : s_fusedMultiplyAdd != 0;
}

void UseFusedMultiplyAdd(bool use) {
    s_fusedMultiplyAdd = use && HasFusedMultiplyAdd() ? 1 : 0;
}

#if ORV_CUBE_FMA
[[gnu::target("fma")]] double RealCubeFma(double x) {
    double r;
    return pow_detail::CorrectlyRoundedCube<true>(x, r) ? r : std::pow(x, 3.0);
}

bool HasFusedMultiplyAdd() {
    static const bool has = __builtin_cpu_supports("fma");
    return has;
}
#else
double RealCubeFma(double x) {
    return RealCube(x);
}

bool HasFusedMultiplyAdd() {
    return false;
}
#endif

namespace {

// x^e with the real shortcut: the root handlers' computation once the exponent e (the inverse of the root
// index) is known.
COMPLEX RootByExponent(COMPLEX x, COMPLEX e) {
    COMPLEX p;
    if (PowIsSurelyReal(x, e)) {
        p = {RealPow(x.re, e.re), 0};
    } else {
        p = complex_pow(x, e);
        if (p.im == 0 && x.im == 0 && e.im == 0) p = {RealPow(x.re, e.re), 0};
    }
    if (std::fabs(p.im) < 1e-12) p.im = 0;
    return p;
}

}  // namespace

COMPLEX RootValue(COMPLEX index, COMPLEX x) {
    return RootByExponent(x, InverseOf(index));
}

namespace {

// The binary exponents |k| of a positive real base in 2^-500 ... 2^500 for which both bound tests above
// pass (the same expressions, which grow with k): then the power is the real shortcut at once.
int RealBaseLimit(double absB, COMPLEX e) {
    if (e.im != 0 || !std::isfinite(e.re) || absB != absB) return -1;
    const auto passes = [&](int k) {
        const double bound = (k + 1) * kLn2;  // LogMagnitudeBound of such a base
        return absB * (bound + kLn2) < 300 && bound * std::fabs(e.re) <= 700;
    };
    if (!passes(0)) return -1;
    int lo = 0, hi = 502;  // passes(lo); beyond 501 no base qualifies anyway
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        (passes(mid) ? lo : hi) = mid;
    }
    return lo;
}

}  // namespace

PowExponent MakePowExponent(COMPLEX b, bool prepare) {
    PowExponent p;
    p.zero = b.re == 0 && b.im == 0;
    p.absB = AbsOf(b);
    // a^b is the (1/b)-th root of a, so that the root's real shortcut serves integral and real powers; the
    // root takes the inverse of its index in turn.
    p.e = InverseOf(InverseOf(b));
    p.realBaseLimit = prepare ? RealBaseLimit(p.absB, p.e) : -1;
    return p;
}

COMPLEX PowByExponent(COMPLEX a, const PowExponent& p, int& err) {
    if (p.zero) return {1, 0};
    if (a.im == 0 && TakesRealShortcut(a.re, p)) return {RealPow(a.re, p.e.re), 0};
    if (PowerOutOfRange(a, p.absB)) {
        err = kErrOutOfRange;
        return a;
    }
    return RootByExponent(a, p.e);
}

COMPLEX PowValue(COMPLEX a, COMPLEX b, int& err) {
    return PowByExponent(a, MakePowExponent(b, false), err);
}

COMPLEX SqrtValue(COMPLEX z, int& err) {
    if (z.im == 0 && z.re > 0 && z.re < kInf) {
        // complex_sqrt's formula reduces to sqrt(x) and im / (2 sqrt(x)) on the positive real axis; the
        // latter is the zero im itself, sign included.
        return {std::sqrt(z.re), z.im};
    }
    const COMPLEX r = complex_sqrt(z);
    if (IsNonNumber(r)) err = kErrSquareRoot;
    return r;
}

namespace {

// complex_log on the positive real axis: logabs is ln x exactly and the angle is the argument's zero.
COMPLEX LogOf(COMPLEX z) {
    if (z.im == 0 && z.re > 0 && z.re < kInf) return {std::log(z.re), z.im};
    return complex_log(z);
}

}  // namespace

COMPLEX LnValue(COMPLEX z, int&) {
    const COMPLEX l = LogOf(z);
    return {SnapTo12Decimals(l.re), l.im};
}

COMPLEX LogValue(COMPLEX z, int&) {
    const COMPLEX l = LogOf(z);
    return {SnapTo12Decimals(l.re / std::numbers::ln10), l.im / std::numbers::ln10};
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
        if (b.re == 0 && b.im == 0) return kErrDivision;
        a = complex_div(a, b);
        return 0;
    });
}

void Pow(COMPLEX* s, long& n, long base) {
    Binary(s, n, base, [](COMPLEX& a, COMPLEX b) {
        int err = 0;
        a = PowValue(a, b, err);
        return err;
    });
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
        if (z.im != 0) return kErrComplex;
        z = {z.re / 100, 0};
        return 0;
    });
}

void Factorial(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return FactorialOf(z); });
}

void Sqrt(COMPLEX* s, long& n, long base) {
    UnaryValue(s, n, base, SqrtValue);
}

void Ln(COMPLEX* s, long& n, long base) {
    UnaryValue(s, n, base, LnValue);
}

void Log(COMPLEX* s, long& n, long base) {
    UnaryValue(s, n, base, LogValue);
}

void Abs(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) {
        z = {complex_abs(z), 0};
        return z.re != z.re ? kErrAbsolute : 0;
    });
}
