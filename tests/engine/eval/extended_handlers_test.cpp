// Handlers of the extended-precision family: their own rules, and the transcendental ones against MPFR.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <initializer_list>
#include <random>
#include <string>

#include "engine/eval/combinatorics.h"
#include "engine/eval/evaluate.h"
#include "engine/eval/handlers.h"
#include "engine/eval/integer_ops.h"
#include "eval_helpers.h"
#include "numeric/qcomplex.h"
#include "numeric/radix.h"
#include "support/mpfr_ref.h"

using testutil::Ex;
using testutil::Near;

namespace {

struct Out {
    qcmplx v;
    int err;
    long n;
};

qcmplx Q(const char* re, const char* im = "0") {
    qcmplx z;
    asctoq(re, z.r);
    asctoq(im, z.i);
    return z;
}

Out Call(HandlerFn<qcmplx> h, std::initializer_list<qcmplx> values, long base = 0) {
    ClearErrorCode();
    qcmplx s[4];
    long n = 0;
    for (const qcmplx& v : values) s[n++] = v;
    h(s, n, base);
    return {n > 0 ? s[n - 1] : qczero, GetErrorCode(), n};
}

struct Row {
    const char* text;
    int mode;
    int err;
    const char* re;  // expected to 1e-95 (relative above 1)
    const char* im;
};

TEST(ExtendedHandlers, Rules) {
    const Row rows[] = {
        {"sin(30)", 0, 0, "0.5", "0"},
        {"sin(100)", 2, 0, "1", "0"},
        {"sinh(90)", 0, 0,
         "610201647158920401001355017568184876985."
         "37321054988377312217191491215636367928818824006499409011111734",
         "0"},  // hyperbolic functions take no angle unit: sinh(90), not sinh(pi/2)
        {"asin(1)", 0, 0, "90", "0"},
        {"asin(1)", 2, 0, "100", "0"},
        {"asinh(1)", 1, 0,
         "0."
         "881373587019543025232609324979792309028160328261635410753295608653377184222026087833706891910256042"
         "86",
         "0"},
        {"tan(90)", 0, -56, "0", "0"},  // the handler's own test at pi/2
        {"tan(-90)", 0, -56, "0", "0"},
        {"tan(45)", 0, 0, "1", "0"},
        {"2^3^2", 1, 0, "512", "0"},
        {"3 root 8", 1, 0, "2", "0"},
        {"sqrt(0-4)", 1, 0, "0", "2"},
        {"ln(0-1)", 1, 0, "0",
         "3."
         "141592653589793238462643383279502884197169399375105820974944592307816406286208998628034825342117067"
         "98"},
        {"log(1000)", 1, 0, "3", "0"},
        {"abs(3+4*i)", 1, 0, "5", "0"},
        {"2 EXP 3", 1, 0, "2000", "0"},
        {"50%", 1, 0, "0.5", "0"},
        {"i%", 1, -54, "0", "0"},
        {"3.5!", 1, 0, "6", "0"},  // floor(n)!
        {"0!", 1, 0, "1", "0"},
        {"(0-1)!", 1, -56, "0", "0"},
        {"1501!", 1, -56, "0", "0"},
        {"(2*i)!", 1, -54, "0", "0"},
        {"1/1e70+0", 1, 0, "0", "0"},      // a sum below 1e-64 is zero ...
        {"1/1e70*1", 1, 0, "1e-70", "0"},  // ... a product is not
        {"(0-7) mod 3", 1, 0, "1", "0"},
        {"7 mod 0", 1, -5, "0", "0"},
        {"7.5 mod 2", 1, -53, "0", "0"},
        {"i mod 2", 1, -54, "0", "0"},
        {"5 nand 3", 1, 0, "254", "0"},
        {"129 rtl 1", 1, 0, "3", "0"},
        {"i and 1", 1, -54, "0", "0"},
        {"1/0", 1, -56, "0", "0"},
    };
    g_BitWidth = 8;
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.text) + " mode " + std::to_string(r.mode));
        testing::internal::CaptureStdout();
        const auto e = Ex(r.text, r.mode);
        testing::internal::GetCapturedStdout();
        ASSERT_EQ(e.err, r.err);
        if (r.err != 0) continue;
        EXPECT_TRUE(Near(e.v.r, r.re, "1e-95")) << testutil::Digits(e.v.r);
        EXPECT_TRUE(Near(e.v.i, r.im, "1e-95")) << testutil::Digits(e.v.i);
    }
    // 1500! is computed; its leading digits.
    const auto big = Ex("1500!", 1);
    ASSERT_EQ(big.err, 0);
    EXPECT_EQ(testutil::Digits(big.v.r, 10).substr(0, 14), " 4.8119977968E");
}

