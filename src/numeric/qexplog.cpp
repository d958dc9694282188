// Exponential, logarithm and the hyperbolic functions on the working form.
//
// exp reduces x = n ln 2 + r, evaluates e^r - 1 by its Taylor series on r / 2^k and doubles back k times
// through (1 + e)^2 - 1 = e (2 + e), which keeps the small result's relative accuracy. log1p inverts that
// with Halley's iteration from a double-precision start; log splits off the binary exponent first.
#include <cmath>

#include "numeric/qlib_internal.h"

namespace qx {

namespace {

// Largest |x| for which e^x stays inside the stored range (16640 ln 2, rounded up).
constexpr double kExpLimit = 11535.0;

// Scaling of the argument before the series: |r / 2^k| < 2^-kExpScale.
constexpr int kExpScale = 12;

// e^s - 1 by Taylor series, for small |s|.
Xf expm1_series(const Xf& s) {
    if (s.cls == kZero) return s;
    const Series& t = exp_series();
    return mul(s, horner(t, series_terms(t, s, 392), s));
}

// e^r - 1 for |r| <= 0.75.
Xf expm1_reduced(const Xf& r) {
    if (r.cls == kZero) return r;
    int k = r.e + kExpScale;
    if (k < 0) k = 0;
    Xf e = expm1_series(ldexp(r, -k));
    const Xf two = from_u64(2);
    for (int i = 0; i < k; ++i) e = mul(e, add(two, e));
    return e;
}

// Splits x into n ln 2 + r with |r| <= ~0.35; x finite with |x| <= kExpLimit.
Xf reduce_ln2(const Xf& x, long* n) {
    double xd = to_double(x);
    long k = std::lround(xd / 0.69314718055994530942);
    *n = k;
    if (k == 0) return x;
    Xf kl = mul_u64(ln2(), static_cast<u64>(k < 0 ? -k : k));
    if (k < 0) kl = neg(kl);
    return sub(x, kl);
}

}  // namespace

Xf expm1(const Xf& x) {
    if (x.cls == kZero) return x;
    if (x.cls == kInf) return x.neg ? neg(one()) : x;
    if (x.e <= -1) return expm1_reduced(x);  // |x| < 0.5: no reduction, keeps tiny x accurate
    return sub(exp(x), one());
}

namespace {

// e^(j/64) for |j| <= 24 and e^(k/8192) for |k| <= 64: after them the series argument is below 2^-14.
constexpr int kExpSteps1 = 24, kExpSteps2 = 64;

struct ExpTables {
    Xf e1[2 * kExpSteps1 + 1], e2[2 * kExpSteps2 + 1];
    ExpTables() {
        for (int j = -kExpSteps1; j <= kExpSteps1; ++j)
            e1[j + kExpSteps1] = add(one(), expm1_reduced(div_u64(from_i64(j), 64)));
        for (int k = -kExpSteps2; k <= kExpSteps2; ++k)
            e2[k + kExpSteps2] = add(one(), expm1_reduced(div_u64(from_i64(k), 8192)));
    }
};

const ExpTables& exp_tables() {
    static const ExpTables t;
    return t;
}

// e^r for |r| <= ~0.35: r = j/64 + k/8192 + s with |s| <= 2^-14, each step subtracting an exact multiple.
Xf exp_reduced(const Xf& r) {
    const ExpTables& tab = exp_tables();
    long j = std::lround(to_double(r) * 64);
    if (j > kExpSteps1) j = kExpSteps1;
    if (j < -kExpSteps1) j = -kExpSteps1;
    Xf s = j ? sub(r, div_u64(from_i64(j), 64)) : r;
    long k = std::lround(to_double(s) * 8192);
    if (k > kExpSteps2) k = kExpSteps2;
    if (k < -kExpSteps2) k = -kExpSteps2;
    if (k) s = sub(s, div_u64(from_i64(k), 8192));
    Xf e = add(one(), expm1_series(s));
    if (k) e = mul(e, tab.e2[k + kExpSteps2]);
    if (j) e = mul(e, tab.e1[j + kExpSteps1]);
    return e;
}

}  // namespace

Xf exp(const Xf& x) {
    if (x.cls == kZero) return one();
    if (x.cls == kInf) return x.neg ? zero() : x;
    double xd = to_double(x);
    if (xd > kExpLimit) return inf(false);
    if (xd < -kExpLimit) return zero();
    long n;
    Xf r = reduce_ln2(x, &n);
    return ldexp(exp_reduced(r), static_cast<int>(n));
}

namespace {

// log(1 + u) by Halley's iteration on e^y - 1 = u from a double start: 53 -> 159 -> 477 correct bits.
// Used to build the logarithm tables once.
Xf log1p_halley(const Xf& u) {
    if (u.cls == kZero) return u;
    Xf y = from_double(std::log1p(to_double(u)));
    const Xf two = from_u64(2);
    for (int it = 0; it < 2; ++it) {
        Xf em = expm1_reduced(y);
        Xf num = sub(u, em);
        if (num.cls == kZero) break;
        Xf den = add(two, add(u, em));
        y = add(y, ldexp(div(num, den), 1));
    }
    return y;
}

// log(1 + t) = 2 atanh(t / (2 + t)) by its series, for |t| <= 2^-13.
Xf log1p_series(const Xf& t) {
    if (t.cls == kZero) return t;
    Xf s = div(t, add(from_u64(2), t));
    Xf u = sqr(s);
    const Series& ta = atanh_series_table();
    return ldexp(mul(s, horner(ta, series_terms(ta, u, 392), u)), 1);
}

// Two reduction steps for the logarithm of m in [sqrt(1/2), sqrt 2): m * r1 * r2 = 1 + t with |t| <=
// 2^-14, where r1 = 1/(1 + j/64) and r2 = 1/(1 + k/8192) are stored with the logarithms of their
// reciprocals (taken of the stored values, so the identity log m = log(1 + t) + L1 + L2 holds exactly).
constexpr int kLogSteps1 = 32, kLogSteps2 = 64;

struct LogTables {
    Xf r1[2 * kLogSteps1 + 1], l1[2 * kLogSteps1 + 1];
    Xf r2[2 * kLogSteps2 + 1], l2[2 * kLogSteps2 + 1];
    LogTables() {
        auto fill = [](int j, u64 scale, Xf* r, Xf* l) {
            Xf c = add(one(), div_u64(from_i64(j), scale));  // 1 + j/scale
            r[0] = div(one(), c);
            l[0] = neg(log1p_halley(sub(r[0], one())));
        };
        for (int j = -kLogSteps1; j <= kLogSteps1; ++j) fill(j, 64, &r1[j + kLogSteps1], &l1[j + kLogSteps1]);
        for (int k = -kLogSteps2; k <= kLogSteps2; ++k)
            fill(k, 8192, &r2[k + kLogSteps2], &l2[k + kLogSteps2]);
    }
};

const LogTables& log_tables() {
    static const LogTables t;
    return t;
}

// log m for m in [sqrt(1/2), sqrt 2).
Xf log_reduced(const Xf& m) {
    Xf t = sub(m, one());
    if (t.cls == kZero || t.e <= -13) return log1p_series(t);
    const LogTables& tab = log_tables();
    long j = std::lround(to_double(t) * 64);
    Xf acc = zero();
    Xf w = m;
    if (j != 0) {
        w = mul(w, tab.r1[j + kLogSteps1]);
        acc = tab.l1[j + kLogSteps1];
    }
    long k = std::lround(to_double(sub(w, one())) * 8192);
    if (k > kLogSteps2) k = kLogSteps2;
    if (k < -kLogSteps2) k = -kLogSteps2;
    if (k != 0) {
        w = mul(w, tab.r2[k + kLogSteps2]);
        acc = add(acc, tab.l2[k + kLogSteps2]);
    }
    return add(acc, log1p_series(sub(w, one())));
}

}  // namespace

Xf log1p(const Xf& u) {
    if (u.cls == kZero) return u;
    if (u.e < -400) return u;
    // Small u keeps its relative accuracy through the series; otherwise 1 + u loses nothing that matters.
    if (u.e <= -13) return log1p_series(u);
    return log(add(one(), u));
}

Xf log(const Xf& x) {
    if (x.cls != kFinite || x.neg) return x.cls == kZero ? inf(true) : x;
    // x = m * 2^e with m in [sqrt(1/2), sqrt 2).
    Xf m = x;
    long e = x.e;
    m.e = 0;
    static const u64 kSqrtHalfTop = 0xB504F333F9DE6484ull;
    if (m.m[L - 1] < kSqrtHalfTop) {
        m.e = 1;
        e -= 1;
    }
    Xf lm = log_reduced(m);
    if (e == 0) return lm;
    Xf el = mul_u64(ln2(), static_cast<u64>(e < 0 ? -e : e));
    if (e < 0) el = neg(el);
    return add(el, lm);
}

Xf sinh(const Xf& x) {
    if (x.cls != kFinite) return x;
    Xf ax = abs(x);
    Xf r;
    if (ax.e <= 0) {  // |x| < 1: through e^x - 1 to avoid cancellation
        Xf e = expm1_reduced(ax);
        r = ldexp(add(e, div(e, add(e, one()))), -1);
    } else {
        Xf e = exp(ax);
        if (e.cls == kInf) return inf(x.neg);
        r = ldexp(sub(e, div(one(), e)), -1);
    }
    r.neg = x.neg;
    return r;
}

Xf cosh(const Xf& x) {
    if (x.cls == kZero) return one();
    if (x.cls == kInf) return inf(false);
    Xf e = exp(abs(x));
    if (e.cls == kInf) return e;
    return ldexp(add(e, div(one(), e)), -1);
}

Xf tanh(const Xf& x) {
    if (x.cls == kZero) return x;
    if (x.cls == kInf || x.e > 9) {  // |x| > 512: 1 to far beyond the stored precision
        Xf r = one();
        r.neg = x.neg;
        return r;
    }
    Xf ax = abs(x);
    Xf r;
    if (ax.e <= 0) {
        Xf e = expm1_reduced(ldexp(ax, 1));
        r = div(e, add(e, from_u64(2)));
    } else {
        Xf e = exp(neg(ldexp(ax, 1)));
        r = div(sub(one(), e), add(one(), e));
    }
    r.neg = x.neg;
    return r;
}

Xf hypot(const Xf& x, const Xf& y) {
    Xf ax = abs(x), ay = abs(y);
    if (ax.cls == kInf || ay.cls == kInf) return inf(false);
    if (ax.cls == kZero) return ay;
    if (ay.cls == kZero) return ax;
    if (cmp_abs(ax, ay) < 0) std::swap(ax, ay);
    // Scale so that the squares cannot leave the exponent range.
    int s = ax.e;
    Xf a = ldexp(ax, -s), b = ldexp(ay, -s);
    return ldexp(sqrt(add(sqr(a), sqr(b))), s);
}

Xf asinh(const Xf& x) {
    if (x.cls != kFinite) return x;
    Xf ax = abs(x);
    Xf r;
    if (ax.e > 200) {
        r = add(log(ax), ln2());
    } else {
        // log1p(|x| + x^2 / (1 + sqrt(1 + x^2))) avoids the cancellation of log(|x| + sqrt(x^2 + 1)) near 0.
        Xf x2 = sqr(ax);
        Xf t = div(x2, add(one(), sqrt(add(one(), x2))));
        r = log1p(add(ax, t));
    }
    r.neg = x.neg;
    return r;
}

}  // namespace qx
