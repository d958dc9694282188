// The real form of the compiled double-precision programs against the complex program it stands in for,
// and the pieces it rests on (estimates of sin, cos and tan, the snapping of an estimate, the power
// shortcut's interval) against their definitions.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/eval/double_program_run.h"
#include "engine/eval/double_real_forms.h"
#include "engine/eval/evaluate.h"
#include "engine/eval/handler_support.h"
#include "engine/parse/rpn_maker.h"
#include "engine/parse/tables.h"
#include "engine/parse/tokenizer.h"
#include "numeric/errors.h"
#include "numeric/radix.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kUnit = 0x1p-53;  // half an ulp of 1, the unit of the error bounds

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

DoubleProgram Compiled(const char* text) {
    std::string rpn = text;
    EXPECT_TRUE(ExpressionParser(rpn, 10, "x") && RPNMaker(rpn)) << text;
    DoubleProgram p;
    p.Compile(rpn, "x");
    return p;
}

std::mt19937_64& Rng() {
    static std::mt19937_64 rng(11);
    return rng;
}

double Uniform(double lo, double hi) {
    return lo + (hi - lo) * std::generate_canonical<double, 53>(Rng());
}

// Each row: a text, and values where its real form must give the value itself (no handing over to the
// complex program), so that every kind of operation is known to run in the comparisons below.
struct Row {
    const char* text;
    std::vector<double> realAt;
};

const Row kRows[] = {
    {"x+2", {1, -3}},
    {"2-x", {1, -3}},
    {"-x", {1, -3}},
    {"x*3", {1, -3}},
    {"x*x", {2, 0.5}},  // two negative factors give -0 as imaginary part: the complex program decides
    {"x/3", {1, -3}},
    {"3/x", {2, 0.5}},
    {"x^2", {3, 1e-3}},
    {"x^3", {3, 1e-3, 1.1}},
    {"x^5", {3, 0.25}},
    {"x^0.5", {3}},
    {"x^x", {3, 0.5}},
    {"2^x", {3, -1.5}},
    {"sin(x)", {1, -1, 100}},
    {"cos(x)", {1, -1, 100}},
    {"tan(x)", {1, -1, 10}},
    {"sqrt(x)", {2}},
    {"ln(x)", {2}},
    {"log(x)", {2}},
    {"abs(x)", {-2, 2}},  // a handler without a value-level form
    {"x!", {5}},
    {"atan(x)", {1}},
    {"sinh(x)", {1}},
    // Fused: a product, quotient or square taken at once by an add or subtract, on either side.
    {"2*x+1", {1, -1}},
    {"1+2*x", {1, -1}},
    {"1-2*x", {1, -1}},
    {"x*2-1", {1, -1}},
    {"x/4+x", {1, -1}},
    {"x-1/x", {1, 2}},
    {"x^2+1", {1, -1}},
    {"1-x^2", {1, -1}},
    {"x^3-2*x+1", {1, 0.5}},
    {"sin(x)*x^2+1/x", {1, 0.5}},
    {"sqrt(x)+ln(x)", {1, 0.5}},
    {"tan(x)/(1+x^2)", {1, 0.5}},
    {"(x-1)*(x+1)", {3, 2}},
    {"(2)(x)", {3}},  // the result is not the last value
    {"(2)(x+1)", {3}},
    {"x", {3}},
    {"pi*x+e", {3}},
};

// Values where the real form hands over (or runs, and must still agree): signs, zeros, infinities,
// poles, huge and tiny magnitudes.
const double kEdges[] = {0.0,
                         -0.0,
                         1.0,
                         -1.0,
                         -2.0,
                         0.5,
                         90.0,
                         180.0,
                         -90.0,
                         270.0,
                         1e-300,
                         1e300,
                         5e-324,
                         kInf,
                         -kInf,
                         171.0,
                         3.5,
                         4503.6,
                         1e6,
                         1e8,
                         -1e8,
                         1.5707963267948966,
                         3.141592653589793,
                         7.25,
                         -7.25,
                         1e-170,
                         2e160};

