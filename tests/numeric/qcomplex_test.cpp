// Complex functions of the extended-precision library against MPC (MPFR's complex companion) at 336 bits,
// and the engine-facing wrappers' error mapping.
#include <gtest/gtest.h>
#include <mpc.h>

#include <cmath>
#include <functional>
#include <string>

#include "numeric/errors.h"
#include "numeric/qcomplex.h"
#include "support/mpfr_ref.h"

namespace {

using ref::Mp;

class Mc {
  public:
    Mc() { mpc_init2(v_, ref::kPrec); }
    Mc(const Mc&) = delete;
    Mc& operator=(const Mc&) = delete;
    ~Mc() { mpc_clear(v_); }
    operator mpc_ptr() { return v_; }
    operator mpc_srcptr() const { return v_; }
    mpc_ptr operator->() { return v_; }  // for MPC's accessor macros

  private:
    mpc_t v_;
};

void to_mpc(const qcmplx& z, mpc_ptr out) {
    ref::to_mpfr(z.r, mpc_realref(out));
    ref::to_mpfr(z.i, mpc_imagref(out));
}

// log2 of the larger part's magnitude of w (the scale of the error bound), or none for zero.
bool scale_log2(mpc_srcptr w, double* s) {
    Mp a(64), b(64);
    mpfr_abs(a, mpc_realref(w), MPFR_RNDN);
    mpfr_abs(b, mpc_imagref(w), MPFR_RNDN);
    mpfr_max(a, a, b, MPFR_RNDN);
    if (mpfr_zero_p(a.get())) return false;
    long e;
    double m = mpfr_get_d_2exp(&e, a, MPFR_RNDN);
    *s = std::log2(m) + static_cast<double>(e);
    return true;
}

// Each part of got must be within 2^-320 of the larger part's magnitude of the reference.
::testing::AssertionResult close(const qcmplx& got, mpc_srcptr want) {
    if (!mpfr_number_p(mpc_realref(want)) || !mpfr_number_p(mpc_imagref(want)))
        return ::testing::AssertionSuccess();
    double s;
    if (!scale_log2(want, &s)) {
        bool zero = iszero(got.r) && iszero(got.i);
        return zero ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "want 0";
    }
    double er = ref::abs_error_log2(got.r, mpc_realref(want)) - s;
    double ei = ref::abs_error_log2(got.i, mpc_imagref(want)) - s;
    if (er <= -320 && ei <= -320) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "errors 2^" << er << ", 2^" << ei << " got "
                                         << ref::describe(got.r) << " " << ref::describe(got.i) << "i";
}

void random_c(std::mt19937_64& rng, int emin, int emax, qcmplx* z) {
    ref::random_q(rng, emin, emax, true, z->r);
    ref::random_q(rng, emin, emax, true, z->i);
    switch (rng() % 8) {
        case 0:
            qclear(z->i);
            break;  // real axis
        case 1:
            qclear(z->r);
            break;  // imaginary axis
        case 2:
            ref::random_q(rng, emin - 60, emin, true, z->i);
            break;  // near the real axis
        default:
            break;
    }
}

using QUnary = void (*)(const qcmplx*, qcmplx*);
using McUnary = int (*)(mpc_ptr, mpc_srcptr, mpc_rnd_t);

struct UnaryRow {
    const char* name;
    QUnary q;
    McUnary m;
    int emin, emax;
};

TEST(QComplex, UnaryFunctionsMatchMpc) {
    const UnaryRow rows[] = {
        {"qcexp", qcexp, mpc_exp, -60, 12},       {"qclog", qclog, mpc_log, -8000, 8000},
        {"qclog near 1", qclog, mpc_log, -3, 1},  {"qcsin", qcsin, mpc_sin, -60, 8},
        {"qccos", qccos, mpc_cos, -60, 8},        {"qctan", qctan, mpc_tan, -60, 8},
        {"qcsinh", qcsinh, mpc_sinh, -60, 8},     {"qccosh", qccosh, mpc_cosh, -60, 8},
        {"qctanh", qctanh, mpc_tanh, -60, 8},     {"qcsqrt", qcsqrt, mpc_sqrt, -8000, 8000},
        {"qcatan", qcatan, mpc_atan, -60, 60},    {"qcatanh", qcatanh, mpc_atanh, -60, 60},
        {"qcasin", qcasin, mpc_asin, -60, 60},    {"qcacos", qcacos, mpc_acos, -60, 60},
        {"qcasinh", qcasinh, mpc_asinh, -60, 60}, {"qcacosh", qcacosh, mpc_acosh, -60, 60},
    };
    for (const UnaryRow& row : rows) {
        std::mt19937_64 rng(std::hash<std::string>{}(row.name));
        Mc mz, mw;
        for (int i = 0; i < 10000; ++i) {
            qcmplx z, w;
            random_c(rng, row.emin, row.emax, &z);
            to_mpc(z, mz);
            row.m(mw, mz, MPC_RNDNN);
            Clearmerror();
            row.q(&z, &w);
            if (!close(w, mw) && (iszero(z.r) || iszero(z.i))) {
                // On a branch cut along an axis the library has no signed zero to choose a side with:
                // either side's value is right.
                if (iszero(z.r)) mpfr_neg(mpc_realref(mz), mpc_realref(mz), MPFR_RNDN);
                if (iszero(z.i)) mpfr_neg(mpc_imagref(mz), mpc_imagref(mz), MPFR_RNDN);
                row.m(mw, mz, MPC_RNDNN);
            }
            ASSERT_TRUE(close(w, mw))
                << row.name << "(" << ref::describe(z.r) << ", " << ref::describe(z.i) << ")";
        }
    }
}

TEST(QComplex, ArithmeticAndPowerMatchMpc) {
    std::mt19937_64 rng(8);
    Mc ma, mb, mw;
    for (int i = 0; i < 4000; ++i) {
        qcmplx a, b, w;
        random_c(rng, -200, 200, &a);
        random_c(rng, -200, 200, &b);
        if (iszero(b.r) && iszero(b.i)) continue;
        to_mpc(a, ma);
        to_mpc(b, mb);
        qcmul(&a, &b, &w);
        mpc_mul(mw, mb, ma, MPC_RNDNN);
        ASSERT_TRUE(close(w, mw)) << "qcmul";
        qcdiv(&b, &a, &w);  // w = a / b
        mpc_div(mw, ma, mb, MPC_RNDNN);
        ASSERT_TRUE(close(w, mw)) << "qcdiv";
    }
    for (int i = 0; i < 3000; ++i) {
        qcmplx a, b, w;
        random_c(rng, -6, 6, &a);
        random_c(rng, -5, 3, &b);
        if (i % 3 == 0) {  // integer and real exponents take their own paths
            ltoq(static_cast<long>(rng() % 41) - 20, b.r);
            qclear(b.i);
        }
        to_mpc(a, ma);
        to_mpc(b, mb);
        qcpow(&a, &b, &w);
        mpc_pow(mw, ma, mb, MPC_RNDNN);
        ASSERT_TRUE(close(w, mw)) << "qcpow " << ref::describe(a.r) << "," << ref::describe(a.i) << " ^ "
                                  << ref::describe(b.r) << "," << ref::describe(b.i);
    }
}

TEST(QComplex, ExactCasesStayExact) {
    struct Row {
        double ar, ai, br, bi, wr, wi;
    };
    const Row rows[] = {
        {-2, 0, 2, 0, 4, 0},  // a real square has no imaginary noise
        {0, 1, 2, 0, -1, 0},  // i^2 = -1
        {2, 0, 10, 0, 1024, 0}, {-8, 0, 1, 0, -8, 0}, {5, 0, 0, 0, 1, 0}, {0, 0, 0, 0, 1, 0},  // 0^0 = 1
        {0, 0, 2, 0, 0, 0},     {4, 0, 0.5, 0, 2, 0},
    };
    for (const Row& r : rows) {
        qcmplx a = qcmplx_make(r.ar, r.ai), b = qcmplx_make(r.br, r.bi);
        ClearErrorCode();
        qcmplx w = qcmplx_pow(a, b);
        double wr, wi;
        qtoe(w.r, &wr);
        qtoe(w.i, &wi);
        EXPECT_EQ(wr, r.wr) << r.ar << "," << r.ai << " ^ " << r.br;
        EXPECT_EQ(wi, r.wi) << r.ar << "," << r.ai << " ^ " << r.br;
        EXPECT_EQ(GetErrorCode(), kErrNone);
    }
}

TEST(QComplex, SquareRootPowerIsTheCorrectlyRoundedRoot) {
    std::mt19937_64 rng(3);
    for (int i = 0; i < 200; ++i) {
        qcmplx a, half = qcmplx_make(0.5, 0), w;
        ref::random_q(rng, -300, 300, false, a.r);
        qclear(a.i);
        qcpow(&a, &half, &w);
        QELT root[NQ];
        qsqrt(a.r, root);
        EXPECT_EQ(qcmp(w.r, root), 0);
        EXPECT_TRUE(iszero(w.i));
    }
}

TEST(QComplex, EngineWrappersMapLibraryErrors) {
    struct Row {
        const char* what;
        std::function<qcmplx()> call;
    };
    const Row rows[] = {
        {"divide by zero", [] { return qcmplx_div(qcone, qczero); }},
        {"log of zero", [] { return qcmplx_log(qczero); }},
        {"inverse of zero", [] { return qcmplx_inverse(qczero); }},
        {"zero to a negative power", [] { return qcmplx_pow(qczero, qcmplx_make(-1, 0)); }},
        {"atanh of one", [] { return qcmplx_arctanh(qcone); }},
        {"exp overflow", [] { return qcmplx_exp(qcmplx_make(20000, 0)); }},
    };
    for (const Row& r : rows) {
        ClearErrorCode();
        testing::internal::CaptureStdout();
        r.call();
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(GetErrorCode(), kErrLibrary) << r.what;
    }
    ClearErrorCode();
    qcmplx q = qcmplx_div(qcmplx_make(1, 2), qcmplx_make(3, 4));  // (11 + 2i) / 25
    double re, im;
    qtoe(q.r, &re);
    qtoe(q.i, &im);
    EXPECT_DOUBLE_EQ(re, 0.44);
    EXPECT_DOUBLE_EQ(im, 0.08);
    q = qcmplx_sub(qcmplx_make(5, 1), qcmplx_make(2, 3));
    qtoe(q.r, &re);
    qtoe(q.i, &im);
    EXPECT_EQ(re, 3);
    EXPECT_EQ(im, -2);
    q = qcmplx_log10(qcmplx_make(1000, 0));
    qtoe(q.r, &re);
    EXPECT_DOUBLE_EQ(re, 3);
    q = qcmplx_arcsec(qcmplx_make(2, 0));  // arccos(1/2) = pi/3
    qtoe(q.r, &re);
    EXPECT_DOUBLE_EQ(re, M_PI / 3);
    EXPECT_EQ(GetErrorCode(), kErrNone);
    // ClearErrorCode clears the library flag as well.
    testing::internal::CaptureStdout();
    qcmplx_log(qczero);
    testing::internal::GetCapturedStdout();
    ClearErrorCode();
    EXPECT_FALSE(iserror());
}

}  // namespace
