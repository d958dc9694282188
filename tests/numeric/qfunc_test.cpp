// The real elementary functions of the extended-precision library against MPFR at 336 bits.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "numeric/qlib.h"
#include "support/mpfr_ref.h"

namespace {

using ref::Mp;

using Gen = std::function<void(std::mt19937_64&, QELT*)>;
using QFn = std::function<void(const QELT*, QELT*)>;
using MpFn = std::function<int(mpfr_ptr, mpfr_srcptr)>;

// Operands: exponent range and sign, or a perturbation of a multiple of pi/2 (near the zeros and poles).
Gen range(int emin, int emax, bool signed_) {
    return [=](std::mt19937_64& rng, QELT* q) { ref::random_q(rng, emin, emax, signed_, q); };
}

Gen near_half_pi_multiples(int kmax) {
    return [=](std::mt19937_64& rng, QELT* q) {
        QELT k[NQ], hp[NQ], two[NQ], d[NQ];
        ltoq(static_cast<long>(rng() % (2 * kmax + 1)) - kmax, k);
        ltoq(2, two);
        qdiv(two, qpi, hp);
        qmul(k, hp, q);
        ref::random_q(rng, -330, -20, true, d);
        qadd(d, q, q);
    };
}

Gen near_one() {
    return [](std::mt19937_64& rng, QELT* q) {
        QELT d[NQ];
        ref::random_q(rng, -320, -1, true, d);
        qadd(d, qone, q);
    };
}

struct Bound {
    double ulps = 4;
    double abs_log2 = -336;  // also accepted: an absolute error below 2^abs_log2
};

// Returns the worst error in ulps over count operands; fails at the first one outside the bound.
double check_unary(const char* name, const QFn& qf, const MpFn& mf, const Gen& gen, int count, Bound b = {}) {
    std::mt19937_64 rng(std::hash<std::string>{}(name));
    Mp mx, my;
    double worst = 0;
    int checked = 0;
    for (int i = 0; i < count; ++i) {
        QELT x[NQ], y[NQ];
        gen(rng, x);
        ref::to_mpfr(x, mx);
        mf(my, mx);
        if (mpfr_nan_p(my) || mpfr_inf_p(my)) continue;
        if (!mpfr_zero_p(my) && (mpfr_get_exp(my) > 16640 || mpfr_get_exp(my) < -16630)) continue;
        Clearmerror();
        qf(x, y);
        double e = ref::ulp_error(y, my);
        if (e > b.ulps) {
            EXPECT_LE(ref::abs_error_log2(y, my), b.abs_log2)
                << name << "(" << ref::describe(x) << ") = " << ref::describe(y) << ", " << e << " ulp";
            if (testing::Test::HasFailure()) return e;
        } else if (e > worst) {
            worst = e;
        }
        ++checked;
    }
    EXPECT_GT(checked, count / 2) << name;
    return worst;
}

#define MPFN(f) [](mpfr_ptr r, mpfr_srcptr x) { return f(r, x, MPFR_RNDN); }

TEST(QFunc, ExponentialAndLogarithm) {
    check_unary("qexp", qexp, MPFN(mpfr_exp), range(-400, 13, true), 10000);
    check_unary("qexp tiny", qexp, MPFN(mpfr_exp), range(-16000, -380, true), 2000);
    check_unary("qlog", qlog, MPFN(mpfr_log), range(-16500, 16500, false), 10000);
    check_unary("qlog near 1", qlog, MPFN(mpfr_log), near_one(), 4000);
}

TEST(QFunc, Hyperbolic) {
    check_unary("qsinh", qsinh, MPFN(mpfr_sinh), range(-300, 13, true), 10000);
    check_unary("qcosh", qcosh, MPFN(mpfr_cosh), range(-300, 13, true), 10000);
    check_unary("qtanh", qtanh, MPFN(mpfr_tanh), range(-300, 12, true), 10000);
    check_unary("qasinh", qasinh, MPFN(mpfr_asinh), range(-16000, 16000, true), 10000);
    check_unary("qacosh", qacosh, MPFN(mpfr_acosh), range(0, 16000, false), 10000);
    check_unary(
        "qacosh near 1", qacosh, MPFN(mpfr_acosh),
        [](std::mt19937_64& rng, QELT* q) {
            QELT d[NQ];
            ref::random_q(rng, -320, -1, false, d);
            qadd(d, qone, q);
        },
        2000);
    check_unary("qatanh", qatanh, MPFN(mpfr_atanh), range(-330, -1, true), 10000);
}

TEST(QFunc, CircularOverWideRanges) {
    check_unary("qsin", qsin, MPFN(mpfr_sin), range(-300, 60, true), 10000);
    check_unary("qsin huge", qsin, MPFN(mpfr_sin), range(60, 16600, true), 3000);
    check_unary("qsin near k pi/2", qsin, MPFN(mpfr_sin), near_half_pi_multiples(1000), 4000);
    check_unary("qcos", qcos, MPFN(mpfr_cos), range(-300, 60, true), 10000);
    check_unary("qcos huge", qcos, MPFN(mpfr_cos), range(60, 16600, true), 3000);
    check_unary("qcos near k pi/2", qcos, MPFN(mpfr_cos), near_half_pi_multiples(1000), 4000);
    check_unary("qtan near poles", qtan, MPFN(mpfr_tan), near_half_pi_multiples(100), 3000);
    check_unary("qatn", qatn, MPFN(mpfr_atan), range(-16000, 16000, true), 10000);
    check_unary("qatn moderate", qatn, MPFN(mpfr_atan), range(-20, 20, true), 10000);
    check_unary("qasin", qasin, MPFN(mpfr_asin), range(-330, 0, true), 10000);
    check_unary("qacos", qacos, MPFN(mpfr_acos), range(-330, 0, true), 10000);
}

TEST(QFunc, SquareRootAndTwoArgumentFunctions) {
    std::mt19937_64 rng(42);
    Mp mx, my, mz;
    for (int i = 0; i < 10000; ++i) {
        QELT x[NQ], y[NQ], z[NQ];
        ref::random_q(rng, -40, 40, true, y);
        ref::random_q(rng, -40, 40, true, x);
        if (i % 5 == 0) ref::random_q(rng, -4000, 4000, true, x);
        qatn2(x, y, z);  // atan2(y, x)
        ref::to_mpfr(x, mx);
        ref::to_mpfr(y, my);
        mpfr_atan2(mz, my, mx, MPFR_RNDN);
        double e = ref::ulp_error(z, mz);
        if (e > 4) {
            ASSERT_LE(ref::abs_error_log2(z, mz), -336)
                << "atan2 " << ref::describe(y) << "," << ref::describe(x);
        }
    }
    for (int i = 0; i < 10000; ++i) {
        QELT x[NQ], y[NQ], z[NQ];
        ref::random_q(rng, -20, 20, false, x);
        ref::random_q(rng, -8, 8, true, y);
        if (i % 4 == 0) ref::random_q(rng, -1000, 1000, false, x);
        ref::to_mpfr(x, mx);
        ref::to_mpfr(y, my);
        mpfr_pow(mz, mx, my, MPFR_RNDN);
        if (mpfr_get_exp(mz) > 16640 || mpfr_get_exp(mz) < -16630) continue;
        qpow(x, y, z);
        ASSERT_LE(ref::ulp_error(z, mz), 4) << "pow " << ref::describe(x) << "^" << ref::describe(y);
    }
}

TEST(QFunc, PowerSpecialCases) {
    struct Row {
        double x, y, want;
    };
    const Row rows[] = {{2, 10, 1024}, {-2, 3, -8}, {-2, 2, 4},  {10, -2, 0.01}, {0, 3, 0},
                        {7, 0, 1},     {0, 0, 1},   {4, 0.5, 2}, {-8, 1, -8}};
    for (const Row& r : rows) {
        QELT x[NQ], y[NQ], z[NQ];
        etoq(r.x, x);
        etoq(r.y, y);
        qpow(x, y, z);
        double d;
        qtoe(z, &d);
        EXPECT_EQ(d, r.want) << r.x << "^" << r.y;
        qpowi(x, static_cast<long>(r.y), z);
        if (r.y == static_cast<long>(r.y)) {
            qtoe(z, &d);
            EXPECT_EQ(d, r.want) << r.x << " powi " << r.y;
        }
    }
    QELT x[NQ], y[NQ], z[NQ];
    etoq(-2, x);
    etoq(0.5, y);
    Clearmerror();
    testing::internal::CaptureStdout();
    qpow(x, y, z);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nqpow domain error\n");
    EXPECT_EQ(merror, QERR_DOMAIN);
    Clearmerror();
}

TEST(QFunc, DomainErrorsAreReported) {
    struct Row {
        const char* name;
        void (*fn)(const QELT*, QELT*);
        double arg;
        int code;
    };
    const Row rows[] = {
        {"qlog", qlog, -1, QERR_DOMAIN},      {"qlog", qlog, 0, QERR_SING},
        {"qsqrt", qsqrt, -4, QERR_DOMAIN},    {"qasin", qasin, 1.5, QERR_DOMAIN},
        {"qacos", qacos, -2, QERR_DOMAIN},    {"qacosh", qacosh, 0.5, QERR_DOMAIN},
        {"qatanh", qatanh, 1, QERR_SING},     {"qatanh", qatanh, 2, QERR_DOMAIN},
        {"qexp", qexp, 20000, QERR_OVERFLOW}, {"qcosh", qcosh, -20000, QERR_OVERFLOW},
    };
    for (const Row& r : rows) {
        QELT x[NQ], y[NQ];
        etoq(r.arg, x);
        Clearmerror();
        testing::internal::CaptureStdout();
        r.fn(x, y);
        std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(merror, r.code) << r.name << "(" << r.arg << ")";
        std::string prefix = "\n";
        prefix += r.name;
        prefix += ' ';
        EXPECT_EQ(printed.rfind(prefix, 0), 0u) << printed;
    }
    Clearmerror();
    QELT x[NQ], y[NQ];
    etoq(-20000, x);
    qexp(x, y);  // underflow is silent and gives zero
    EXPECT_TRUE(iszero(y));
    EXPECT_FALSE(iserror());
}

TEST(QFunc, ReductionModuloPi) {
    const double args[] = {0.5, 3.5, -3.5, 100, -1e6, 1.5707};
    Mp mx(2000), mpi(2000), mk(2000), mr(2000);
    for (double a : args) {
        QELT x[NQ], y[NQ];
        etoq(a, x);
        qredpi(x, y);
        ref::to_mpfr(x, mx);
        mpfr_const_pi(mpi, MPFR_RNDN);
        mpfr_div(mk, mx, mpi, MPFR_RNDN);
        mpfr_round(mk, mk);
        mpfr_mul(mk, mk, mpi, MPFR_RNDN);
        mpfr_sub(mr, mx, mk, MPFR_RNDN);
        EXPECT_LE(ref::ulp_error(y, mr), 4) << a;
    }
}

}  // namespace

namespace {

TEST(QFunc, FactorialsAreRoundedOnce) {
    Mp want(20000), got;
    for (long n : {0L, 1L, 2L, 5L, 20L, 50L, 79L, 80L, 170L, 500L, 1500L}) {
        QELT f[NQ];
        qfac(n, f);
        mpfr_fac_ui(want, static_cast<unsigned long>(n), MPFR_RNDN);
        // Exact products while they fit the working form: then the one rounding is the correct one.
        EXPECT_LE(ref::ulp_error(f, want), n <= 79 ? 0.5 : 1.0) << n;
    }
    QELT f[NQ];
    Clearmerror();
    testing::internal::CaptureStdout();
    qfac(2000, f);  // about 10^5736: beyond the stored range
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(qisinf(f));
    EXPECT_EQ(merror, QERR_OVERFLOW);
    Clearmerror();
}

}  // namespace