TEST(ExtendedHandlers, ComplexValuesSwitchToRadians) {
    const auto e = Ex("asin(2)", 0);
    EXPECT_EQ(e.err, 0);
    EXPECT_EQ(g_Mode, 1);  // stays radian for the rest of the calculation
    EXPECT_TRUE(Near(e.v.r,
                     "1."
                     "570796326794896619231321691639751442098584699687552910487472296153908203143104499314017"
                     "4126710585340"));
    // A later real argument in the same calculation is then taken in radians.
    const auto f = Ex("asin(2)*0+sin(90)", 0);
    EXPECT_TRUE(Near(f.v.r,
                     "0."
                     "893996663600557890518269498404209880046430523666304512352269415139499213790920076222554"
                     "35944415971472"));
    // tan at 270 degrees passes the handler's test (only +-pi/2 is tested) and is left to the library,
    // which gives a huge value.
    const auto t = Ex("tan(270)", 0);
    EXPECT_EQ(t.err, 0);
    QELT m[NQ];
    qmov(t.v.r, m);
    qabs(m);
    EXPECT_GT(qcmp(m, Q("1e90").r), 0);
}

TEST(ExtendedHandlers, RpnOnlyWords) {
    EXPECT_TRUE(Near(Call(nCrEx, {Q("5"), Q("2")}).v.r, "10"));
    EXPECT_EQ(Call(nCrEx, {Q("5"), Q("5")}).err, -50);
    EXPECT_EQ(Call(nCrEx, {Q("5"), Q("0")}).err, -50);
    EXPECT_EQ(Call(nCrEx, {Q("5", "1"), Q("2")}).err, -54);
    EXPECT_TRUE(Near(Call(nCrEx, {Q("30"), Q("15")}).v.r, "155117520"));
    EXPECT_TRUE(Near(Call(nCrEx, {Q("100"), Q("50")}).v.r, "100891344545564193334812497256"));
    EXPECT_TRUE(Near(Call(nPrEx, {Q("10"), Q("3")}).v.r, "720"));
    // Products of the k factors: no factorial of n, so 2000 npr 1 is 2000 (it used to overflow 2000!).
    EXPECT_TRUE(Near(Call(nPrEx, {Q("2000"), Q("1")}).v.r, "2000"));
    EXPECT_TRUE(Near(Call(nCrEx, {Q("2000"), Q("2")}).v.r, "1999000"));
    EXPECT_EQ(Call(nPrEx, {Q("2000"), Q("1999")}).err, -7);        // 2000! is beyond the extended range
    EXPECT_TRUE(Near(Call(nPrEx, {Q("5.5"), Q("2")}).v.r, "20"));  // fractional: floor(n)! / floor(n - k)!

    EXPECT_TRUE(Near(Call(GCDEx, {Q("12"), Q("-18")}).v.r, "6"));
    EXPECT_EQ(Call(GCDEx, {Q("1.5"), Q("3")}).err, -11);
    EXPECT_TRUE(Near(Call(LCMEx, {Q("-4"), Q("6")}).v.r, "12"));
    EXPECT_EQ(Call(LCMEx, {Q("2.5"), Q("1")}).err, -35);
    EXPECT_TRUE(Near(Call(MODEx, {Q("-7"), Q("3")}).v.r, "1"));
    EXPECT_TRUE(Near(Call(MODEx, {Q("7"), Q("-3")}).v.r, "1"));
    EXPECT_EQ(Call(MODEx, {Q("7"), Q("0")}).err, -5);
    EXPECT_EQ(Call(MODEx, {Q("7.5"), Q("2")}).err, -11);
    EXPECT_EQ(Call(GCDEx, {Q("4", "1"), Q("2")}).err, -54);
    EXPECT_TRUE(Near(Call(irootEx, {Q("27"), Q("3")}).v.r, "3"));
    EXPECT_TRUE(Near(Call(iexpEx, {Q("1.5"), Q("3")}).v.r, "1500"));

    g_BitWidth = 8;
    EXPECT_TRUE(Near(Call(notEx, {Q("0")}).v.r, "255"));
    EXPECT_TRUE(Near(Call(cplEx, {Q("1")}).v.r, "255"));
    g_BitWidth = 32;
    EXPECT_TRUE(Near(Call(notEx, {Q("0")}).v.r, "4294967295"));
    g_BitWidth = 8;

    // RAN: between its bounds in either order, and repeatable under srand.
    std::srand(11);
    const Out a = Call(RANEx, {Q("2"), Q("5")});
    std::srand(11);
    const Out b = Call(RANEx, {Q("5"), Q("2")});
    EXPECT_EQ(qcmp(a.v.r, b.v.r), 0);
    EXPECT_GE(qcmp(a.v.r, Q("2").r), 0);
    EXPECT_LE(qcmp(a.v.r, Q("5").r), 0);
    EXPECT_EQ(Call(RANEx, {Q("5", "1"), Q("2")}).err, -54);
}

