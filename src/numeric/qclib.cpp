// Complex functions of the extended-precision library.
//
// Everything is computed on working-form pairs and rounded once per part. The inverse functions use
// Kahan's formulations in terms of square roots of 1 +- z and real atan2/asinh/log1p, which stay accurate for
// tiny arguments and near the branch points, where the textbook logarithmic forms cancel. Without signed
// zeros, an argument on a branch cut takes the side of a positive imaginary zero.
#include "numeric/qlib_internal.h"

using qx::Xf;

namespace {

struct Xc {
    Xf re, im;
};

Xc in(const qcmplx* z) {
    Xc r;
    qx::unpack(z->r, r.re);
    qx::unpack(z->i, r.im);
    return r;
}

void out(const Xc& v, qcmplx* z, const char* name) {
    qx::pack(v.re, z->r, false, name);
    qx::pack(v.im, z->i, false, name);
}

// Stores v and reports an overflow when a part became infinite from a finite argument.
void out_checked(const Xc& arg, const Xc& v, qcmplx* z, const char* name) {
    bool finite_arg = arg.re.cls != qx::kInf && arg.im.cls != qx::kInf;
    if (finite_arg && (v.re.cls == qx::kInf || v.im.cls == qx::kInf)) mtherr(name, QERR_OVERFLOW);
    out(v, z, name);
}

Xc cmul(const Xc& a, const Xc& b) {
    return {qx::sub(qx::mul(a.re, b.re), qx::mul(a.im, b.im)),
            qx::add(qx::mul(a.re, b.im), qx::mul(a.im, b.re))};
}

// a / b for b != 0 (Smith's method: no overflow from squaring b).
Xc cdiv(const Xc& a, const Xc& b) {
    if (b.im.cls == qx::kZero) return {qx::div(a.re, b.re), qx::div(a.im, b.re)};
    if (b.re.cls == qx::kZero) return {qx::div(a.im, b.im), qx::neg(qx::div(a.re, b.im))};
    if (qx::cmp_abs(b.re, b.im) >= 0) {
        Xf r = qx::div(b.im, b.re);
        Xf den = qx::add(b.re, qx::mul(b.im, r));
        return {qx::div(qx::add(a.re, qx::mul(a.im, r)), den), qx::div(qx::sub(a.im, qx::mul(a.re, r)), den)};
    }
    Xf r = qx::div(b.re, b.im);
    Xf den = qx::add(qx::mul(b.re, r), b.im);
    return {qx::div(qx::add(qx::mul(a.re, r), a.im), den), qx::div(qx::sub(qx::mul(a.im, r), a.re), den)};
}

bool czero(const Xc& a) {
    return a.re.cls == qx::kZero && a.im.cls == qx::kZero;
}

// Principal square root.
Xc csqrt(const Xc& z) {
    if (czero(z)) return z;
    if (z.im.cls == qx::kZero) {
        Xf t = qx::sqrt(qx::abs(z.re));
        return z.re.neg ? Xc{qx::zero(), t} : Xc{t, qx::zero()};
    }
    Xf t = qx::sqrt(qx::ldexp(qx::add(qx::abs(z.re), qx::hypot(z.re, z.im)), -1));
    Xf q = qx::div(qx::abs(z.im), qx::ldexp(t, 1));
    if (!z.re.neg) return {t, z.im.neg ? qx::neg(q) : q};
    return {q, z.im.neg ? qx::neg(t) : t};
}

// log |z| for z != 0, through log1p when |z| is near 1.
Xf log_abs(const Xc& z) {
    Xf ax = qx::abs(z.re), ay = qx::abs(z.im);
    if (qx::cmp_abs(ax, ay) < 0) std::swap(ax, ay);
    if (ay.cls == qx::kZero) return qx::log(ax);
    if (ax.e >= 0 && ax.e <= 1) {
        // |z|^2 - 1 = (ax - 1)(ax + 1) + ay^2, exact enough to keep log|z| accurate near the unit circle.
        Xf t = qx::add(qx::mul(qx::sub(ax, qx::one()), qx::add(ax, qx::one())), qx::sqr(ay));
        if (t.cls == qx::kZero) return t;
        if (t.cls == qx::kFinite && t.e <= 0 && !(t.neg && t.e == 0)) return qx::ldexp(qx::log1p(t), -1);
    }
    return qx::log(qx::hypot(ax, ay));
}

Xc clog(const Xc& z) {
    return {log_abs(z), qx::atan2(z.im, z.re)};
}

Xc cexp(const Xc& z) {
    Xf m = qx::exp(z.re);
    if (z.im.cls == qx::kZero) return {m, qx::zero()};
    Xf s, c;
    qx::sincos(z.im, &s, &c);
    return {qx::mul(m, c), qx::mul(m, s)};
}

// sinh, cosh of a real, sharing one exponential.
void sinh_cosh(const Xf& x, Xf* sh, Xf* ch) {
    *sh = qx::sinh(x);
    *ch = qx::cosh(x);
}

// tanh(x + iy) = (sinh x cosh x + i sin y cos y) / (sinh^2 x + cos^2 y): the denominator has no cancellation,
// even next to the poles.
Xc ctanh(const Xc& z) {
    Xf s, c;
    qx::sincos(z.im, &s, &c);
    if (z.re.cls == qx::kFinite &&
        z.re.e > 8) {  // |x| > 256: the real part is +-1 to far beyond the precision
        Xf e = qx::exp(qx::neg(qx::ldexp(qx::abs(z.re), 1)));
        Xf one = qx::one();
        one.neg = z.re.neg;
        return {one, qx::ldexp(qx::mul(qx::mul(s, c), e), 2)};
    }
    Xf sh, ch;
    sinh_cosh(z.re, &sh, &ch);
    Xf den = qx::add(qx::sqr(sh), qx::sqr(c));
    return {qx::div(qx::mul(sh, ch), den), qx::div(qx::mul(s, c), den)};
}

Xc mul_i(const Xc& z) {
    return {qx::neg(z.im), z.re};
}  // i z
Xc mul_minus_i(const Xc& z) {
    return {z.im, qx::neg(z.re)};
}  // -i z

// atanh z = 1/4 log1p(4x / ((1 - x)^2 + y^2)) + i/2 atan2(2y, (1 - x)(1 + x) - y^2).
Xc catanh(const Xc& z) {
    Xf one = qx::one();
    Xf omx = qx::sub(one, z.re);
    Xf den = qx::add(qx::sqr(omx), qx::sqr(z.im));
    Xf re = qx::ldexp(qx::log1p(qx::div(qx::ldexp(z.re, 2), den)), -2);
    Xf im = qx::ldexp(qx::atan2(qx::ldexp(z.im, 1), qx::sub(qx::mul(omx, qx::add(one, z.re)), qx::sqr(z.im))),
                      -1);
    return {re, im};
}

Xc casin(const Xc& z) {
    Xc one_minus = {qx::sub(qx::one(), z.re), qx::neg(z.im)};
    Xc one_plus = {qx::add(qx::one(), z.re), z.im};
    Xc xi = csqrt(one_minus), eta = csqrt(one_plus);
    Xf re = qx::atan2(z.re, qx::sub(qx::mul(xi.re, eta.re), qx::mul(xi.im, eta.im)));
    Xf im = qx::asinh(qx::sub(qx::mul(xi.re, eta.im), qx::mul(xi.im, eta.re)));
    return {re, im};
}

Xc cacos(const Xc& z) {
    Xc one_minus = {qx::sub(qx::one(), z.re), qx::neg(z.im)};
    Xc one_plus = {qx::add(qx::one(), z.re), z.im};
    Xc xi = csqrt(one_minus), eta = csqrt(one_plus);
    Xf re = qx::ldexp(qx::atan2(xi.re, eta.re), 1);
    Xf im = qx::asinh(qx::sub(qx::mul(eta.re, xi.im), qx::mul(eta.im, xi.re)));
    return {re, im};
}

Xc cacosh(const Xc& z) {
    Xc zm = {qx::sub(z.re, qx::one()), z.im};
    Xc zp = {qx::add(z.re, qx::one()), z.im};
    Xc a = csqrt(zm), b = csqrt(zp);
    Xf re = qx::asinh(qx::add(qx::mul(a.re, b.re), qx::mul(a.im, b.im)));
    Xf im = qx::ldexp(qx::atan2(a.im, b.re), 1);
    return {re, im};
}

// a^n for an integer n by repeated squaring (keeps real and exact cases exact).
Xc cpowi(Xc a, unsigned long n) {
    if (a.im.cls == qx::kZero) {  // a real base stays real: one product per step
        Xf r = qx::one(), b = a.re;
        while (n) {
            if (n & 1) r = qx::mul(r, b);
            n >>= 1;
            if (n) b = qx::sqr(b);
            if (r.cls == qx::kInf) break;
        }
        return {r, qx::zero()};
    }
    Xc r = {qx::one(), qx::zero()};
    while (n) {
        if (n & 1) r = cmul(r, a);
        n >>= 1;
        if (n) a = cmul(a, a);
        if (r.re.cls == qx::kInf || r.im.cls == qx::kInf) break;
    }
    return r;
}

}  // namespace

