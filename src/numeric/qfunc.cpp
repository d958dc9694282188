// The real elementary functions of the stored form: domain checks, error reports and final rounding around
// the working-form kernels.
#include "numeric/qlib_internal.h"

using qx::Xf;

namespace {

Xf in(const QELT* x) {
    Xf v;
    qx::unpack(x, v);
    return v;
}

void out(const Xf& v, QELT* y, const char* name) {
    qx::pack(v, y, false, name);
}

// Reports an overflow when a finite argument gave an infinite result.
void out_checked(const Xf& arg, const Xf& v, QELT* y, const char* name) {
    if (v.cls == qx::kInf && arg.cls != qx::kInf) mtherr(name, QERR_OVERFLOW);
    out(v, y, name);
}

void domain(const char* name, QELT* y) {
    mtherr(name, QERR_DOMAIN);
    qclear(y);
}

}  // namespace

void qexp(const QELT* x, QELT* y) {
    Xf a = in(x);
    out_checked(a, qx::exp(a), y, "qexp");
}

void qlog(const QELT* x, QELT* y) {
    Xf a = in(x);
    if (a.cls == qx::kZero) {
        mtherr("qlog", QERR_SING);
        out(qx::inf(true), y, "qlog");
        return;
    }
    if (a.neg) return domain("qlog", y);
    out(qx::log(a), y, "qlog");
}

void qpowi(const QELT* x, long n, QELT* y) {
    Xf a = in(x);
    if (n == 0) return out(qx::one(), y, "qpowi");
    if (a.cls == qx::kZero) {
        if (n < 0) {
            mtherr("qpowi", QERR_SING);
            return out(qx::inf(false), y, "qpowi");
        }
        return qclear(y);
    }
    unsigned long k = n < 0 ? 0UL - static_cast<unsigned long>(n) : static_cast<unsigned long>(n);
    Xf base = a, r = qx::one();
    while (k) {
        if (k & 1) r = qx::mul(r, base);
        k >>= 1;
        if (k) base = qx::sqr(base);
        // Far outside the stored range: stop before the exponent itself could overflow.
        if (r.cls == qx::kFinite && (r.e > 40000 || r.e < -40000)) break;
        if (base.cls == qx::kFinite && (base.e > 40000 || base.e < -40000) && k) {
            r = base.e > 0 ? qx::inf(false) : qx::zero();
            break;
        }
    }
    if (r.cls == qx::kFinite && r.e > 40000) r = qx::inf(r.neg);
    if (r.cls == qx::kFinite && r.e < -40000) r = qx::zero();
    if (n < 0)
        r = r.cls == qx::kInf ? qx::zero() : (r.cls == qx::kZero ? qx::inf(false) : qx::div(qx::one(), r));
    out_checked(a, r, y, "qpowi");
}

void qfac(long n, QELT* y) {
    Xf f = qx::one();
    for (long j = 2; j <= n; ++j) {
        f = qx::mul_u64(f, static_cast<qx::u64>(j));
        if (f.e > QEXPINF - QEXPBIAS) {  // past the stored range: infinite from here on
            mtherr("qfac", QERR_OVERFLOW);
            return out(qx::inf(false), y, "qfac");
        }
    }
    out(f, y, "qfac");
}

void qpow(const QELT* x, const QELT* y, QELT* z) {
    Xf a = in(x), b = in(y);
    if (b.cls == qx::kZero) return out(qx::one(), z, "qpow");
    if (a.cls == qx::kZero) {
        if (b.neg) {
            mtherr("qpow", QERR_SING);
            return out(qx::inf(false), z, "qpow");
        }
        return qclear(z);
    }
    bool negate = false;
    if (a.neg) {
        if (!qx::is_integer(b)) return domain("qpow", z);
        // An odd integer exponent keeps the sign; exponents beyond 2^384 are even.
        Xf half = qx::ldexp(b, -1);
        negate = !qx::is_integer(half);
        a.neg = 0;
    }
    Xf r = qx::exp(qx::mul(b, qx::log(a)));
    if (negate) r = qx::neg(r);
    out_checked(a, r, z, "qpow");
}

