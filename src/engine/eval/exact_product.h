// The rounding error of a double product, for the exact decimal and power rules of the double handlers.
#pragma once

#include <cmath>

// x * y - p exactly, for p = x * y rounded, when neither the product nor the halves of the operands leave
// the normal range. Where the build targets fused multiply-add this is one instruction; otherwise Dekker's
// product over Veltkamp's split gives the same exact value from plain multiplications, which measured
// faster than a call to the C library's fma.
inline double ProductError(double x, double y, double p) {
#ifdef __FMA__
    return std::fma(x, y, -p);
#else
    constexpr double kSplit = 134217729.0;  // 2^27 + 1
    const double cx = kSplit * x;
    const double xh = cx - (cx - x);
    const double xl = x - xh;
    const double cy = kSplit * y;
    const double yh = cy - (cy - y);
    const double yl = y - yh;
    return ((xh * yh - p) + xh * yl + xl * yh) + xl * yl;
#endif
}
