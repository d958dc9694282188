#include "engine/eval/double_rounding.h"

#include "engine/eval/exact_product.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include "engine/eval/scalar_codegen.h"  // last: changes code generation for this file

namespace {

constexpr double kTwo52 = 4503599627370496.0;

// nearbyint for |h| < 2^52 in the default rounding mode, without a library call: adding 2^52 leaves no
// fraction bits, so the addition itself rounds to the nearest integer, ties to even. The sign of a zero
// result follows h, as nearbyint's does.
double RoundToInteger(double h) {
    const double r = h >= 0 ? (h + kTwo52) - kTwo52 : (h - kTwo52) + kTwo52;
    return std::copysign(r, h);
}

// x * scale rounded to the nearest integer (ties to even) on the exact product, then divided by scale:
// the value of x printed with as many decimals as scale has zeros and read back. Valid while
// |x * scale| < 2^52: then hi - r is exact and the product's error lo decides the ties of hi; r is an exact
// integer, so the one correctly rounded division equals the correctly rounded reading of the digits.
double RoundScaled(double x, double scale) {
    const double hi = x * scale;
    const double lo = ProductError(x, scale, hi);  // decides ties only, where it is exact
    double r = RoundToInteger(hi);
    const double f = hi - r;
    if (f == 0.5 || f == -0.5) {
        if (lo > 0) r = std::ceil(hi);
        if (lo < 0) r = std::floor(hi);
    }
    return r / scale;
}

double RoundTrip(const char* format, double x) {
    char text[512];  // "%.13lf" of the largest double needs 309 + 15 characters
    std::snprintf(text, sizeof text, format, x);
    return std::atof(text);
}

bool PoleByText(double q, bool oddOnly) {
    char text[512];
    std::snprintf(text, sizeof text, "%.0lf", q);
    const int n = std::atoi(text);
    const double v = RoundTrip("%.13lf", q);
    return v == n && (!oddOnly || n % 2 != 0);
}

}  // namespace

double SnapTo12Decimals(double x) {
    if (std::fabs(x) < kTwo52 / 1e12) return RoundScaled(x, 1e12);
    return RoundTrip("%.12lf", x);
}

bool IsPoleQuotient(double q, bool oddOnly) {
    // Below 2^52 / 1e13 the thirteen-decimal value is computed exactly. From 512 on, half a unit in the
    // last place of q exceeds 0.5e-13, so reading the thirteen decimals back gives q itself; up to 2^31
    // the integer of "%.0lf" is q rounded to even, which atoi reads without overflow.
    if (q >= 0 && q < kTwo52 / 1e13) {
        const double n = RoundToInteger(q);
        return RoundScaled(q, 1e13) == n && (!oddOnly || std::fmod(n, 2) != 0);
    }
    if (q >= 512 && q < 2147483647.0) {
        const double n = RoundToInteger(q);
        return q == n && (!oddOnly || std::fmod(n, 2) != 0);
    }
    // In between, the value read back lies within 0.5e-13 plus half an ulp (2^-45) of q: away from an
    // integer it cannot equal one.
    if (q >= 256 && q < 512 && std::fabs(q - RoundToInteger(q)) > 1e-13) return false;
    return PoleByText(q, oddOnly);
}
