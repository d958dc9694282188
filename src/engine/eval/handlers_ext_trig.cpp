// Extended-precision circular and hyperbolic handlers. The circular functions take real arguments (forward
// functions) and give real results (inverse functions) in the unit of g_Mode; the hyperbolic functions take
// and give plain numbers in every angle mode.
#include "engine/eval/evaluate.h"
#include "engine/eval/ext_support.h"
#include "engine/eval/handler_support.h"
#include "engine/eval/handlers.h"
#include "numeric/qcomplex.h"

using ext_detail::K;
using ext_detail::MakeReal;
using handler_detail::Unary;

namespace {

using Fn = qcmplx (*)(qcmplx);

void ArgumentToRadians(qcmplx& z) {
    if (!MakeReal(z)) {
        g_Mode = 1;
        return;
    }
    if (g_Mode == 0) qmul(K().degreeToRadian, z.r, z.r);
    if (g_Mode == 2) qmul(K().gradToRadian, z.r, z.r);
}

void ResultFromRadians(qcmplx& z) {
    if (!MakeReal(z)) {
        g_Mode = 1;
        return;
    }
    if (g_Mode == 0) qmul(K().radianToDegree, z.r, z.r);
    if (g_Mode == 2) qmul(K().radianToGrad, z.r, z.r);
}

void Forward(qcmplx* s, long& n, long base, Fn f) {
    Unary(s, n, base, [f](qcmplx& z) {
        ArgumentToRadians(z);
        z = f(z);
        return 0;
    });
}

void Inverse(qcmplx* s, long& n, long base, Fn f) {
    Unary(s, n, base, [f](qcmplx& z) {
        z = f(z);
        ResultFromRadians(z);
        return 0;
    });
}

// A hyperbolic function has no angle: the mode is neither applied nor changed. An imaginary part of at most
// 1e-64 still counts as zero, as it does for the circular functions.
void Plain(qcmplx* s, long& n, long base, Fn f) {
    Unary(s, n, base, [f](qcmplx& z) {
        MakeReal(z);
        z = f(z);
        return 0;
    });
}

void PlainInverse(qcmplx* s, long& n, long base, Fn f) {
    Unary(s, n, base, [f](qcmplx& z) {
        z = f(z);
        MakeReal(z);
        return 0;
    });
}

// ||x| - pi/2| <= 1e-64 for a real x.
bool AtHalfPi(const qcmplx& z) {
    if (!iszero(z.i)) return false;
    QELT d[NQ];
    qmov(z.r, d);
    qabs(d);
    qsub(K().halfPi, d, d);
    return ext_detail::IsTiny(d);
}

}  // namespace

void SinEx(qcmplx* s, long& n, long base) {
    Forward(s, n, base, qcmplx_sin);
}
void CosEx(qcmplx* s, long& n, long base) {
    Forward(s, n, base, qcmplx_cos);
}
void TanEx(qcmplx* s, long& n, long base) {
    Unary(s, n, base, [](qcmplx& z) {
        ArgumentToRadians(z);
        if (AtHalfPi(z)) return kErrLibrary;
        z = qcmplx_tan(z);
        return 0;
    });
}
void SecEx(qcmplx* s, long& n, long base) {
    Forward(s, n, base, qcmplx_sec);
}
void CSecEx(qcmplx* s, long& n, long base) {
    Forward(s, n, base, qcmplx_csc);
}
void SinhEx(qcmplx* s, long& n, long base) {
    Plain(s, n, base, qcmplx_sinh);
}
void CoshEx(qcmplx* s, long& n, long base) {
    Plain(s, n, base, qcmplx_cosh);
}
void TanhEx(qcmplx* s, long& n, long base) {
    Plain(s, n, base, qcmplx_tanh);
}
void SechEx(qcmplx* s, long& n, long base) {
    Plain(s, n, base, qcmplx_sech);
}
void CSechEx(qcmplx* s, long& n, long base) {
    Plain(s, n, base, qcmplx_csch);
}

void ASinEx(qcmplx* s, long& n, long base) {
    Inverse(s, n, base, qcmplx_arcsin);
}
void ACosEx(qcmplx* s, long& n, long base) {
    Inverse(s, n, base, qcmplx_arccos);
}
void ATanEx(qcmplx* s, long& n, long base) {
    Inverse(s, n, base, qcmplx_arctan);
}
void ASecEx(qcmplx* s, long& n, long base) {
    Inverse(s, n, base, qcmplx_arcsec);
}
void ACscEx(qcmplx* s, long& n, long base) {
    Inverse(s, n, base, qcmplx_arccsc);
}
void ASinhEx(qcmplx* s, long& n, long base) {
    PlainInverse(s, n, base, qcmplx_arcsinh);
}
void ACoshEx(qcmplx* s, long& n, long base) {
    PlainInverse(s, n, base, qcmplx_arccosh);
}
void ATanhEx(qcmplx* s, long& n, long base) {
    PlainInverse(s, n, base, qcmplx_arctanh);
}
void ASechEx(qcmplx* s, long& n, long base) {
    PlainInverse(s, n, base, qcmplx_arcsech);
}
void ACschEx(qcmplx* s, long& n, long base) {
    PlainInverse(s, n, base, qcmplx_arccsch);
}