// Runs the real form and the complex program on one value: where the real form answers, the value must
// be the complex program's to the bit, the imaginary part a zero of the same sign; where it does not,
// nothing may have changed. True when the real form answered.
bool CheckOne(DoubleProgram& p, const char* text, double x, int mode) {
    SCOPED_TRACE(std::string(text) + " at " + std::to_string(x) + " mode " + std::to_string(mode));
    ClearErrorCode();
    SetMode(mode);
    std::strcpy(g_chrLastItem, "start");
    double real = 0, zero = 0;
    const bool answered = p.RunReal(x, real, zero);
    EXPECT_EQ(GetErrorCode(), 0);
    EXPECT_EQ(g_Mode, mode);
    EXPECT_STREQ(g_chrLastItem, "start");
    double re, im;
    const bool ok = p.RunComplex(x, re, im);
    if (answered) {
        EXPECT_TRUE(ok);
        EXPECT_TRUE(SameBits(real, re) || (real != real && re != re)) << real << " vs " << re;
        EXPECT_TRUE(SameBits(im, zero)) << im << " vs " << zero;
        EXPECT_EQ(zero, 0.0);
    }
    ClearErrorCode();
    return answered;
}

TEST(DoubleRealForm, AgreesWithTheComplexProgram) {
    g_BitWidth = 8;
    for (const Row& row : kRows) {
        DoubleProgram p = Compiled(row.text);
        UseFusedMultiplyAdd(false);  // the cubes also without fused multiply-add
        DoubleProgram plain = Compiled(row.text);
        UseFusedMultiplyAdd(true);
        for (double x : row.realAt) EXPECT_TRUE(CheckOne(plain, row.text, x, 1)) << row.text << " at " << x;
        for (double x : kEdges) CheckOne(plain, row.text, x, 1);
        ASSERT_TRUE(p.HasRealForm()) << row.text;
        for (int mode : {0, 1, 2}) {
            for (double x : row.realAt)
                EXPECT_TRUE(CheckOne(p, row.text, x, mode)) << row.text << " at " << x;
            for (double x : kEdges) CheckOne(p, row.text, x, mode);
            for (int i = 0; i < 200; ++i) CheckOne(p, row.text, Uniform(-50, 50), mode);
        }
    }
}

TEST(DoubleRealForm, HandsOverOffTheRealLine) {
    // Rows with the expected answer: true where the real form must answer, false where it must hand over.
    // clang-format off
    const struct {
        const char* text;
        double x;
        bool real;
    } rows[] = {
        {"x*x", -2, true},         // (-2)(-2): imaginary part -0, left by the last operation
        {"x*x*2", -2, false},      // -0 where a later operation would take it up
        {"x*x+1", -2, true},       // fused: 1 + (4, -0) has +0
        {"1-x*x", -2, true},       // fused: +0 - (-0) is +0
        {"x*x-1", -2, true},       // fused, last: -0 - (+0) stays -0
        {"x*x-1+x", -2, false},    // fused, not last
        {"x*3", kInf, false},      // inf times the zero imaginary part
        {"1/x", -2, true},         // 1 (-0) + 0 (-0.5): -0, last
        {"1/x+x", -2, true},       // fused
        {"x-1/x", -2, true},       // fused, subtracted: +0 - (-0)
        {"1/x*x", -2, false},      // -0 taken up by the product
        {"(0-1)/x", 2, true},      // -1 (-0) + 0 (0.5): +0
        {"x/(0-2)", 1, true},      // a positive numerator over a negative divisor: -0, last
        {"1/x", 0, false},         // the division error
        {"1/x", 1e-170, false},    // the divisor's square underflows
        {"sqrt(x)", -4, false},    // 2i
        {"ln(x)", -1, false},      // i pi
        {"x^0.5", -4, false},
        {"x!", 3.5, false},        // the handler's error, put back
        {"asin(x)", 2, false},     // a complex result, put back
        {"i*x", 1, false},         // no real form at all
        {"tan(x)", 90, false},     // a pole (degree mode)
        {"sin(x)", 1e300, true},   // beyond the estimate: the library's sin, still real
    };
    // clang-format on
    for (const auto& r : rows) {
        DoubleProgram p = Compiled(r.text);
        EXPECT_EQ(CheckOne(p, r.text, r.x, 0), r.real) << r.text << " at " << r.x;
    }
}

