// The double handlers on the real line, for the compiled programs.
//
// On real operands (imaginary part +0) most double handlers give a real result, and most of their work on
// the imaginary part is multiplication by zero. Each form here takes the real operands and gives the real
// part of the handler's result, and only when the handler's imaginary part is +0 bit for bit and it sets no
// error code; otherwise it returns false and the caller takes the handler's complex computation. The
// arithmetic forms spell out complex_mul and complex_div with the zero parts as literal zeros, so that the
// values are theirs by construction and the imaginary part is still formed (a few cheap operations) to be
// tested rather than argued.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

#include "engine/eval/double_rounding.h"
#include "engine/eval/evaluate.h"
#include "engine/eval/handler_support.h"

namespace real_forms {

// The imaginary part is +0 (not -0, not a non-number).
inline bool IsPositiveZero(double im) {
    std::uint64_t bits;
    std::memcpy(&bits, &im, sizeof bits);
    return bits == 0;
}

// The imaginary part is a zero (+0 or -0).
inline bool IsZero(double im) {
    std::uint64_t bits;
    std::memcpy(&bits, &im, sizeof bits);
    return (bits << 1) == 0;
}

// complex_mul((a, 0), (b, 0)): (a b - 0 0, a 0 + 0 b), the real part in out and the imaginary part in im.
// im is -0 when both signs are negative and a non-number when either operand is not finite.
inline void Mul(double a, double b, double& out, double& im) {
    im = a * 0.0 + 0.0 * b;
    out = a * b;  // a b - (+0): the same value for every a b
}

// complex_div((a, 0), (b, 0)) = complex_mul((a, 0), (q, -0 / n)) with n = b^2 + 0^2 = b^2 and q = b / n;
// false where n is not positive: the division error, an underflowing square or a non-number (the complex
// path decides). For n > 0 the second part of the inverse is -0, and the imaginary part a (-0) + 0 q is
// formed with b for q: they have the same sign and are finite together, and the test of im then need not
// wait for the division. It is -0 for a >= 0 over b < 0.
inline bool Div(double a, double b, double& out, double& im) {
    const double n = b * b;
    if (!(n > 0)) return false;
    im = a * -0.0 + 0.0 * b;
    const double q = b / n;
    // The real part a q - (+0)(-0) is a q + 0: the same value, except that a -0 product becomes +0.
    out = a * q;
    if (out == 0) out = 0.0;
    return true;
}

constexpr double kPi = std::numbers::pi;

// The argument of a forward circular function in radians (a real argument leaves g_Mode alone).
inline double ToRadians(double x) {
    if (g_Mode == 0) return x * (kPi / 180);
    if (g_Mode == 2) return x * (kPi / 200);
    return x;
}

// r = k pi/2 + z with |z| <= pi/4 (a little more from the rounding of k), for |r| < 2^19: pi/2 is split
// as P1 + P2 + P3 (P1 and P2 of 33 bits, so that k P1 and k P2 are exact for |k| < 2^20, and r - k P1 is
// exact by Sterbenz's lemma), which leaves z within two roundings of its value (and exact for k = 0).
// False outside that range and where z is below 2^-30 with k != 0 (where those roundings could dominate).
inline bool ReduceQuarterTurns(double r, double& k, double& z) {
    constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
    constexpr double kP1 = 0x1.921fb544p+0, kP2 = 0x1.0b4611a6p-34, kP3 = 0x1.3198a2e037073p-69;
    if (!(std::fabs(r) < 0x1p19)) return false;
    k = rounding_detail::NearestInteger(r * kTwoOverPi);
    z = ((r - k * kP1) - k * kP2) - k * kP3;
    return std::fabs(z) >= 0x1p-30 || k == 0;
}

// Estimates of sin r (shift 0) and cos r = sin(r + pi/2) (shift 1) for |r| < 2^19, within 4 units of
// 2^-53 (relative); false where ReduceQuarterTurns is. sin z = z + z w S(w) and cos z = 1 - w/2 + w^2 C(w)
// (w = z^2) with near-minimax polynomials within 2^-55 and 2^-59 on |z| <= pi/4: the reduction's two
// roundings pass to the result at most unchanged (z cot z and z tan z are at most 1 there), the
// evaluation adds under two.
inline bool SinEstimate(double r, int shift, double& y) {
    double k, z;
    if (!ReduceQuarterTurns(r, k, z)) return false;
    const double w = z * z;
    const long long quadrant = static_cast<long long>(k) + shift;
    if ((quadrant & 1) == 0) {
        const double s =
            ((((0x1.5e0a4fc16be59p-33 * w - 0x1.ae6008d114485p-26) * w + 0x1.71de37946ed6dp-19) * w -
              0x1.a01a019e820aep-13) *
                 w +
             0x1.1111111110babp-7) *
                w -
            0x1.5555555555555p-3;
        y = z + z * (w * s);
    } else {
        const double c =
            ((((-0x1.907cd8ff5ede7p-37 * w + 0x1.1eeb67d026ec6p-29) * w - 0x1.27e4fa16cc2d1p-22) * w +
              0x1.a01a019f4ddfdp-16) *
                 w -
             0x1.6c16c16c16963p-10) *
                w +
            0x1.5555555555555p-5;
        y = 1.0 - (0.5 * w - w * (w * c));
    }
    if ((quadrant & 2) != 0) y = -y;
    return true;
}

// sin and cos: the library function on the real axis (complex_sin and complex_cos return it with a zero
// imaginary part), the non-number test, then the twelve-decimal rounding. The library's value is within
// 2 units of 2^-53 of the true one and the estimate within 4, so |y - v| < 2^-49 |y| leaves room for
// library errors several times the documented ones; where the estimate settles the twelve decimals, the
// library call is not needed.
inline bool SinOrCos(double x, int shift, double& out) {
    const double r = ToRadians(x);
    double y;
    if (SinEstimate(r, shift, y) && SnapFromEstimate(y, 0x1p-49, out) > 0) return true;
    const double s = shift == 0 ? std::sin(r) : std::cos(r);
    if (s != s) return false;
    out = SnapTo12Decimals(s);
    return true;
}

inline bool Sin(double x, double& out) {
    return SinOrCos(x, 0, out);
}

inline bool Cos(double x, double& out) {
    return SinOrCos(x, 1, out);
}

// An estimate y of tan r for |r| < 2^19, within 9 units of 2^-53 (relative) of it; false where
// ReduceQuarterTurns is. The reduction's two roundings pass to tan magnified by at most pi/2. tan z = z P(w)
// / Q(w), w = z^2, is the eighth convergent of Lambert's continued fraction z / (1 - w / (3 - w / (5 -
// ...))): within 2^-59 of tan on [0, pi/4], with integer coefficients (exact doubles) and little
// cancellation, so that each of P and Q is within two roundings (worked out term by term at w = (pi/4)^2,
// where it is largest). For odd k tan r = -cot z = -Q / (z P).
inline bool TanEstimate(double r, double& y) {
    double k, z;
    if (!ReduceQuarterTurns(r, k, z)) return false;
    const double w = z * z;
    const double p = (((w - 990.0) * w + 135135.0) * w - 4729725.0) * w + 34459425.0;
    const double q = ((((45.0 * w - 13860.0) * w + 945945.0) * w - 16216200.0) * w) + 34459425.0;
    const double zp = z * p;
    y = (static_cast<long long>(k) & 1) == 0 ? zp / q : -q / zp;
    return true;
}

// tan: the handler tests for a pole, forms 0.5 sin(2x) / cos(x)^2 and rounds it to 12 decimals. That
// value v is within 8 units of 2^-53 of tan x (sin and cos within one ulp each, the squaring doubling
// one, two roundings); TanEstimate's y within 9 and the library's tan within 2, so |y - v| < 2^-48 |y|
// leaves room for library errors several times the documented ones. Where y settles the twelve
// decimals, no library call (or one) replaces two.
//
// No pole test is needed where |y| < kSnapQuickLimit (about 2252): the handler's poles are quotients
// q = |x| / (pi/2) within 1e-13 plus half an ulp of an odd integer n, and below 1e8 / (pi/2) that puts x
// within 3e-8 of n pi/2 (the double nearest pi/2 is 6.1e-17 off, n times), where |tan x| exceeds 3e7.
inline bool Tan(double x, double& out) {
    const double r = ToRadians(x);
    double y;
    if (!TanEstimate(r, y)) {
        if (!(std::fabs(r) < 1e8)) return false;
        y = std::tan(r);
    }
    const int settled = SnapFromEstimate(y, 0x1p-48, out);
    if (settled < 0) return false;
    if (settled == 0) out = TanSnappedOfReal(r);  // no pole (above): the handler's value, exactly
    return true;
}

// sqrt, ln and log on the positive axis, where the complex forms reduce to the real functions and keep
// the zero imaginary part.
inline bool Sqrt(double x, double& out) {
    if (!(x > 0 && x < HUGE_VAL)) return false;
    out = std::sqrt(x);
    return true;
}

inline bool Ln(double x, double& out) {
    if (!(x > 0 && x < HUGE_VAL)) return false;
    out = SnapTo12Decimals(std::log(x));
    return true;
}

inline bool Log(double x, double& out) {
    if (!(x > 0 && x < HUGE_VAL)) return false;
    out = SnapTo12Decimals(std::log(x) / std::numbers::ln10);
    return true;
}

}  // namespace real_forms