TEST(ExtendedHandlers, LastParameter) {
    const struct {
        HandlerFn<qcmplx> h;
        const char* a;
        const char* b;
        const char* param;
    } rows[] = {
        {AddEx, "2", "3", "3"},   {PowEx, "2", "5", "5"}, {rootEx, "2", "9", "2"},  // the root index a
        {irootEx, "9", "2", "2"}, {nCrEx, "5", "2", "2"}, {ANDFEx, "5", "3", "3"}, {iexpEx, "1", "4", "4"},
    };
    for (const auto& r : rows) {
        g_dblLastParam = Q("-1");
        Call(r.h, {Q(r.a), Q(r.b)});
        EXPECT_TRUE(Near(g_dblLastParam.r, r.param)) << r.a << " " << r.b;
    }
    g_dblLastParam = Q("-1");
    Call(expEx, {Q("1"), Q("4")});  // "exp" records nothing
    Call(SubEx, {Q("7")});          // nor does negation
    EXPECT_TRUE(Near(g_dblLastParam.r, "-1"));
    // Too few values in the group: -1, nothing changes.
    const Out o = Call(MulEx, {Q("2"), Q("3")}, 1);
    EXPECT_EQ(o.err, -1);
    EXPECT_EQ(o.n, 2);
}

// ---- against MPFR ----------------------------------------------------------------------------------------

constexpr mpfr_prec_t kRefPrec = 480;
using MpfrFn = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

template <MpfrFn F>
int OfInverse(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t m) {
    ref::Mp t(kRefPrec);
    mpfr_ui_div(t, 1, x, m);
    return F(r, t, m);
}

struct ReferenceCase {
    const char* name;
    HandlerFn<qcmplx> handler;
    MpfrFn ref;
    int emin, emax;
    bool negative;  // operands of both signs
};

// |got - want| <= 2^-316 max(1, |want|): the accuracy of the library's complex functions on real values.
::testing::AssertionResult Close(const QELT* got, mpfr_srcptr want) {
    double scale = 0;
    if (!mpfr_zero_p(want)) scale = std::max(0.0, static_cast<double>(mpfr_get_exp(want)));
    const double e = ref::abs_error_log2(got, want);
    if (e <= -316 + scale) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "error 2^" << e << ", got " << ref::describe(got);
}

