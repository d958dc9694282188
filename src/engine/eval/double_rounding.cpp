#include "engine/eval/double_rounding.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/eval/exact_product.h"
#include "engine/eval/scalar_codegen.h"  // last: changes code generation for this file

using rounding_detail::kSnapLimit;
using rounding_detail::kTwo52;
using rounding_detail::RoundToInteger;

namespace {

// x * scale rounded to the nearest integer (ties to even) on the exact product, then divided by scale:
// the value of x printed with as many decimals as scale has zeros and read back. Valid while
// |x * scale| < 2^52: then hi - r is exact, and only where it is one half can the product's rounding
// have moved hi onto the tie; the product's error lo then decides. r is an exact integer, so the one
// correctly rounded division equals the correctly rounded reading of the digits.
double RoundScaled(double x, double scale) {
    const double hi = x * scale;
    double r = RoundToInteger(hi);
    const double f = hi - r;
    if (f == 0.5 || f == -0.5) {
        const double lo = ProductError(x, scale, hi);
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

double rounding_detail::SnapTie(double x, double hi, double r) {
    const double lo = ProductError(x, 1e12, hi);
    if (lo > 0) return std::ceil(hi) / 1e12;
    if (lo < 0) return std::floor(hi) / 1e12;
    return std::copysign(r, hi) / 1e12;
}

double rounding_detail::SnapWide(double x) {
    if (std::fabs(x) < kSnapLimit) return RoundScaled(x, 1e12);
    return RoundTrip("%.12lf", x);
}

bool rounding_detail::PoleQuotientNearInteger(double q, bool oddOnly) {
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
