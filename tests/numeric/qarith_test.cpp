// The correctly rounded basic operations against MPFR at 336 bits, plus the stored-form rules.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "numeric/qlib.h"
#include "support/mpfr_ref.h"

namespace {

using ref::Mp;

struct Range {
    int emin, emax;
};

// Operands over the exponent ranges that matter: near 1, moderate, huge and tiny.
const Range kRanges[] = {{-2, 2}, {-60, 60}, {-16000, 16000}, {-300, 300}};

using QOp = std::function<void(const QELT*, const QELT*, QELT*)>;
using MpOp = std::function<void(mpfr_ptr, mpfr_srcptr, mpfr_srcptr)>;

// Checks `count` random operand pairs: q(a, b) must equal MPFR's correctly rounded b op a.
void check_binary(const char* name, const QOp& qop, const MpOp& mop, int count, bool positive_only = false) {
    std::mt19937_64 rng(12345);
    QELT a[NQ], b[NQ], c[NQ];
    Mp ma, mb, mc;
    int done = 0;
    for (int i = 0; i < count; ++i) {
        const Range& r = kRanges[i % 4];
        ref::random_q(rng, r.emin, r.emax, !positive_only, a);
        // Half of the pairs share an exponent neighbourhood so that cancellation and carries are exercised.
        if (i & 1) {
            ref::random_q(rng, r.emin, r.emax, !positive_only, b);
        } else {
            std::memcpy(b, a, sizeof b);
            int de = static_cast<int>(rng() % 130) - 65;
            b[1] = static_cast<QELT>(a[1] + de);
            for (int k = 10 + static_cast<int>(rng() % 13); k < NQ; ++k) b[k] = static_cast<QELT>(rng());
            if (rng() & 1) b[0] ^= 0xFFFF;
        }
        ref::to_mpfr(a, ma);
        ref::to_mpfr(b, mb);
        mop(mc, mb, ma);
        if (mpfr_get_exp(mc) > 16640 || mpfr_get_exp(mc) < -16630 || mpfr_zero_p(mc)) continue;
        qop(a, b, c);
        double err = ref::ulp_error(c, mc);
        ASSERT_EQ(err, 0.0) << name << " a=" << ref::describe(a) << " b=" << ref::describe(b)
                            << " got=" << ref::describe(c);
        ++done;
    }
    EXPECT_GT(done, count * 3 / 4) << name;
}

TEST(QArith, BasicOperationsAreCorrectlyRounded) {
    check_binary(
        "qadd", qadd, [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) { mpfr_add(r, x, y, MPFR_RNDN); }, 20000);
    check_binary(
        "qsub", qsub, [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) { mpfr_sub(r, x, y, MPFR_RNDN); }, 20000);
    check_binary(
        "qmul", qmul, [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) { mpfr_mul(r, x, y, MPFR_RNDN); }, 20000);
    check_binary(
        "qdiv", qdiv, [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) { mpfr_div(r, x, y, MPFR_RNDN); }, 20000);
}

TEST(QArith, SquareRootIsCorrectlyRounded) {
    std::mt19937_64 rng(777);
    QELT a[NQ], c[NQ];
    Mp ma, mc;
    for (int i = 0; i < 20000; ++i) {
        const Range& r = kRanges[i % 4];
        ref::random_q(rng, r.emin, r.emax, false, a);
        if (i % 7 == 0) {  // perfect squares and their neighbours
            QELT s[NQ];
            ref::random_q(rng, -100, 100, false, s);
            for (int k = 14; k < NQ; ++k) s[k] = 0;
            qmul(s, s, a);
            if (i % 14 == 0) a[NQ - 1] ^= 1;
        }
        ref::to_mpfr(a, ma);
        mpfr_sqrt(mc, ma, MPFR_RNDN);
        qsqrt(a, c);
        ASSERT_EQ(ref::ulp_error(c, mc), 0.0) << "sqrt " << ref::describe(a);
    }
}

TEST(QArith, ArgumentOrderAndAliasing) {
    QELT three[NQ], five[NQ], r[NQ];
    ltoq(3, three);
    ltoq(5, five);
    double d;
    qsub(three, five, r);  // r = 5 - 3
    qtoe(r, &d);
    EXPECT_EQ(d, 2.0);
    qdiv(five, three, r);  // r = 3 / 5
    qtoe(r, &d);
    EXPECT_EQ(d, 0.6);
    qmov(five, r);
    qadd(r, r, r);  // output aliases both inputs
    qtoe(r, &d);
    EXPECT_EQ(d, 10.0);
}

TEST(QArith, StoredFormOfConstants) {
    EXPECT_EQ(qone[1], 0x4100);
    EXPECT_EQ(qone[3], 0x8000);
    EXPECT_EQ(qtwo[1], 0x4101);
    EXPECT_EQ(qhalf[1], 0x40FF);
    QELT inf[NQ];
    qinfin(inf);
    EXPECT_EQ(inf[1], 0x8200);
    for (int i = 3; i < NQ; ++i) EXPECT_EQ(inf[i], 0xFFFF);
    Mp want, got;
    mpfr_const_pi(want, MPFR_RNDN);
    EXPECT_EQ(ref::ulp_error(qpi, want), 0.0);
    mpfr_const_log2(want, MPFR_RNDN);
    EXPECT_EQ(ref::ulp_error(qlog2, want), 0.0);
    mpfr_sqrt_ui(want, 2, MPFR_RNDN);
    EXPECT_EQ(ref::ulp_error(qsqrt2, want), 0.0);
}

TEST(QArith, ComparisonsAndSigns) {
    QELT a[NQ], b[NQ], z[NQ];
    ltoq(-7, a);
    ltoq(3, b);
    qclear(z);
    EXPECT_EQ(qcmp(a, b), -1);
    EXPECT_EQ(qcmp(b, a), 1);
    EXPECT_EQ(qcmp(a, a), 0);
    QELT nz[NQ];
    qmov(z, nz);
    nz[0] = 0xFFFF;  // a negative zero equals zero
    EXPECT_EQ(qcmp(nz, z), 0);
    EXPECT_TRUE(iszero(nz));
    qneg(a);
    EXPECT_EQ(qcmp(a, b), 1);
    qabs(a);
    EXPECT_EQ(a[0], 0);
    qneg(z);
    EXPECT_EQ(z[0], 0);  // negating zero keeps it unsigned
}

TEST(QArith, DivisionByZeroAndOverflowReport) {
    QELT one[NQ], zero[NQ], r[NQ];
    qmov(qone, one);
    qclear(zero);
    Clearmerror();
    testing::internal::CaptureStdout();
    qdiv(zero, one, r);  // 1 / 0
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(merror, QERR_SING);
    EXPECT_EQ(out, "\nqdiv singularity error\n");
    EXPECT_TRUE(qisinf(r));
    Clearmerror();
    QELT big[NQ];
    qmov(qone, big);
    big[1] = QEXPINF - 1;
    testing::internal::CaptureStdout();
    qmul(big, big, r);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(merror, QERR_OVERFLOW);
    EXPECT_TRUE(qisinf(r));
    Clearmerror();
    EXPECT_FALSE(iserror());
}

TEST(QArith, FloorAndIntegerFraction) {
    struct Row {
        const char* in;
        double floor;
        long ipart;
        double frac;
    };
    const Row rows[] = {
        {"2.75", 2, 2, 0.75},  {"-2.75", -3, -2, -0.75},      {"5", 5, 5, 0},
        {"-0.5", -1, 0, -0.5}, {"3e10", 3e10, 2147483647, 0}, {"-3e10", -3e10, -2147483647, 0},
    };
    for (const Row& r : rows) {
        QELT x[NQ], f[NQ], fr[NQ];
        asctoq(r.in, x);
        qfloor(x, f);
        double d;
        qtoe(f, &d);
        EXPECT_EQ(d, r.floor) << r.in;
        long ip;
        qifrac(x, &ip, fr);
        EXPECT_EQ(ip, r.ipart) << r.in;
        qtoe(fr, &d);
        EXPECT_EQ(d, r.frac) << r.in;
    }
}

}  // namespace