TEST(DoubleRealForm, FusesAProductQuotientOrSquareWithTheAddAfterIt) {
    // Real operations for each text: a fused pair counts once, and the last operation returns the result
    // itself (an end operation reads a result that is not the last value made).
    // clang-format off
    const struct {
        const char* text;
        size_t ops;
    } rows[] = {
        {"2*x+1", 1}, {"1-2*x", 1}, {"x*2-1", 1}, {"x/4+x", 1}, {"x-1/x", 1}, {"1+x^2", 1},
        {"x^2-1", 1}, {"x*x*x", 2}, {"x^3-2*x+1", 3}, {"(x-1)*(x+1)", 3}, {"x", 1}, {"(2)(x+1)", 2},
    };
    // clang-format on
    for (const auto& r : rows) EXPECT_EQ(Compiled(r.text).RealSize(), r.ops) << r.text;
}

// ---- the circular functions --------------------------------------------------------------------------

// Arguments (in the unit that scale turns into radians) where the snapped value lies near a rounding
// boundary of the twelfth decimal, where the estimates hand over to the handler's own computation.
std::vector<double> NearTies(double (*f)(double), double scale, int want) {
    std::vector<double> xs;
    for (int i = 0; i < 4000000 && static_cast<int>(xs.size()) < want; ++i) {
        const double x = Uniform(-20, 20) / scale;
        const double h = f(x * scale) * 1e12;
        if (std::fabs(std::fabs(h - std::nearbyint(h)) - 0.5) < 1e-3) xs.push_back(x);
    }
    return xs;
}

TEST(DoubleRealForm, CircularFunctionsMatchTheHandlers) {
    using Form = bool (*)(double, double&);
    const struct {
        Form form;
        ValueFn handler;
        double (*library)(double);
    } functions[] = {{real_forms::Sin, SinValue, std::sin},
                     {real_forms::Cos, CosValue, std::cos},
                     {real_forms::Tan, TanValue, std::tan}};
    const double scales[] = {M_PI / 180, 1, M_PI / 200};  // by angle mode
    for (const auto& f : functions) {
        for (int mode : {0, 1, 2}) {
            std::vector<double> xs = NearTies(f.library, scales[mode], 300);
            EXPECT_GE(xs.size(), 100u);
            for (int i = 0; i < 20000; ++i) {
                xs.push_back(Uniform(-400, 400));
                xs.push_back(Uniform(-6e5, 6e5));
                xs.push_back(std::ldexp(Uniform(-1, 1), -static_cast<int>(Rng()() % 60)));
            }
            for (double x : kEdges) xs.push_back(x);
            SetMode(mode);
            size_t compared = 0;
            for (double x : xs) {
                double out;
                if (!f.form(x, out)) continue;
                ++compared;
                int err = 0;
                const COMPLEX v = f.handler({x, 0.0}, err);
                ASSERT_EQ(err, 0) << std::hexfloat << x << " mode " << mode;
                ASSERT_TRUE(SameBits(out, v.re))
                    << std::hexfloat << x << " mode " << mode << ": " << out << " vs " << v.re;
                ASSERT_TRUE(SameBits(v.im, 0.0));
            }
            // A real form that refused every argument would compare nothing.
            EXPECT_GT(compared, xs.size() / 2) << "mode " << mode;
        }
    }
}

// The estimates within the bounds the snapping margins are built on (4 units for sin and cos, 9 for tan).
TEST(DoubleRealForm, EstimatesStayWithinTheirBounds) {
    mpfr_t exact;
    mpfr_init2(exact, 200);
    const auto error = [&](double r, double y, int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t)) {
        mpfr_set_d(exact, r, MPFR_RNDN);
        f(exact, exact, MPFR_RNDN);
        const double t = mpfr_get_d(exact, MPFR_RNDN);
        mpfr_sub_d(exact, exact, y, MPFR_RNDN);
        return std::fabs(mpfr_get_d(exact, MPFR_RNDN) / t) / kUnit;
    };
    double worstSin = 0, worstCos = 0, worstTan = 0;
    int estimated[3] = {0, 0, 0};
    for (int i = 0; i < 60000; ++i) {
        double r;
        switch (i % 3) {
            case 0:
                r = Uniform(-0x1p19, 0x1p19);
                break;
            case 1:
                r = std::ldexp(Uniform(-1, 1), -static_cast<int>(Rng()() % 40));
                break;
            default:
                r = static_cast<double>(Rng()() % 300000) * (M_PI / 4) + Uniform(-1e-7, 1e-7);
                break;
        }
        double y;
        if (real_forms::SinEstimate(r, 0, y)) {
            ++estimated[0];
            worstSin = std::fmax(worstSin, error(r, y, mpfr_sin));
        }
        if (real_forms::SinEstimate(r, 1, y)) {
            ++estimated[1];
            worstCos = std::fmax(worstCos, error(r, y, mpfr_cos));
        }
        if (real_forms::TanEstimate(r, y)) {
            ++estimated[2];
            worstTan = std::fmax(worstTan, error(r, y, mpfr_tan));
        }
    }
    mpfr_clear(exact);
    for (int n : estimated) EXPECT_GT(n, 30000) << "estimates that always refuse would pass unchecked";
    EXPECT_LE(worstSin, 4);
    EXPECT_LE(worstCos, 4);
    EXPECT_LE(worstTan, 9);
    double y;
    EXPECT_FALSE(real_forms::TanEstimate(0x1p19, y));
    EXPECT_FALSE(real_forms::SinEstimate(kNaN, 0, y));
    EXPECT_FALSE(real_forms::SinEstimate(M_PI, 0, y));  // reduced below 2^-30
}

