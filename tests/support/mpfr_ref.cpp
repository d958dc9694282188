#include "support/mpfr_ref.h"

#include <cmath>
#include <cstring>

namespace ref {

void to_mpfr(const QELT* q, mpfr_ptr out) {
    if (q[1] == 0) {
        mpfr_set_zero(out, q[0] ? -1 : 1);
        return;
    }
    if (q[1] >= QEXPINF) {
        mpfr_set_inf(out, q[0] ? -1 : 1);
        return;
    }
    mpz_t z;
    mpz_init(z);
    for (int i = 3; i < NQ; ++i) {
        mpz_mul_2exp(z, z, 16);
        mpz_add_ui(z, z, q[i]);
    }
    Mp t(kPrec + 16);
    mpfr_set_z(t, z, MPFR_RNDN);  // exact: 336 bits
    mpfr_mul_2si(t, t, static_cast<long>(q[1]) - QEXPBIAS - 336, MPFR_RNDN);
    if (q[0]) mpfr_neg(t, t, MPFR_RNDN);
    mpfr_set(out, t, MPFR_RNDN);
    mpz_clear(z);
}

void from_mpfr(mpfr_srcptr v, QELT* q) {
    std::memset(q, 0, NQ * sizeof(QELT));
    if (mpfr_zero_p(v) || mpfr_nan_p(v)) return;
    if (mpfr_inf_p(v)) {
        qinfin(q);
        if (mpfr_sgn(v) < 0) q[0] = 0xFFFF;
        return;
    }
    Mp r(kPrec);
    mpfr_set(r, v, MPFR_RNDN);
    long e = mpfr_get_exp(r);
    long be = e + QEXPBIAS;
    if (be >= QEXPINF) {
        qinfin(q);
        if (mpfr_sgn(v) < 0) q[0] = 0xFFFF;
        return;
    }
    if (be <= 0) return;
    mpz_t z;
    mpz_init(z);
    Mp t(kPrec);
    mpfr_abs(t, r, MPFR_RNDN);
    mpfr_mul_2si(t, t, kPrec - e, MPFR_RNDN);
    mpfr_get_z(z, t, MPFR_RNDN);
    for (int i = NQ - 1; i >= 3; --i) {
        q[i] = static_cast<QELT>(mpz_get_ui(z) & 0xFFFF);
        mpz_fdiv_q_2exp(z, z, 16);
    }
    q[1] = static_cast<QELT>(be);
    q[0] = mpfr_sgn(v) < 0 ? 0xFFFF : 0;
    mpz_clear(z);
}

double ulp_error(const QELT* got, mpfr_srcptr want) {
    Mp g(kPrec + 64), d(kPrec + 64);
    to_mpfr(got, g);
    if (mpfr_inf_p(want) || mpfr_inf_p(g)) {
        return (mpfr_inf_p(want) && mpfr_inf_p(g) && mpfr_sgn(want) == mpfr_sgn(g)) ? 0.0 : 1e300;
    }
    if (mpfr_zero_p(want)) return mpfr_zero_p(g) ? 0.0 : 1e300;
    mpfr_sub(d, g, want, MPFR_RNDN);
    mpfr_abs(d, d, MPFR_RNDN);
    long e = mpfr_get_exp(want);  // want = 0.f * 2^e; one ulp is 2^(e - 336)
    mpfr_mul_2si(d, d, kPrec - e, MPFR_RNDN);
    return mpfr_get_d(d, MPFR_RNDN);
}

double abs_error_log2(const QELT* got, mpfr_srcptr want) {
    Mp g(kPrec + 64), d(kPrec + 64);
    to_mpfr(got, g);
    mpfr_sub(d, g, want, MPFR_RNDN);
    if (mpfr_zero_p(d)) return -1e9;
    mpfr_abs(d, d, MPFR_RNDN);
    long ex;
    double m = mpfr_get_d_2exp(&ex, d, MPFR_RNDN);
    return std::log2(m) + static_cast<double>(ex);
}

void random_q(std::mt19937_64& rng, int emin, int emax, bool signed_, QELT* q) {
    std::uniform_int_distribution<int> ed(emin, emax);
    q[0] = (signed_ && (rng() & 1)) ? 0xFFFF : 0;
    q[1] = static_cast<QELT>(ed(rng) + QEXPBIAS);
    q[2] = 0;
    for (int i = 3; i < NQ; ++i) q[i] = static_cast<QELT>(rng());
    q[3] |= 0x8000;
}

std::string describe(const QELT* q) {
    Mp t;
    to_mpfr(q, t);
    char buf[128];
    mpfr_snprintf(buf, sizeof buf, "%.40Rg", t.get());
    return buf;
}

}  // namespace ref
