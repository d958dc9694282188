// Extended-precision arithmetic, power, root, logarithm, factorial and integer handlers.
#include "engine/eval/combinatorics.h"
#include "engine/eval/ext_support.h"
#include "engine/eval/handler_support.h"
#include "engine/eval/handlers.h"
#include "engine/eval/integer_ops.h"
#include "numeric/qcomplex.h"

using handler_detail::Binary;
using handler_detail::Need;
using handler_detail::Unary;

qcmplx g_dblLastParam;

namespace ext_detail {

namespace {

Constants Build() {
    Constants k;
    asctoq("1e-64", k.tiny);
    ltoq(10, k.ten);
    ltoq(100, k.hundred);
    ltoq(1500, k.limit);
    qmov(qpi, k.halfPi);
    qdiv(qtwo, k.halfPi, k.halfPi);
    QELT c180[NQ], c200[NQ];
    ltoq(180, c180);
    ltoq(200, c200);
    qdiv(c180, qpi, k.degreeToRadian);  // pi / 180
    qdiv(c200, qpi, k.gradToRadian);
    qdiv(qpi, c180, k.radianToDegree);  // 180 / pi
    qdiv(qpi, c200, k.radianToGrad);
    k.half = qcmplx_real(qhalf);
    k.tenC = qcmplx_real(k.ten);
    return k;
}

int CompareMagnitude(const QELT* x, const QELT* y) {
    QELT a[NQ];
    qmov(x, a);
    qabs(a);
    return qcmp(a, y);
}

}  // namespace

const Constants& K() {
    static const Constants k = Build();
    return k;
}

bool IsTiny(const QELT* x) {
    return iszero(x) || CompareMagnitude(x, K().tiny) <= 0;
}

bool IsBelowTiny(const QELT* x) {
    return iszero(x) || CompareMagnitude(x, K().tiny) < 0;
}

bool MakeReal(qcmplx& v) {
    if (!IsTiny(v.i)) return false;
    qclear(v.i);
    return true;
}

double ToDouble(const QELT* q) {
    double d;
    qtoe(q, &d);
    return d;
}

}  // namespace ext_detail

using ext_detail::K;
using ext_detail::MakeReal;

namespace {

// Two-operand handler that records b as the repeatable parameter.
template <typename F>
void WithParam(qcmplx* s, long& n, long base, F f) {
    Binary(s, n, base, [f](qcmplx& a, qcmplx b) {
        g_dblLastParam = b;
        a = f(a, b);
        return 0;
    });
}

void DropTinyReal(qcmplx& v) {
    if (ext_detail::IsBelowTiny(v.r)) qclear(v.r);
}

qcmplx TimesPowerOfTen(const qcmplx& a, const qcmplx& b) {
    return qcmplx_mul(a, qcmplx_pow(K().tenC, b));
}

// Two real operands for the integer words; false (-54 set) when one is complex.
template <typename F>
void IntegerWord(qcmplx* s, long& n, long base, F f) {
    Binary(s, n, base, [f](qcmplx& a, qcmplx b) {
        if (!MakeReal(a) || !MakeReal(b)) return kErrComplex;
        g_dblLastParam = b;
        qcmplx r = qczero;
        const int err = f(a, b, r);
        a = r;
        return err;
    });
}

// n = a taken r = b at a time needs n > r > 0. A value beyond the extended range is out of range; an
// overflow of the factorials that fractional operands still take is a library error.
template <typename F>
void Combinatoric(qcmplx* s, long& n, long base, F f) {
    IntegerWord(s, n, base, [f](const qcmplx& a, const qcmplx& b, qcmplx& r) {
        if (!(qcmp(a.r, b.r) > 0 && qcmp(b.r, qzero) > 0)) return kErrInvalidArguments;
        if (!f(&r, a.r, b.r)) return kErrOutOfRange;
        return iserror() ? kErrLibrary : 0;
    });
}

}  // namespace

void AddEx(qcmplx* s, long& n, long base) {
    WithParam(s, n, base, [](const qcmplx& a, const qcmplx& b) {
        qcmplx r = qcmplx_add(a, b);
        DropTinyReal(r);
        return r;
    });
}