// ---- snapping and powers -----------------------------------------------------------------------------

TEST(DoubleRealForm, AnEstimateSettlesTheSnapOnlyWhenItMust) {
    const double rel = 0x1p-48;
    int settled = 0;
    for (int i = 0; i < 300000; ++i) {
        double v = std::ldexp(Uniform(-1, 1), static_cast<int>(Rng()() % 50) - 40);
        if (i % 3 == 0)
            v = (std::floor(Uniform(-1e6, 1e6)) + 0.5 + Uniform(-1e-3, 1e-3)) / 1e12;  // near ties
        const double y = v * (1 + Uniform(-rel, rel));
        double out;
        const int r = SnapFromEstimate(y, rel, out);
        if (r == 1) {
            ++settled;
            ASSERT_TRUE(SameBits(out, SnapTo12Decimals(v))) << std::hexfloat << v << " from " << y;
        }
    }
    EXPECT_GT(settled, 150000);
    double out;
    EXPECT_EQ(SnapFromEstimate(3000, rel, out), -1);  // beyond the quick range
    EXPECT_EQ(SnapFromEstimate(0, rel, out), -1);     // no sign to give
    EXPECT_EQ(SnapFromEstimate(0.5e-12, rel, out), 0);
}

TEST(DoubleRealForm, PowerShortcutIsOneInterval) {
    for (double b : {2.0, 3.0, 0.5, -2.0, 7.0, 100.0, 1.0 / 3, 300.0}) {
        const PowExponent p = MakePowExponent({b, 0}, true);
        double lo, hi;
        RealShortcutRange(p, lo, hi);
        for (int e = -520; e <= 520; ++e) {
            for (double f : {0.5, 0.75, std::nextafter(1.0, 0.0)}) {
                const double a = std::ldexp(f, e);
                EXPECT_EQ(TakesRealShortcut(a, p), a >= lo && a < hi) << b << " " << std::hexfloat << a;
            }
        }
    }
}

TEST(DoubleRealForm, CubesWithFusedMultiplyAddAreTheSame) {
    if (!HasFusedMultiplyAdd()) GTEST_SKIP() << "no fused multiply-add on this processor";
    for (int i = 0; i < 200000; ++i) {
        const double x = std::ldexp(Uniform(-1, 1), static_cast<int>(Rng()() % 700) - 350);
        ASSERT_TRUE(SameBits(RealCube(x), RealCubeFma(x))) << std::hexfloat << x;
    }
}

// ---- the evaluation entry ----------------------------------------------------------------------------

TEST(DoubleRealForm, LastItemIsLeftAloneWhenAlreadyThere) {
    ClearErrorCode();
    SetMode(1);
    g_lpszVariable = "x";
    fnex(2, "sin(x)");
    std::memcpy(g_chrLastItem, "sin\0garbage", 12);  // the same name, other bytes after it
    fnex(3, "sin(x)");
    EXPECT_EQ(std::memcmp(g_chrLastItem, "sin\0garbage", 12), 0);
    std::strcpy(g_chrLastItem, "sinh");
    fnex(3, "sin(x)");
    EXPECT_STREQ(g_chrLastItem, "sin");
    EXPECT_EQ(g_chrLastItem[5], '\0');  // cleared past the name
    std::strcpy(g_chrLastItem, "keep");
    fnex(3, "x");  // no handler: the name stays
    EXPECT_STREQ(g_chrLastItem, "keep");
    g_lpszVariable = nullptr;
}

}  // namespace
