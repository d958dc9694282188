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

// complex_mul((a, 0), (b, 0)): (a b - 0 0, a 0 + 0 b). The imaginary part is -0 when both signs are
// negative and a non-number when either operand is not finite.
inline bool Mul(double a, double b, double& out) {
    const double im = a * 0.0 + 0.0 * b;
    out = a * b;  // a b - (+0): the same value for every a b
    return IsPositiveZero(im);
}

// complex_div((a, 0), (b, 0)) = complex_mul((a, 0), (b / n, -0 / n)) with n = b^2 + 0^2 = b^2. For
// n > 0 the second part of the inverse is -0; n = 0 (the division error, or an underflowing square) and
// a non-number n take the complex path.
inline bool Div(double a, double b, double& out) {
    const double n = b * b;
    if (!(n > 0)) return false;
    const double q = b / n;
    const double im = a * -0.0 + 0.0 * q;
    out = a * q - 0.0 * -0.0;  // a q - (+0)(-0), that is a q + 0: a -0 product becomes +0
    return IsPositiveZero(im);
}

constexpr double kPi = std::numbers::pi;

// The argument of a forward circular function in radians (a real argument leaves g_Mode alone).
inline double ToRadians(double x) {
    if (g_Mode == 0) return x * (kPi / 180);
    if (g_Mode == 2) return x * (kPi / 200);
    return x;
}

// sin and cos: the library function on the real axis (complex_sin and complex_cos return it with a zero
// imaginary part), the non-number test, then the twelve-decimal rounding.
inline bool Sin(double x, double& out) {
    const double s = std::sin(ToRadians(x));
    if (s != s) return false;
    out = SnapTo12Decimals(s);
    return true;
}

inline bool Cos(double x, double& out) {
    const double c = std::cos(ToRadians(x));
    if (c != c) return false;
    out = SnapTo12Decimals(c);
    return true;
}

// tan: the handler tests for a pole, forms 0.5 sin(2x) / cos(x)^2 and rounds it to 12 decimals. That
// value v is within 5 units in the last place of tan x (sin and cos within 1 unit each, the squaring
// doubling one, two roundings), and the library's tan y within 1 unit, so |y - v| < 2^-48 |y| leaves room
// for library errors several times the documented ones. Where y settles the twelve decimals, one library
// call replaces two.
//
// No pole test is needed where |y| < kSnapQuickLimit (about 2252): the handler's poles are quotients
// q = |x| / (pi/2) within 1e-13 plus half an ulp of an odd integer n, and below 1e8 / (pi/2) that puts x
// within 3e-8 of n pi/2 (the double nearest pi/2 is 6.1e-17 off, n times), where |tan x| exceeds 3e7.
inline bool Tan(double x, double& out) {
    const double r = ToRadians(x);
    if (!(std::fabs(r) < 1e8)) return false;
    const int settled = SnapFromEstimate(std::tan(r), 0x1p-48, out);
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