TEST(ExtendedHandlers, TranscendentalAgainstMpfr) {
    const ReferenceCase cases[] = {
        {"sin", SinEx, mpfr_sin, -4, 3, true},
        {"cos", CosEx, mpfr_cos, -4, 3, true},
        {"tan", TanEx, mpfr_tan, -4, 0, true},
        {"sec", SecEx, mpfr_sec, -4, 0, true},
        {"csc", CSecEx, mpfr_csc, -4, 1, true},
        {"sinh", SinhEx, mpfr_sinh, -4, 4, true},
        {"cosh", CoshEx, mpfr_cosh, -4, 4, true},
        {"tanh", TanhEx, mpfr_tanh, -4, 3, true},
        {"sech", SechEx, mpfr_sech, -4, 4, true},
        {"csch", CSechEx, mpfr_csch, -4, 4, true},
        {"asin", ASinEx, mpfr_asin, -6, 0, true},
        {"acos", ACosEx, mpfr_acos, -6, 0, true},
        {"atan", ATanEx, mpfr_atan, -4, 4, true},
        {"asec", ASecEx, OfInverse<mpfr_acos>, 1, 5, true},
        {"acsc", ACscEx, OfInverse<mpfr_asin>, 1, 5, true},
        {"asinh", ASinhEx, mpfr_asinh, -4, 4, true},
        {"acosh", ACoshEx, mpfr_acosh, 1, 5, false},
        {"atanh", ATanhEx, mpfr_atanh, -6, 0, true},
        {"asech", ASechEx, OfInverse<mpfr_acosh>, -6, 0, false},
        {"acsch", ACschEx, OfInverse<mpfr_asinh>, -4, 4, true},
        {"ln", LnEx, mpfr_log, -30, 30, false},
        {"log", LogEx, mpfr_log10, -30, 30, false},
        {"sqrt", SqrtEx, mpfr_sqrt, -30, 30, false},
    };
    std::mt19937_64 rng(2024);
    for (const ReferenceCase& s : cases) {
        for (int k = 0; k < 36; ++k) {
            qcmplx x = qczero;
            ref::random_q(rng, s.emin, s.emax, s.negative, x.r);
            ClearErrorCode();
            SetMode(1);
            const Out o = Call(s.handler, {x});
            ASSERT_EQ(o.err, 0) << s.name << "(" << ref::describe(x.r) << ")";
            ref::Mp mx(kRefPrec), want(kRefPrec);
            ref::to_mpfr(x.r, mx);
            s.ref(want, mx, MPFR_RNDN);
            EXPECT_TRUE(Close(o.v.r, want)) << s.name << "(" << ref::describe(x.r) << ")";
            EXPECT_TRUE(Near(o.v.i, "0", "1e-95")) << s.name;
        }
    }
}

