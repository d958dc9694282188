#include "numeric/qcomplex.h"

#include "numeric/errors.h"

namespace {

// Maps a flagged library error to the engine's code.
qcmplx checked(const qcmplx& r) {
    if (iserror()) SetErrorCode(kErrLibrary);
    return r;
}

using Unary = void (*)(const qcmplx*, qcmplx*);

qcmplx apply(Unary f, const qcmplx& a) {
    qcmplx r;
    f(&a, &r);
    return r;
}

qcmplx inverse(const qcmplx& a) {
    qcmplx r;
    qcdiv(&a, &qcone, &r);  // r = 1 / a
    return r;
}

}  // namespace

qcmplx qcmplx_make(double re, double im) {
    qcmplx r;
    etoq(re, r.r);
    etoq(im, r.i);
    return r;
}

qcmplx qcmplx_real(const QELT* re) {
    qcmplx r;
    qmov(re, r.r);
    qclear(r.i);
    return r;
}

qcmplx qcmplx_add(qcmplx a, qcmplx b) {
    qcmplx r;
    qcadd(&b, &a, &r);
    return checked(r);
}

qcmplx qcmplx_sub(qcmplx a, qcmplx b) {
    qcmplx r;
    qcsub(&b, &a, &r);  // r = a - b
    return checked(r);
}

qcmplx qcmplx_mul(qcmplx a, qcmplx b) {
    qcmplx r;
    qcmul(&b, &a, &r);
    return checked(r);
}

qcmplx qcmplx_div(qcmplx a, qcmplx b) {
    qcmplx r;
    qcdiv(&b, &a, &r);  // r = a / b
    return checked(r);
}

qcmplx qcmplx_pow(qcmplx a, qcmplx b) {
    qcmplx r;
    qcpow(&a, &b, &r);
    return checked(r);
}

qcmplx qcmplx_abs(qcmplx a) {
    qcmplx r;
    qcabs(&a, r.r);
    qclear(r.i);
    return checked(r);
}

qcmplx qcmplx_inverse(qcmplx a) {
    return checked(inverse(a));
}

qcmplx qcmplx_log(qcmplx a) {
    return checked(apply(qclog, a));
}

qcmplx qcmplx_log10(qcmplx a) {
    qcmplx l = apply(qclog, a);
    QELT ten[NQ], ln10[NQ];
    ltoq(10, ten);
    qlog(ten, ln10);
    qdiv(ln10, l.r, l.r);
    qdiv(ln10, l.i, l.i);
    return checked(l);
}

qcmplx qcmplx_sqrt(qcmplx a) {
    return checked(apply(qcsqrt, a));
}
qcmplx qcmplx_exp(qcmplx a) {
    return checked(apply(qcexp, a));
}
qcmplx qcmplx_sin(qcmplx a) {
    return checked(apply(qcsin, a));
}
qcmplx qcmplx_cos(qcmplx a) {
    return checked(apply(qccos, a));
}
qcmplx qcmplx_tan(qcmplx a) {
    return checked(apply(qctan, a));
}
qcmplx qcmplx_sinh(qcmplx a) {
    return checked(apply(qcsinh, a));
}
qcmplx qcmplx_cosh(qcmplx a) {
    return checked(apply(qccosh, a));
}
qcmplx qcmplx_tanh(qcmplx a) {
    return checked(apply(qctanh, a));
}
qcmplx qcmplx_arcsin(qcmplx a) {
    return checked(apply(qcasin, a));
}
qcmplx qcmplx_arccos(qcmplx a) {
    return checked(apply(qcacos, a));
}
qcmplx qcmplx_arctan(qcmplx a) {
    return checked(apply(qcatan, a));
}
qcmplx qcmplx_arcsinh(qcmplx a) {
    return checked(apply(qcasinh, a));
}
qcmplx qcmplx_arccosh(qcmplx a) {
    return checked(apply(qcacosh, a));
}
qcmplx qcmplx_arctanh(qcmplx a) {
    return checked(apply(qcatanh, a));
}
qcmplx qcmplx_sec(qcmplx a) {
    return checked(inverse(apply(qccos, a)));
}
qcmplx qcmplx_csc(qcmplx a) {
    return checked(inverse(apply(qcsin, a)));
}
qcmplx qcmplx_sech(qcmplx a) {
    return checked(inverse(apply(qccosh, a)));
}
qcmplx qcmplx_csch(qcmplx a) {
    return checked(inverse(apply(qcsinh, a)));
}
qcmplx qcmplx_arcsec(qcmplx a) {
    return checked(apply(qcacos, inverse(a)));
}
qcmplx qcmplx_arccsc(qcmplx a) {
    return checked(apply(qcasin, inverse(a)));
}
qcmplx qcmplx_arcsech(qcmplx a) {
    return checked(apply(qcacosh, inverse(a)));
}
qcmplx qcmplx_arccsch(qcmplx a) {
    return checked(apply(qcasinh, inverse(a)));
}