void qcadd(const qcmplx* a, const qcmplx* b, qcmplx* c) {
    qadd(a->r, b->r, c->r);
    qadd(a->i, b->i, c->i);
}

void qcsub(const qcmplx* a, const qcmplx* b, qcmplx* c) {
    qsub(a->r, b->r, c->r);
    qsub(a->i, b->i, c->i);
}

void qcmul(const qcmplx* a, const qcmplx* b, qcmplx* c) {
    Xc x = in(a), y = in(b);
    out_checked(x, cmul(y, x), c, "qcmul");
}

void qcdiv(const qcmplx* a, const qcmplx* b, qcmplx* c) {
    Xc d = in(a), n = in(b);
    if (czero(d)) {
        mtherr("qcdiv", QERR_SING);
        out({qx::inf(n.re.neg), qx::zero()}, c, "qcdiv");
        return;
    }
    out_checked(n, cdiv(n, d), c, "qcdiv");
}

void qcabs(const qcmplx* a, QELT* b) {
    Xc z = in(a);
    qx::pack(qx::hypot(z.re, z.im), b, false, "qcabs");
}

void qcexp(const qcmplx* a, qcmplx* b) {
    Xc z = in(a);
    out_checked(z, cexp(z), b, "qcexp");
}

void qclog(const qcmplx* a, qcmplx* b) {
    Xc z = in(a);
    if (czero(z)) {
        mtherr("qclog", QERR_SING);
        out({qx::inf(true), qx::zero()}, b, "qclog");
        return;
    }
    out(clog(z), b, "qclog");
}