// Degree mode: the argument (or result) conversion keeps the precision.
TEST(ExtendedHandlers, DegreesAgainstMpfr) {
    const struct {
        const char* name;
        HandlerFn<qcmplx> handler;
        MpfrFn ref;
        bool inverse;
    } cases[] = {
        {"sin", SinEx, mpfr_sin, false},   {"cos", CosEx, mpfr_cos, false},   {"tan", TanEx, mpfr_tan, false},
        {"asin", ASinEx, mpfr_asin, true}, {"atan", ATanEx, mpfr_atan, true},
    };
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<int> whole(-720, 720);
    for (const auto& s : cases) {
        for (int k = 0; k < 24; ++k) {
            qcmplx x = qczero;
            if (s.inverse) {
                ref::random_q(rng, -6, 0, true, x.r);
            } else {
                // Whole degrees (the typical input) and random fractions.
                QELT f[NQ];
                ltoq(whole(rng), x.r);
                ref::random_q(rng, -10, -1, true, f);
                if (k % 2 == 1) qadd(f, x.r, x.r);
            }
            SetMode(0);
            const Out o = Call(s.handler, {x});
            if (o.err == kErrLibrary) continue;  // tan at +-90
            ASSERT_EQ(o.err, 0) << s.name << "(" << ref::describe(x.r) << ")";
            ref::Mp mx(kRefPrec), pi(kRefPrec), want(kRefPrec);
            ref::to_mpfr(x.r, mx);
            mpfr_const_pi(pi, MPFR_RNDN);
            if (s.inverse) {
                s.ref(want, mx, MPFR_RNDN);
                mpfr_mul_ui(want, want, 180, MPFR_RNDN);
                mpfr_div(want, want, pi, MPFR_RNDN);
            } else {
                mpfr_mul(mx, mx, pi, MPFR_RNDN);
                mpfr_div_ui(mx, mx, 180, MPFR_RNDN);
                s.ref(want, mx, MPFR_RNDN);
            }
            // Near a zero of the function the rounded argument decides the last bits: compare absolutely.
            EXPECT_LE(ref::abs_error_log2(o.v.r, want), -310.0 + std::max(0L, mpfr_get_exp(want)))
                << s.name << "(" << ref::describe(x.r) << ") = " << ref::describe(o.v.r);
        }
    }
}

// Hyperbolic functions and their inverses take and give plain numbers in every angle mode, and leave the
// mode as it was.
TEST(ExtendedHandlers, HyperbolicTakeNoAngleUnitAgainstMpfr) {
    const struct {
        const char* name;
        HandlerFn<qcmplx> handler;
        MpfrFn ref;
        const char* x;
    } cases[] = {
        {"sinh", SinhEx, mpfr_sinh, "1"},
        {"cosh", CoshEx, mpfr_cosh, "90"},
        {"tanh", TanhEx, mpfr_tanh, "0.5"},
        {"sech", SechEx, mpfr_sech, "2"},
        {"csch", CSechEx, mpfr_csch, "3"},
        {"asinh", ASinhEx, mpfr_asinh, "1"},
        {"acosh", ACoshEx, mpfr_acosh, "2"},
        {"atanh", ATanhEx, mpfr_atanh, "0.5"},
        {"asech", ASechEx, OfInverse<mpfr_acosh>, "0.5"},
        {"acsch", ACschEx, OfInverse<mpfr_asinh>, "1"},
    };
    for (const auto& s : cases) {
        for (int mode : {0, 1, 2}) {
            SCOPED_TRACE(std::string(s.name) + "(" + s.x + ") mode " + std::to_string(mode));
            SetMode(mode);
            const Out o = Call(s.handler, {Q(s.x)});
            ASSERT_EQ(o.err, 0);
            EXPECT_EQ(g_Mode, mode);
            ref::Mp mx(kRefPrec), want(kRefPrec);
            mpfr_set_str(mx, s.x, 10, MPFR_RNDN);
            s.ref(want, mx, MPFR_RNDN);
            EXPECT_TRUE(Close(o.v.r, want));
            EXPECT_TRUE(iszero(o.v.i));
        }
    }
    // The values a user typing them in the default degree mode sees.
    const struct {
        const char* text;
        const char* want;
    } typed[] = {
        {"sinh(1)",
         "1."
         "175201193643801456882381850595600815155717981334095870229565413013307567304323895607117452089623391"
         "8"},
        {"asinh(1)",
         "0."
         "881373587019543025232609324979792309028160328261635410753295608653377184222026087833706891910256042"
         "86"},
        {"cosh(90)",
         "610201647158920401001355017568184876985."
         "373210549883773122171914912156363679289007641327393141654153451"},
        {"acsch(1)",
         "0."
         "881373587019543025232609324979792309028160328261635410753295608653377184222026087833706891910256042"
         "86"},
    };
    for (const auto& t : typed) {
        for (int mode : {0, 2}) {
            const auto e = Ex(t.text, mode);
            ASSERT_EQ(e.err, 0) << t.text;
            EXPECT_TRUE(Near(e.v.r, t.want)) << t.text << " mode " << mode << ": " << testutil::Digits(e.v.r);
        }
    }
}

