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

}  // namespace

void GT(qcmplx* result, const QELT* m) {
    Factorial(m, result->r);
    qclear(result->i);
}

void NPR(qcmplx* result, const QELT* n, const QELT* k) {
    QELT fn[NQ], nk[NQ], fnk[NQ];
    Factorial(n, fn);
    qsub(k, n, nk);  // n - k
    Factorial(nk, fnk);
    qdiv(fnk, fn, result->r);  // fn / fnk
    qclear(result->i);
}

void NCR(qcmplx* result, const QELT* n, const QELT* k) {
    NPR(result, n, k);
    QELT fk[NQ];
    Factorial(k, fk);
    qdiv(fk, result->r, result->r);
}
