// Power-series machinery of the function kernels: coefficient tables built once, term counts from the
// argument's exponent, and Horner's rule. Multiplying by a stored coefficient is several times cheaper
// than dividing a term by its index.
#include <cmath>

#include "numeric/qlib_internal.h"

namespace qx {

namespace {

struct Tables {
    Series exp, sin, cosm1, atan, atanh;
    Tables() {
        // 1/k! for k = 0 .. 2 * kSeriesTerms + 2.
        constexpr int kf = 2 * kSeriesTerms + 3;
        Xf fact_inv[kf];
        fact_inv[0] = one();
        for (int k = 1; k < kf; ++k) fact_inv[k] = div_u64(fact_inv[k - 1], static_cast<u64>(k));
        for (int k = 0; k < kSeriesTerms; ++k) {
            exp.c[k] = fact_inv[k + 1];  // e^s - 1 = s sum s^k/(k+1)!
            sin.c[k] =
                k & 1 ? neg(fact_inv[2 * k + 1]) : fact_inv[2 * k + 1];  // sin s = s sum (-u)^k/(2k+1)!
            cosm1.c[k] = k & 1 ? fact_inv[2 * k + 2] : neg(fact_inv[2 * k + 2]);  // cos s - 1 = u sum ...
            Xf inv_odd = div_u64(one(), static_cast<u64>(2 * k + 1));
            atan.c[k] = k & 1 ? neg(inv_odd) : inv_odd;  // atan t = t sum (-u)^k/(2k+1)
            atanh.c[k] = inv_odd;                        // atanh t = t sum u^k/(2k+1)
        }
        for (Series* s : {&exp, &sin, &cosm1, &atan, &atanh}) {
            for (int k = 0; k < kSeriesTerms; ++k) {
                const Xf& c = s->c[k];
                s->log2c[k] = c.e - 1 + std::log2(static_cast<double>(c.m[L - 1]) * 0x1p-63);
            }
        }
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

}  // namespace

const Series& exp_series() {
    return tables().exp;
}
const Series& sin_series() {
    return tables().sin;
}
const Series& cosm1_series() {
    return tables().cosm1;
}
const Series& atan_series_table() {
    return tables().atan;
}
const Series& atanh_series_table() {
    return tables().atanh;
}

int series_terms(const Series& s, const Xf& u, int bits) {
    if (u.cls == kZero) return 1;
    const double lu = u.e;  // |u| < 2^e
    for (int n = 1; n < kSeriesTerms; ++n) {
        if (n * lu + s.log2c[n] - s.log2c[0] < -bits) return n;
    }
    return kSeriesTerms;
}

Xf horner(const Series& s, int n, const Xf& u) {
    Xf p = s.c[n - 1];
    for (int k = n - 2; k >= 0; --k) p = add(mul(p, u), s.c[k]);
    return p;
}

}  // namespace qx