void qsin(const QELT* x, QELT* y) {
    Xf s;
    qx::sincos(in(x), &s, nullptr);
    out(s, y, "qsin");
}

void qcos(const QELT* x, QELT* y) {
    Xf c;
    qx::sincos(in(x), nullptr, &c);
    out(c, y, "qcos");
}

void qtan(const QELT* x, QELT* y) {
    Xf s, c;
    qx::sincos(in(x), &s, &c);
    if (c.cls == qx::kZero) {
        mtherr("qtan", QERR_SING);
        return out(qx::inf(s.neg), y, "qtan");
    }
    out(qx::div(s, c), y, "qtan");
}

void qsinh(const QELT* x, QELT* y) {
    Xf a = in(x);
    out_checked(a, qx::sinh(a), y, "qsinh");
}

void qcosh(const QELT* x, QELT* y) {
    Xf a = in(x);
    out_checked(a, qx::cosh(a), y, "qcosh");
}

void qtanh(const QELT* x, QELT* y) {
    out(qx::tanh(in(x)), y, "qtanh");
}

void qatn(const QELT* x, QELT* y) {
    out(qx::atan(in(x)), y, "qatn");
}

void qatn2(const QELT* x, const QELT* y, QELT* z) {
    out(qx::atan2(in(y), in(x)), z, "qatn2");
}

void qasin(const QELT* x, QELT* y) {
    Xf a = in(x);
    int c = qx::cmp_abs(a, qx::one());
    if (c > 0) return domain("qasin", y);
    // asin x = atan2(x, sqrt((1 - x)(1 + x))); the factored form keeps the root accurate near |x| = 1.
    Xf root = qx::sqrt(qx::mul(qx::sub(qx::one(), a), qx::add(qx::one(), a)));
    out(qx::atan2(a, root), y, "qasin");
}

void qacos(const QELT* x, QELT* y) {
    Xf a = in(x);
    if (qx::cmp_abs(a, qx::one()) > 0) return domain("qacos", y);
    Xf root = qx::sqrt(qx::mul(qx::sub(qx::one(), a), qx::add(qx::one(), a)));
    out(qx::atan2(root, a), y, "qacos");
}

void qasinh(const QELT* x, QELT* y) {
    out(qx::asinh(in(x)), y, "qasinh");
}

void qacosh(const QELT* x, QELT* y) {
    Xf a = in(x);
    if (a.neg || qx::cmp_abs(a, qx::one()) < 0) return domain("qacosh", y);
    if (a.cls == qx::kInf) return out(a, y, "qacosh");
    Xf r;
    if (a.e > 200) {
        r = qx::add(qx::log(a), qx::ln2());
    } else {
        // log1p((x - 1) + sqrt((x - 1)(x + 1))) stays accurate as x approaches 1.
        Xf t = qx::sub(a, qx::one());
        r = qx::log1p(qx::add(t, qx::sqrt(qx::mul(t, qx::add(a, qx::one())))));
    }
    out(r, y, "qacosh");
}

void qatanh(const QELT* x, QELT* y) {
    Xf a = in(x);
    int c = qx::cmp_abs(a, qx::one());
    if (c > 0) return domain("qatanh", y);
    if (c == 0) {
        mtherr("qatanh", QERR_SING);
        return out(qx::inf(a.neg), y, "qatanh");
    }
    // atanh x = 1/2 log1p(2x / (1 - x))
    Xf r = qx::ldexp(qx::log1p(qx::div(qx::ldexp(a, 1), qx::sub(qx::one(), a))), -1);
    out(r, y, "qatanh");
}

void qredpi(const QELT* x, QELT* y) {
    Xf a = in(x);
    if (a.cls != qx::kFinite) return out(a.cls == qx::kZero ? a : qx::zero(), y, "qredpi");
    // r = x - k pi with |r| <= pi/2, from sin and cos of x: r = atan2(sin x, cos x) folded into that range.
    Xf s, c;
    qx::sincos(a, &s, &c);
    Xf r = qx::atan2(s, c);
    if (qx::cmp_abs(r, qx::half_pi()) > 0) r = r.neg ? qx::add(r, qx::pi()) : qx::sub(r, qx::pi());
    out(r, y, "qredpi");
}