void qcsin(const qcmplx* a, qcmplx* b) {
    Xc z = in(a);
    Xf s, c;
    qx::sincos(z.re, &s, &c);
    if (z.im.cls == qx::kZero) return out({s, qx::zero()}, b, "qcsin");
    Xf sh, ch;
    sinh_cosh(z.im, &sh, &ch);
    out_checked(z, {qx::mul(s, ch), qx::mul(c, sh)}, b, "qcsin");
}

void qccos(const qcmplx* a, qcmplx* b) {
    Xc z = in(a);
    Xf s, c;
    qx::sincos(z.re, &s, &c);
    if (z.im.cls == qx::kZero) return out({c, qx::zero()}, b, "qccos");
    Xf sh, ch;
    sinh_cosh(z.im, &sh, &ch);
    out_checked(z, {qx::mul(c, ch), qx::neg(qx::mul(s, sh))}, b, "qccos");
}

void qctan(const qcmplx* a, qcmplx* b) {
    Xc z = in(a);
    if (z.im.cls == qx::kZero) {
        Xf s, c;
        qx::sincos(z.re, &s, &c);
        return out({qx::div(s, c), qx::zero()}, b, "qctan");
    }
    // tan z = -i tanh(i z)
    out(mul_minus_i(ctanh(mul_i(z))), b, "qctan");
}

void qcsinh(const qcmplx* a, qcmplx* b) {
    Xc z = in(a);
    Xf sh, ch;
    sinh_cosh(z.re, &sh, &ch);
    if (z.im.cls == qx::kZero) return out_checked(z, {sh, qx::zero()}, b, "qcsinh");
    Xf s, c;
    qx::sincos(z.im, &s, &c);
    out_checked(z, {qx::mul(sh, c), qx::mul(ch, s)}, b, "qcsinh");
}

void qccosh(const qcmplx* a, qcmplx* b) {
    Xc z = in(a);
    Xf sh, ch;
    sinh_cosh(z.re, &sh, &ch);
    if (z.im.cls == qx::kZero) return out_checked(z, {ch, qx::zero()}, b, "qccosh");
    Xf s, c;
    qx::sincos(z.im, &s, &c);
    out_checked(z, {qx::mul(ch, c), qx::mul(sh, s)}, b, "qccosh");
}

void qctanh(const qcmplx* a, qcmplx* b) {
    Xc z = in(a);
    if (z.im.cls == qx::kZero) return out({qx::tanh(z.re), qx::zero()}, b, "qctanh");
    out(ctanh(z), b, "qctanh");
}

