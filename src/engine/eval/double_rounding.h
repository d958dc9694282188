// Decimal rounding rules of the double-precision handlers: the twelve-decimal snapping of function results
// and the pole test of tan, sec and csc. Both are defined by decimal printing ("%.12lf", "%.0lf",
// "%.13lf") and reading back; these routines give exactly those values without formatting text in the
// common range and fall back to the text round trip elsewhere.
#pragma once

#include <cmath>

namespace rounding_detail {

constexpr double kTwo52 = 4503599627370496.0;
// Below this magnitude x * 1e12 stays under 2^52, where the scaled rounding is exact arithmetic.
constexpr double kSnapLimit = kTwo52 / 1e12;

// nearbyint for |h| < 2^52 in the default rounding mode, without a library call: adding 2^52 (with h's
// sign) leaves no fraction bits, so the addition itself rounds to the nearest integer, ties to even. The
// sign of a zero result follows h, as nearbyint's does.
inline double RoundToInteger(double h) {
    const double big = std::copysign(kTwo52, h);
    return std::copysign((h + big) - big, h);
}

// The exact product x * 1e12 lies on a tie (hi - r is one half): its rounding error decides the side.
double SnapTie(double x, double hi, double r);
double SnapByText(double x);

}  // namespace rounding_detail

// x printed with "%.12lf" and read back with atof: x rounded to 12 decimals (ties to even on the exact
// binary value), the result rounded to the nearest double. Signs of zero and non-numbers are kept.
//
// Below kSnapLimit: hi = x * 1e12 rounds the exact product, and rounding is monotonic, so hi lands on a
// half-integer only when the exact product is that half-integer or rounds to it; everywhere else the
// nearest integer of hi is that of the exact product. r is then an exact integer and the one correctly
// rounded division equals the correctly rounded reading of the twelve digits.
inline double SnapTo12Decimals(double x) {
    using namespace rounding_detail;
    if (!(std::fabs(x) < kSnapLimit)) return SnapByText(x);
    const double hi = x * 1e12;
    const double r = RoundToInteger(hi);
    const double f = hi - r;
    if (f == 0.5 || f == -0.5) return SnapTie(x, hi, r);
    return r / 1e12;
}

// The snapped value of v known only through an estimate y with |y - v| <= bound: stores
// SnapTo12Decimals(v) in out and returns true when y settles it (v * 1e12 lies clearly inside one
// rounding interval, and v's sign is y's), false otherwise. For callers that have a cheap estimate of a
// value that is expensive to form exactly.
inline bool SnapFromEstimate(double y, double bound, double& out) {
    using namespace rounding_detail;
    if (!(std::fabs(y) < 4500.0) || !(bound < 1e-6)) return false;
    const double h = y * 1e12;  // within |h| 2^-53 of y * 1e12
    const double r = RoundToInteger(h);
    // Where v * 1e12 may lie around h: the product's rounding and the estimate's error, both generously
    // rounded up. |h - r| is exact (both below 2^52 and one unit apart at most).
    const double spread = std::fabs(h) * 0x1p-51 + bound * 1.0001e12 + 0x1p-60;
    if (!(std::fabs(h - r) + spread < 0.5)) return false;
    if (r == 0 && !(std::fabs(y) > bound)) return false;  // v's sign unknown
    out = r / 1e12;  // r carries y's sign, and so v's, also when it is zero
    return true;
}

namespace rounding_detail {
bool PoleQuotientNearInteger(double q, bool oddOnly);
}  // namespace rounding_detail

// q (0 <= q < 2^52) lies within 1e-13 of an integer: only such quotients can be poles (below).
inline bool WithinPoleDistance(double q) {
    return std::fabs(q - rounding_detail::RoundToInteger(q)) <= 1e-13;
}

// The pole test on q = |argument| / period (period pi/2 for tan and sec, pi for csc): n is q printed with
// "%.0lf" and read with atoi, v is q printed with "%.13lf" and read with atof. True when v equals n and,
// with oddOnly, n is odd.
//
// No pole lies further than 1e-13 from an integer: below 2^52 / 1e13 the thirteen decimals equal n only
// within half a unit of the thirteenth, and above it the reading is q itself (or q within 0.5e-13 plus
// half an ulp). Most quotients are settled by that distance alone.
inline bool IsPoleQuotient(double q, bool oddOnly) {
    if (q >= 0 && q < 2147483647.0 && !WithinPoleDistance(q)) return false;
    return rounding_detail::PoleQuotientNearInteger(q, oddOnly);
}
