// Shared pieces of the handler families: the operand-count test, the one- and two-operand shapes, and
// the value-level computations that the compiled double-precision programs call without the stack.
#pragma once

#include "engine/errors.h"
#include "numeric/complex.h"
#include "numeric/qlib.h"

namespace handler_detail {

// True when the innermost group holds at least k values; otherwise sets -1.
inline bool Need(long count, long base, int k) {
    if (count - base < k) {
        SetErrorCode(-1);
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

// Value-level forms of the double handlers (same results and codes as the handlers; 0 for success).
// a receives the result.
int PowValue(COMPLEX& a, COMPLEX b);
COMPLEX RootValue(COMPLEX index, COMPLEX x);  // the index-th root of x, with the real shortcut
int SqrtValue(COMPLEX& z);
int LnValue(COMPLEX& z);
int LogValue(COMPLEX& z);
int SinValue(COMPLEX& z);
int CosValue(COMPLEX& z);
int TanValue(COMPLEX& z);
