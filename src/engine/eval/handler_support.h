// Shared pieces of the handler families: the operand-count test, the one- and two-operand shapes, and
// the value-level computations that the compiled double-precision programs call without the stack.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engine/eval/exact_product.h"
#include "numeric/complex.h"
#include "numeric/errors.h"
#include "numeric/qlib.h"

namespace handler_detail {

// True when the innermost group holds at least k values; otherwise sets -1.
inline bool Need(long count, long base, int k) {
    if (count - base < k) {
        SetErrorCode(kErrSyntax);
        return false;
    }
    return true;
}

// Runs f(top) on the top value; f returns 0 or an error code.
template <typename V, typename F>
inline void Unary(V* s, long& n, long base, F f) {
    if (!Need(n, base, 1)) return;
    const int err = f(s[n - 1]);
    if (err != 0) SetErrorCode(err);
}

// Runs f(a, b) with a = the value below the top (receiving the result) and b = the top; the count drops
// by one even when f fails.
template <typename V, typename F>
inline void Binary(V* s, long& n, long base, F f) {
    if (!Need(n, base, 2)) return;
    const int err = f(s[n - 2], s[n - 1]);
    --n;
    if (err != 0) SetErrorCode(err);
}

inline bool IsNonNumber(COMPLEX z) {
    return z.re != z.re || z.im != z.im;
}

}  // namespace handler_detail

// Value-level forms of the double handlers: the same results and codes as the handlers, for the compiled
// programs. Each takes its operands and returns the result in registers; a failure stores its code in err
// (which the caller zeroes) and the result is then meaningless.
using ValueFn = COMPLEX (*)(COMPLEX z, int& err);
COMPLEX PowValue(COMPLEX a, COMPLEX b, int& err);
// PowValue split at what depends on the exponent alone, so that a constant exponent is prepared once.
struct PowExponent {
    bool zero;          // b = 0: every power is 1
    double absB;        // |b|
    COMPLEX e;          // the inverse of the inverse of b, as the root computation forms it
    int realBaseLimit;  // positive real bases with a binary exponent up to this need no tests (-1: none)
};
// prepare also works out realBaseLimit (a few dozen operations: worth it for a constant exponent).
PowExponent MakePowExponent(COMPLEX b, bool prepare);
COMPLEX PowByExponent(COMPLEX a, const PowExponent& p, int& err);
// PowByExponent's first shortcut for a real base a (after the zero exponent): a positive base whose
// binary exponent is within realBaseLimit, whose power is then RealPow(a, p.e.re) with imaginary part 0.
inline bool TakesRealShortcut(double a, const PowExponent& p) {
    if (p.realBaseLimit < 0 || !(a >= 0x1p-500 && a <= 0x1p500)) return false;
    std::uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    const int e = static_cast<int>(bits >> 52) - 1022;  // positive and normal
    return std::abs(e) <= p.realBaseLimit;
}
// The bases TakesRealShortcut accepts, as one interval: lo <= a < hi (empty when there are none).
inline void RealShortcutRange(const PowExponent& p, double& lo, double& hi) {
    lo = HUGE_VAL;
    hi = 0;
    if (p.realBaseLimit < 0) return;
    // a = f 2^e with f in [1/2, 1) and |e| <= L: 2^(-L-1) <= a < 2^L; and 2^-500 <= a <= 2^500.
    const int limit = p.realBaseLimit;
    lo = std::fmax(std::ldexp(1.0, -limit - 1), 0x1p-500);
    hi = limit <= 500 ? std::ldexp(1.0, limit) : std::nextafter(0x1p500, HUGE_VAL);
}
// The real power of the root handlers' shortcut: x^y with squares and cubes correctly rounded (see
// RealCube), other exponents by pow.
double RealPow(double x, double y);

// x^3 for the real power: the correctly rounded cube where its exact expansion shows it (which is what pow
// gives for it, several times faster), pow(x, 3) elsewhere. RealCubeFma is the same computation with
// fused multiply-adds for the exact products, for processors that have them (HasFusedMultiplyAdd); the
// values are the same, since both form the same exact quantities.
double RealCube(double x);
double RealCubeFma(double x);
bool HasFusedMultiplyAdd();
// Whether programs compiled from now on use RealCubeFma's computation (by default where the processor
// has fused multiply-add); UseFusedMultiplyAdd(false) makes them use RealCube's, so that tests reach
// both on one machine.
bool UsesFusedMultiplyAdd();
void UseFusedMultiplyAdd(bool use);

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define ORV_CUBE_FMA 1
#else
#define ORV_CUBE_FMA 0
#endif

namespace pow_detail {

// x * y - p exactly (p = x * y rounded): one fused multiply-add, or Dekker's product.
template <bool kFused>
[[gnu::always_inline]] inline double ExactProductError(double x, double y, double p) {
    if constexpr (kFused) {
        return __builtin_fma(x, y, -p);
    } else {
        return ProductError(x, y, p);
    }
}

// The cube of x rounded correctly, from its exact double-double expansion, when the tail is far enough
// from a rounding boundary to be sure of it (false otherwise, and outside 2^-300 ... 2^300).
template <bool kFused>
[[gnu::always_inline]] inline bool CorrectlyRoundedCube(double x, double& out) {
    const double ax = std::fabs(x);
    if (!(ax >= 0x1p-300 && ax <= 0x1p300)) return false;
    const double s = x * x;
    const double se = ExactProductError<kFused>(x, x, s);  // x^2 = s + se
    const double h = s * x;
    const double he = ExactProductError<kFused>(s, x, h);  // s x = h + he, so x^3 = h + he + se x
    const double sex = se * x;
    const double t = he + sex;  // the tail, to within 2^-103 |x^3|
    const double r = h + t;
    const double u = (h - r) + t;  // x^3 - r, to within 2^-52 |u| + 2^-103 |r|
    std::uint64_t bits;
    std::memcpy(&bits, &r, sizeof bits);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    // Half an ulp of r (r is normal here): its power of two times 2^-53. At a power of two the spacing
    // below is smaller, so those are left to pow.
    const std::uint64_t powerBits = bits & 0x7FF0000000000000ULL;
    double power;
    std::memcpy(&power, &powerBits, sizeof power);
    const double halfUlp = power * 0x1p-53;
    const double margin = std::fabs(u) * (1 + 0x1p-50);
    if (fraction == 0 || !(margin + std::fabs(r) * 0x1p-100 < halfUlp)) return false;
    out = r;
    return true;
}

}  // namespace pow_detail
COMPLEX RootValue(COMPLEX index, COMPLEX x);  // the index-th root of x, with the real shortcut
COMPLEX SqrtValue(COMPLEX z, int& err);
COMPLEX LnValue(COMPLEX z, int& err);
COMPLEX LogValue(COMPLEX z, int& err);
COMPLEX SinValue(COMPLEX z, int& err);
COMPLEX CosValue(COMPLEX z, int& err);
COMPLEX TanValue(COMPLEX z, int& err);
// TanValue's real part for a real argument r in radians that is no pole: its tan formula rounded to 12
// decimals.
double TanSnappedOfReal(double r);

namespace handler_detail {

// A one-operand handler over a value-level form.
inline void UnaryValue(COMPLEX* s, long& n, long base, ValueFn f) {
    if (!Need(n, base, 1)) return;
    int err = 0;
    s[n - 1] = f(s[n - 1], err);
    if (err != 0) SetErrorCode(err);
}

}  // namespace handler_detail