void SubEx(qcmplx* s, long& n, long base) {
    if (!Need(n, base, 1)) return;
    if (n - base == 1) {
        s[n - 1] = qcmplx_sub(qczero, s[n - 1]);
        DropTinyReal(s[n - 1]);
        return;
    }
    WithParam(s, n, base, [](const qcmplx& a, const qcmplx& b) {
        qcmplx r = qcmplx_sub(a, b);
        DropTinyReal(r);
        return r;
    });
}

void MulEx(qcmplx* s, long& n, long base) {
    WithParam(s, n, base, [](const qcmplx& a, const qcmplx& b) { return qcmplx_mul(a, b); });
}
void DivEx(qcmplx* s, long& n, long base) {
    WithParam(s, n, base, [](const qcmplx& a, const qcmplx& b) { return qcmplx_div(a, b); });
}
void PowEx(qcmplx* s, long& n, long base) {
    WithParam(s, n, base, [](const qcmplx& a, const qcmplx& b) { return qcmplx_pow(a, b); });
}

void rootEx(qcmplx* s, long& n, long base) {
    Binary(s, n, base, [](qcmplx& a, qcmplx b) {
        g_dblLastParam = a;  // the root index
        a = qcmplx_pow(b, qcmplx_inverse(a));
        return 0;
    });
}

void irootEx(qcmplx* s, long& n, long base) {
    WithParam(s, n, base, [](const qcmplx& a, const qcmplx& b) { return qcmplx_pow(a, qcmplx_inverse(b)); });
}

void expEx(qcmplx* s, long& n, long base) {
    Binary(s, n, base, [](qcmplx& a, qcmplx b) {
        a = TimesPowerOfTen(a, b);
        return 0;
    });
}

void iexpEx(qcmplx* s, long& n, long base) {
    WithParam(s, n, base, TimesPowerOfTen);
}

void SqrtEx(qcmplx* s, long& n, long base) {
    Unary(s, n, base, [](qcmplx& z) {
        z = qcmplx_pow(z, K().half);
        return 0;
    });
}
void LnEx(qcmplx* s, long& n, long base) {
    Unary(s, n, base, [](qcmplx& z) {
        z = qcmplx_log(z);
        return 0;
    });
}
void LogEx(qcmplx* s, long& n, long base) {
    Unary(s, n, base, [](qcmplx& z) {
        z = qcmplx_log10(z);
        return 0;
    });
}
void AbsEx(qcmplx* s, long& n, long base) {
    Unary(s, n, base, [](qcmplx& z) {
        z = qcmplx_abs(z);
        return 0;
    });
}

void FactorialEx(qcmplx* s, long& n, long base) {
    Unary(s, n, base, [](qcmplx& z) {
        if (!MakeReal(z)) return kErrComplex;
        if (qcmp(z.r, qzero) < 0 || qcmp(z.r, K().limit) > 0) return kErrLibrary;
        GT(&z, z.r);
        return 0;
    });
}

void PercentEx(qcmplx* s, long& n, long base) {
    Unary(s, n, base, [](qcmplx& z) {
        if (!MakeReal(z)) return kErrComplex;
        qdiv(K().hundred, z.r, z.r);
        return 0;
    });
}

void MODEx(qcmplx* s, long& n, long base) {
    IntegerWord(s, n, base, [](const qcmplx& a, const qcmplx& b, qcmplx& r) {
        MOD(&r, a.r, b.r);
        return 0;
    });
}
void GCDEx(qcmplx* s, long& n, long base) {
    IntegerWord(s, n, base, [](const qcmplx& a, const qcmplx& b, qcmplx& r) {
        GCD(&r, b.r, a.r);
        return 0;
    });
}
void LCMEx(qcmplx* s, long& n, long base) {
    IntegerWord(s, n, base, [](const qcmplx& a, const qcmplx& b, qcmplx& r) {
        LCM(&r, b.r, a.r);
        return 0;
    });
}
void RANEx(qcmplx* s, long& n, long base) {
    IntegerWord(s, n, base, [](const qcmplx& a, const qcmplx& b, qcmplx& r) {
        RAN(&r, b.r, a.r);
        return 0;
    });
}

void nCrEx(qcmplx* s, long& n, long base) {
    Combinatoric(s, n, base, NCR);
}
void nPrEx(qcmplx* s, long& n, long base) {
    Combinatoric(s, n, base, NPR);
}