void qcpow(const qcmplx* a, const qcmplx* b, qcmplx* c) {
    Xc x = in(a), y = in(b);
    if (czero(y)) return out({qx::one(), qx::zero()}, c, "qcpow");
    if (czero(x)) {
        if (y.re.cls != qx::kZero && !y.re.neg) return out({qx::zero(), qx::zero()}, c, "qcpow");
        mtherr("qcpow", QERR_SING);  // 0 to a power with no positive real part
        return out({qx::inf(false), qx::zero()}, c, "qcpow");
    }
    if (y.im.cls == qx::kZero) {
        // A square root (the root keys send x^0.5): the correctly rounded real root, or i times it.
        if (x.im.cls == qx::kZero && y.re.cls == qx::kFinite && !y.re.neg && y.re.e == 0 &&
            y.re.m[qx::L - 1] == (qx::u64(1) << 63) && y.re.m[0] == 0 && y.re.m[1] == 0 && y.re.m[2] == 0 &&
            y.re.m[3] == 0 && y.re.m[4] == 0) {
            Xf root = qx::sqrt(qx::abs(x.re));
            return out(x.re.neg ? Xc{qx::zero(), root} : Xc{root, qx::zero()}, c, "qcpow");
        }
        bool fits;
        std::int64_t n = qx::to_i64(y.re, &fits);
        if (fits && qx::is_integer(y.re) && (n < 0 ? -n : n) <= (std::int64_t(1) << 32)) {
            Xc r = cpowi(x, static_cast<unsigned long>(n < 0 ? -n : n));
            if (n < 0) r = cdiv({qx::one(), qx::zero()}, r);
            return out_checked(x, r, c, "qcpow");
        }
        if (x.im.cls == qx::kZero && !x.re.neg) {
            return out_checked(x, {qx::exp(qx::mul(y.re, qx::log(x.re))), qx::zero()}, c, "qcpow");
        }
        if (x.im.cls == qx::kZero) {
            // (-r)^y = r^y (cos pi y + i sin pi y)
            Xf m = qx::exp(qx::mul(y.re, qx::log(qx::abs(x.re))));
            Xf s, co;
            qx::sincos(qx::mul(qx::pi(), y.re), &s, &co);
            return out_checked(x, {qx::mul(m, co), qx::mul(m, s)}, c, "qcpow");
        }
    }
    Xc l = clog(x);
    out_checked(x, cexp(cmul(y, l)), c, "qcpow");
}

void qcsqrt(const qcmplx* a, qcmplx* b) {
    out(csqrt(in(a)), b, "qcsqrt");
}

void qcatanh(const qcmplx* a, qcmplx* b) {
    Xc z = in(a);
    if (z.im.cls == qx::kZero && qx::cmp_abs(z.re, qx::one()) == 0) {
        mtherr("qcatanh", QERR_SING);
        return out({qx::inf(z.re.neg), qx::zero()}, b, "qcatanh");
    }
    out(catanh(z), b, "qcatanh");
}

void qcatan(const qcmplx* a, qcmplx* b) {
    Xc z = in(a);
    if (z.re.cls == qx::kZero && qx::cmp_abs(z.im, qx::one()) == 0) {
        mtherr("qcatan", QERR_SING);
        return out({qx::zero(), qx::inf(z.im.neg)}, b, "qcatan");
    }
    // atan z = -i atanh(i z)
    out(mul_minus_i(catanh(mul_i(z))), b, "qcatan");
}

namespace {

// A real argument within [-1, 1] has a real inverse sine and cosine: the real routines are cheaper.
bool RealUnit(const Xc& z) { return z.im.cls == qx::kZero && qx::cmp_abs(z.re, qx::one()) <= 0; }

}  // namespace

void qcasin(const qcmplx* a, qcmplx* b) {
    Xc z = in(a);
    if (RealUnit(z)) {
        qasin(a->r, b->r);
        qclear(b->i);
        return;
    }
    out(casin(z), b, "qcasin");
}

void qcacos(const qcmplx* a, qcmplx* b) {
    Xc z = in(a);
    if (RealUnit(z)) {
        qacos(a->r, b->r);
        qclear(b->i);
        return;
    }
    out(cacos(z), b, "qcacos");
}

void qcasinh(const qcmplx* a, qcmplx* b) {
    // asinh z = -i asin(i z)
    out(mul_minus_i(casin(mul_i(in(a)))), b, "qcasinh");
}

void qcacosh(const qcmplx* a, qcmplx* b) {
    out(cacosh(in(a)), b, "qcacosh");
}
