// Shared pieces of the handler families: the operand-count test, the one- and two-operand shapes, and
// the value-level computations that the compiled double-precision programs call without the stack.
#pragma once

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
COMPLEX RootValue(COMPLEX index, COMPLEX x);  // the index-th root of x, with the real shortcut
COMPLEX SqrtValue(COMPLEX z, int& err);
COMPLEX LnValue(COMPLEX z, int& err);
COMPLEX LogValue(COMPLEX z, int& err);
COMPLEX SinValue(COMPLEX z, int& err);
COMPLEX CosValue(COMPLEX z, int& err);
COMPLEX TanValue(COMPLEX z, int& err);

namespace handler_detail {

// A one-operand handler over a value-level form.
inline void UnaryValue(COMPLEX* s, long& n, long base, ValueFn f) {
    if (!Need(n, base, 1)) return;
    int err = 0;
    s[n - 1] = f(s[n - 1], err);
    if (err != 0) SetErrorCode(err);
}

}  // namespace handler_detail
