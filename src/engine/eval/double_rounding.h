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
// Below this one it stays under 2^51, where NearestInteger serves.
constexpr double kSnapQuickLimit = kSnapLimit / 2;

// nearbyint for |h| < 2^52 in the default rounding mode, without a library call: adding 2^52 (with h's
// sign) leaves no fraction bits, so the addition itself rounds to the nearest integer, ties to even. The
// sign of a zero result follows h, as nearbyint's does.
inline double RoundToInteger(double h) {
    const double big = std::copysign(kTwo52, h);
    return std::copysign((h + big) - big, h);
}

// The same for |h| < 2^51 in two operations, with a zero result always +0: h + 1.5 * 2^52 lies in
// [2^52, 2^53), where the doubles are the integers, and 1.5 * 2^52 is even, so ties go to the even integer.
inline double NearestInteger(double h) {
    constexpr double kShift = 1.5 * kTwo52;
    return (h + kShift) - kShift;
}

// The exact product x * 1e12 lies on a tie (hi - r is one half): its rounding error decides the side.
double SnapTie(double x, double hi, double r);
// SnapTo12Decimals from kSnapQuickLimit on.
double SnapWide(double x);

}  // namespace rounding_detail

// x printed with "%.12lf" and read back with atof: x rounded to 12 decimals (ties to even on the exact
// binary value), the result rounded to the nearest double. Signs of zero and non-numbers are kept.
//
// In the exact range: hi = x * 1e12 rounds the exact product, and rounding is monotonic, so hi lands on a
// half-integer only when the exact product is that half-integer or rounds to it; everywhere else the
// nearest integer of hi is that of the exact product. r is then an exact integer and the one correctly
// rounded division equals the correctly rounded reading of the twelve digits.
inline double SnapTo12Decimals(double x) {
    using namespace rounding_detail;
    if (!(std::fabs(x) < kSnapQuickLimit)) return SnapWide(x);
    const double hi = x * 1e12;
    const double r = NearestInteger(hi);
    const double f = hi - r;
    if (std::fabs(f) >= 0.5) return SnapTie(x, hi, r);  // |f| is at most one half
    const double snapped = r / 1e12;
    return r != 0 ? snapped : std::copysign(0.0, x);  // a zero keeps x's sign
}

// The snapped value of v known only through an estimate y with |y - v| <= rel |y| (rel well below 1),
// for callers that have a cheap estimate of a value that is expensive to form exactly. Returns 1 with
// SnapTo12Decimals(v) in out when y settles it (v * 1e12 lies clearly inside one rounding interval); 0
// when v may lie too near a rounding boundary (2^-900 <= |y| < kSnapQuickLimit still holds); -1 when y
// is outside that range.
inline int SnapFromEstimate(double y, double rel, double& out) {
    using namespace rounding_detail;
    const double ay = std::fabs(y);
    if (!(ay >= 0x1p-900 && ay < kSnapQuickLimit)) return -1;
    const double h = y * 1e12;  // within |h| 2^-53 of y * 1e12
    const double r = NearestInteger(h);
    // v * 1e12 lies within |h| (rel + 2^-53), slightly enlarged, of h (the estimate's error and the
    // product's rounding). |h - r| is exact (both below 2^51 and one unit apart at most).
    const double spread = std::fabs(h) * (rel * 1.0001 + 0x1p-51);
    if (!(std::fabs(h - r) + spread < 0.5)) return 0;
    out = r / 1e12;
    if (r == 0) out = std::copysign(0.0, y);  // v has y's sign (it lies within rel |y| of y)
    return 1;
}

namespace rounding_detail {
bool PoleQuotientNearInteger(double q, bool oddOnly);
}  // namespace rounding_detail

// q (0 <= q < 2^51) lies within 1e-13 of an integer: only such quotients can be poles (below).
inline bool WithinPoleDistance(double q) {
    return std::fabs(q - rounding_detail::NearestInteger(q)) <= 1e-13;
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