// Combinations and permutations of large numbers against GMP's exact values: every value that fits the
// extended range (about 1e5000) is returned to the precision, the others are out of range, and none takes
// long however large k is.
TEST(ExtendedHandlers, CombinationsOfLargeNumbersAgainstGmp) {
    const struct {
        unsigned long n, k;
        bool fits;
    } rows[] = {
        {2000, 2, true},         {2000, 1000, true},
        {10000, 5000, true},     {10000, 9990, true},
        {16000, 8000, true},     {17000, 8500, false},
        {100000, 3, true},       {1000000000, 2, true},
        {1000000000, 500, true}, {2147483647, 1000000000, false},
    };
    const auto start = std::chrono::steady_clock::now();
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.n) + " ncr/npr " + std::to_string(r.k));
        qcmplx n = qczero, k = qczero;
        ltoq(static_cast<long>(r.n), n.r);
        ltoq(static_cast<long>(r.k), k.r);
        mpz_t exact;
        mpz_init(exact);
        ref::Mp want(kRefPrec);
        const Out c = Call(nCrEx, {n, k});
        if (r.fits) {
            ASSERT_EQ(c.err, 0);
            mpz_bin_uiui(exact, r.n, r.k);
            mpfr_set_z(want, exact, MPFR_RNDN);
            // Exact below 2^336; beyond, each of the min(k, n - k) steps rounds at most twice.
            EXPECT_LE(ref::ulp_error(c.v.r, want), 2.0 * std::min(r.k, r.n - r.k) + 1);
        } else {
            EXPECT_EQ(c.err, -7);
        }
        mpz_set_ui(exact, 1);
        for (unsigned long f = r.n - r.k + 1; f <= r.n && mpz_sizeinbase(exact, 2) < 20000; ++f)
            mpz_mul_ui(exact, exact, f);
        const bool permutationsFit = mpz_sizeinbase(exact, 2) < QEXPINF - QEXPBIAS;
        const Out p = Call(nPrEx, {n, k});
        if (permutationsFit) {
            ASSERT_EQ(p.err, 0);
            mpfr_set_z(want, exact, MPFR_RNDN);
            EXPECT_LE(ref::ulp_error(p.v.r, want), r.k + 1.0);
        } else {
            EXPECT_EQ(p.err, -7);
        }
        mpz_clear(exact);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(ExtendedHandlers, PowersAndFactorialsAgainstMpfr) {
    std::mt19937_64 rng(99);
    for (int k = 0; k < 36; ++k) {
        qcmplx a = qczero, b = qczero;
        ref::random_q(rng, -4, 4, false, a.r);
        ref::random_q(rng, -3, 3, true, b.r);
        ref::Mp ma(kRefPrec), mb(kRefPrec), want(kRefPrec);
        ref::to_mpfr(a.r, ma);
        ref::to_mpfr(b.r, mb);
        mpfr_pow(want, ma, mb, MPFR_RNDN);
        EXPECT_TRUE(Close(Call(PowEx, {a, b}).v.r, want)) << "pow";
        mpfr_ui_div(mb, 1, mb, MPFR_RNDN);
        mpfr_pow(want, ma, mb, MPFR_RNDN);
        EXPECT_TRUE(Close(Call(rootEx, {b, a}).v.r, want)) << "root";  // b root a
    }
    for (unsigned long n : {0UL, 1UL, 20UL, 57UL, 170UL, 700UL, 1500UL}) {
        qcmplx x = qczero;
        ltoq(static_cast<long>(n), x.r);
        ref::Mp want(kRefPrec);
        mpfr_fac_ui(want, n, MPFR_RNDN);
        const Out o = Call(FactorialEx, {x});
        ASSERT_EQ(o.err, 0);
        // Each of the n products rounds once.
        EXPECT_LE(ref::ulp_error(o.v.r, want), n + 1.0) << n << "!";
    }
}

}  // namespace