// The working-form root on full 384-bit significands (the function kernels pass such values): S must be
// floor(sqrt(N)) for N the significand scaled to 768 bits, with the sticky flag telling an inexact root.
#include "numeric/qlib_internal.h"

namespace {

TEST(QArith, WorkingRootIsTheIntegerRoot) {
    std::mt19937_64 rng(4242);
    mpz_t n, s, lo, hi;
    mpz_inits(n, s, lo, hi, nullptr);
    for (int t = 0; t < 20000; ++t) {
        qx::Xf x{};
        for (int i = 0; i < qx::L; ++i) x.m[i] = rng();
        if (t % 3 == 0) {
            for (int i = 0; i < qx::L; ++i) x.m[i] = ~0ull;  // the largest significand
        } else if (t % 5 == 0) {
            for (int i = 0; i < qx::L - 1; ++i) x.m[i] = 0;  // a power of two
            x.m[qx::L - 1] = 0;
        }
        x.m[qx::L - 1] |= 1ull << 63;
        x.e = static_cast<int>(rng() % 41) - 20;
        x.cls = qx::kFinite;
        bool sticky;
        qx::Xf r = qx::sqrt(x, &sticky);
        // N = M * 2^384 (even exponent) or M * 2^383 (odd); S = r.m as an integer.
        mpz_import(n, qx::L, -1, sizeof(std::uint64_t), 0, 0, x.m);
        mpz_mul_2exp(n, n, (x.e & 1) ? 383 : 384);
        mpz_import(s, qx::L, -1, sizeof(std::uint64_t), 0, 0, r.m);
        mpz_mul(lo, s, s);
        mpz_add_ui(hi, s, 1);
        mpz_mul(hi, hi, hi);
        ASSERT_LE(mpz_cmp(lo, n), 0) << t;
        ASSERT_GT(mpz_cmp(hi, n), 0) << t;
        ASSERT_EQ(sticky, mpz_cmp(lo, n) != 0) << t;
        ASSERT_EQ(r.e, (x.e & 1) ? (x.e + 1) / 2 : x.e / 2);
    }
    mpz_clears(n, s, lo, hi, nullptr);
}

}  // namespace
