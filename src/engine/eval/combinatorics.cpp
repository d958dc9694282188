#include "engine/eval/combinatorics.h"

namespace {

// f = floor(m)!; f may be m.
void Factorial(const QELT* m, QELT* f) {
    QELT whole[NQ];
    qfloor(m, whole);
    qmov(qone, f);
    if (qcmp(whole, qtwo) < 0) return;
    long top;
    QELT frac[NQ];
    qifrac(whole, &top, frac);  // clamped to 2^31 - 1; the product is infinite long before that
    qfac(top, f);
}

bool IsWhole(const QELT* x) {
    QELT f[NQ];
    qfloor(x, f);
    return qcmp(f, x) == 0;
}

// p = p * f for p, f >= 1 when the product stays below the extended range; false (p unchanged) otherwise,
// without the library's overflow report. The product of the significands lies in [1/4, 1), so its
// exponent is e(p) + e(f) - bias or one less: only the case in between needs the product itself.
bool MultiplyWithin(QELT* p, const QELT* f) {
    const long e = static_cast<long>(p[1]) + f[1] - QEXPBIAS;
    if (e < QEXPINF) {
        qmul(f, p, p);
        return true;
    }
    if (e > QEXPINF) return false;
    QELT half[NQ];
    qmov(p, half);
    --half[1];
    qmul(f, half, half);
    if (half[1] >= QEXPINF - 1) return false;
    ++half[1];
    qmov(half, p);
    return true;
}

bool Fail(qcmplx* result) {
    *result = qczero;
    return false;
}

}  // namespace

void GT(qcmplx* result, const QELT* m) {
    Factorial(m, result->r);
    qclear(result->i);
}

bool NPR(qcmplx* result, const QELT* n, const QELT* k) {
    qclear(result->i);
    if (!IsWhole(n) || !IsWhole(k)) {
        QELT fn[NQ], nk[NQ], fnk[NQ];
        Factorial(n, fn);
        qsub(k, n, nk);  // n - k
        Factorial(nk, fnk);
        qdiv(fnk, fn, result->r);  // fn / fnk
        return true;
    }
    // Every factor is at least 2, so the product leaves the range within QEXPINF - QEXPBIAS factors.
    QELT factor[NQ];
    qsub(k, n, factor);
    qadd(qone, factor, factor);  // n - k + 1
    qmov(qone, result->r);
    for (; qcmp(factor, n) <= 0; qadd(qone, factor, factor)) {
        if (!MultiplyWithin(result->r, factor)) return Fail(result);
    }
    return true;
}

bool NCR(qcmplx* result, const QELT* n, const QELT* k) {
    if (!IsWhole(n) || !IsWhole(k)) {
        NPR(result, n, k);
        QELT fk[NQ];
        Factorial(k, fk);
        qdiv(fk, result->r, result->r);
        return true;
    }
    qclear(result->i);
    QELT j[NQ], factor[NQ], i[NQ];
    qsub(k, n, j);  // n - k
    if (qcmp(k, j) < 0) qmov(k, j);
    qsub(j, n, factor);  // n - j: the factor before the first
    qmov(qone, result->r);
    // After step i the value is C(n - j + i, i), at least 2^i while i <= j <= n - j: the loop ends by
    // leaving the range within QEXPINF - QEXPBIAS steps whatever k is.
    for (qmov(qone, i); qcmp(i, j) <= 0; qadd(qone, i, i)) {
        qadd(qone, factor, factor);
        if (MultiplyWithin(result->r, factor)) {
            qdiv(i, result->r, result->r);  // exact: the quotient is a whole number
        } else {
            qdiv(i, result->r, result->r);  // at the top of the range: divide first, round once more
            if (!MultiplyWithin(result->r, factor)) return Fail(result);
        }
    }
    return true;
}
