// Handlers of the double-precision family, through the evaluation and called directly.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <random>
#include <string>

#include "engine/eval/double_rounding.h"
#include "engine/eval/evaluate.h"
#include "engine/eval/handlers.h"
#include "eval_helpers.h"
#include "numeric/radix.h"

using testutil::Dbl;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kExact = -1;  // tolerance marker: the value must be met exactly

struct Row {
    const char* text;
    int mode;
    int err;
    double re, im;
    double tolerance = kExact;
};

void Check(const Row& r) {
    SCOPED_TRACE(std::string(r.text) + " mode " + std::to_string(r.mode));
    const auto d = Dbl(r.text, r.mode);
    ASSERT_EQ(d.err, r.err);
    if (r.err != 0) return;
    if (r.tolerance == kExact) {
        EXPECT_EQ(d.v.re, r.re);
        EXPECT_EQ(d.v.im, r.im);
    } else {
        EXPECT_NEAR(d.v.re, r.re, r.tolerance);
        EXPECT_NEAR(d.v.im, r.im, r.tolerance);
    }
}

TEST(DoubleHandlers, CircularSnappingAndPoles) {
    const Row rows[] = {
        {"sin(30)", 0, 0, 0.5, 0},  // 0.49999999999999994 before rounding to 12 decimals
        {"sin(180)", 0, 0, 0, 0},
        {"cos(90)", 0, 0, 0, 0},
        {"tan(45)", 0, 0, 1, 0},
        {"tan(90)", 0, -21, 0, 0},
        {"tan(270)", 0, -21, 0, 0},
        {"tan(-90)", 0, -21, 0, 0},
        {"tan(180)", 0, 0, 0, 0},    // even multiples are no poles
        {"tan(100)", 2, -21, 0, 0},  // 100 grad
        {"tan(pi/2)", 1, -21, 0, 0},
        {"sec(270)", 0, -27, 0, 0},
        {"sec(60)", 0, 0, 2, 0},
        {"csc(0)", 0, -28, 0, 0},
        {"csc(180)", 0, -28, 0, 0},
        {"csc(30)", 0, 0, 2, 0},
        {"ctan(45)", 0, 0, 1, 0, 1e-15},  // cotangent: not rounded
        {"sin(100)", 2, 0, 1, 0},
        {"sin(pi/6)", 1, 0, 0.5, 0},
        {"asin(1)", 0, 0, 90, 0},
        {"asin(1)", 2, 0, 100, 0, 1e-13},
        {"acos(0.5)", 0, 0, 60, 0, 1e-12},
        {"atan(1)", 1, 0, std::atan(1.0), 0},
        {"acot(0)", 0, 0, 90, 0},  // the library's limit, converted
        {"asec(2)", 0, 0, 60, 0, 1e-12},
        {"acsc(2)", 0, 0, 30, 0, 1e-12},
        // A real argument keeps the mode: the complex result's real part is converted.
        {"asin(2)", 0, 0, 90, -1.3169578969248166, 1e-12},
    };
    for (const Row& r : rows) Check(r);
    Dbl("asin(2)", 0);
    EXPECT_EQ(g_Mode, 0);
    // A complex argument is taken in radians and switches the mode for the rest of the calculation.
    const auto d = Dbl("sin(i)+sin(90)", 0);
    EXPECT_EQ(g_Mode, 1);
    EXPECT_NEAR(d.v.re, std::sin(90.0), 1e-12);
    EXPECT_NEAR(d.v.im, std::sinh(1.0), 1e-12);
}

TEST(DoubleHandlers, HyperbolicTakeNoAngleUnit) {
    const Row rows[] = {
        {"sinh(90)", 0, 0, std::sinh(90.0), 0, 1e25},
        {"cosh(0)", 0, 0, 1, 0},
        {"tanh(1)", 0, 0, std::tanh(1.0), 0, 1e-15},
        {"ctanh(1)", 0, 0, 1 / std::tanh(1.0), 0, 1e-15},
        {"sech(0)", 0, 0, 1, 0},
        {"csch(0)", 0, -30, 0, 0},  // 1/0: not a number
        {"asinh(1)", 0, 0, std::asinh(1.0), 0, 1e-15},
        {"acosh(1)", 0, 0, 0, 0},
        {"atanh(0.5)", 2, 0, std::atanh(0.5), 0, 1e-15},
        {"acoth(2)", 0, 0, std::atanh(0.5), 0, 1e-15},
        {"asech(1)", 0, 0, 0, 0},
        {"acsch(1)", 0, 0, std::asinh(1.0), 0, 1e-15},
        {"acsch(1)", 2, 0, std::asinh(1.0), 0, 1e-15},
    };
    for (const Row& r : rows) Check(r);
    // Every hyperbolic word gives the same plain number in the three angle modes and leaves the mode alone.
    const struct {
        const char* text;
        double want;
    } words[] = {
        {"sinh(1)", std::sinh(1.0)},      {"cosh(2)", std::cosh(2.0)},     {"tanh(0.5)", std::tanh(0.5)},
        {"ctanh(2)", 1 / std::tanh(2.0)}, {"sech(2)", 1 / std::cosh(2.0)}, {"csch(3)", 1 / std::sinh(3.0)},
        {"asinh(1)", std::asinh(1.0)},    {"acosh(2)", std::acosh(2.0)},   {"atanh(0.5)", std::atanh(0.5)},
        {"acoth(2)", std::atanh(0.5)},    {"asech(0.5)", std::acosh(2.0)}, {"acsch(0.5)", std::asinh(2.0)},
    };
    for (const auto& w : words) {
        for (int mode : {0, 1, 2}) {
            SCOPED_TRACE(std::string(w.text) + " mode " + std::to_string(mode));
            const auto d = Dbl(w.text, mode);
            ASSERT_EQ(d.err, 0);
            EXPECT_EQ(g_Mode, mode);
            EXPECT_NEAR(d.v.re, w.want, 4e-16 * std::fabs(w.want));
            EXPECT_EQ(d.v.im, 0);
        }
    }
}

TEST(DoubleHandlers, PowersRootsAndFactorials) {
    const Row rows[] = {
        {"0^0", 1, 0, 1, 0},  // the zero exponent is tested first
        {"5^0", 1, 0, 1, 0},
        {"2^10", 1, 0, 1024, 0, 1e-11},  // 2^(1/(1/10)): the power runs as a root, a few ulps off
        {"10^200", 1, -7, 0, 0},         // 200 ln 10 >= 305
        {"10^(0-200)", 1, -7, 0, 0},     // |b| is used
        {"0.1^200", 1, 0, 1e-200, 0, 1e-210},
        {"2^0.5", 1, 0, std::sqrt(2.0), 0, 1e-15},
        {"(0-8)^(1/3)", 1, 0, 1, std::sqrt(3.0), 1e-14},  // principal value
        {"3 root 8", 1, 0, 2, 0, 1e-15},
        {"2 root (0-4)", 1, 0, 0, 2, 1e-15},
        {"2 EXP 3", 1, 0, 2000, 0, 1e-9},
        {"170!", 1, 0, 7.257415615307994e306, 0, 1e292},
        {"171!", 1, -7, 0, 0},
        {"0!", 1, 0, 1, 0},
        {"3.5!", 1, -53, 0, 0},
        {"(0-1)!", 1, -7, 0, 0},
        {"i!", 1, -54, 0, 0},
        {"50%", 1, 0, 0.5, 0},
        {"i%", 1, -54, 0, 0},
        {"sqrt(0-4)", 1, 0, 0, 2},
        {"ln(0-1)", 1, 0, 0, M_PI},
        {"log(100)", 1, 0, 2, 0},
        {"abs(3+4*i)", 1, 0, 5, 0},
    };
    for (const Row& r : rows) Check(r);
    const auto d = Dbl("ln(0)", 1);  // the logarithms have no test: a non-number passes
    EXPECT_EQ(d.err, 0);
    EXPECT_NE(d.v.re, d.v.re);
}

TEST(DoubleHandlers, BitwiseWithinTheWordWidth) {
    const struct {
        const char* text;
        int width;
        int err;
        double value;
    } rows[] = {
        {"5 nand 3", 8, 0, 254},
        {"0 nand 0", 16, 0, 65535},
        {"0 nand 0", 32, 0, 4294967295.0},
        {"0 nor 0", 64, 0, 18446744073709551615.0},
        {"1 shl 8", 8, 0, 0},
        {"1 shl 7", 8, 0, 128},
        {"1 shl 15", 16, 0, 32768},
        {"1 shl 16", 16, 0, 0},
        {"1 shl 31", 32, 0, 2147483648.0},
        {"128 shr 7", 8, 0, 1},
        {"129 rtl 1", 8, 0, 3},
        {"1 rtr 1", 8, 0, 128},
        {"1 rtr 1", 16, 0, 32768},
        {"(0-1) and 1", 8, 0, 1},  // signed 32-bit and
        {"(0-1) or 2", 8, 0, -1},
        {"6 xor 3", 8, 0, 5},
        {"4294967040 and 255", 32, 0, 0},  // unsigned 32-bit patterns keep their bits
        {"2.5 and 1", 8, -53, 0},
        {"i and 1", 8, -54, 0},
        {"1 shl 1.5", 8, -53, 0},
        {"(0-7) mod 3", 8, 0, 1},  // |a| mod |b|
        {"7 mod (0-3)", 8, 0, 1},
        {"7 mod 0", 8, -5, 0},
        {"7.5 mod 2", 8, -53, 0},
        {"-7 mod 3", 8, 0, -1},  // the text negates 7 mod 3
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.text) + " width " + std::to_string(r.width));
        g_BitWidth = r.width;
        const auto d = Dbl(r.text, 1);
        EXPECT_EQ(d.err, r.err);
        if (r.err == 0) {
            EXPECT_EQ(d.v.re, r.value);
        }
    }
    g_BitWidth = 8;
}

// Squares and cubes of positive reals come out correctly rounded (the real power of the root shortcut
// multiplies them out); other exponents use pow.
TEST(DoubleHandlers, SquaresAndCubesAreCorrectlyRounded) {
    std::mt19937_64 rng(3);
    mpfr_t exact;
    mpfr_init2(exact, 200);
    int checked = 0;
    for (int k = 0; k < 20000; ++k) {
        const double x = std::ldexp(1 + std::generate_canonical<double, 53>(rng),
                                    static_cast<int>(rng() % 400) - 300);  // 3 ln x < 305
        for (unsigned n : {2u, 3u}) {
            const auto d = Dbl(n == 2 ? "x^2" : "x^3", 1, "x", x);
            ASSERT_EQ(d.err, 0);
            mpfr_set_d(exact, x, MPFR_RNDN);
            mpfr_pow_ui(exact, exact, n, MPFR_RNDN);  // exact at 200 bits
            ASSERT_EQ(d.v.re, mpfr_get_d(exact, MPFR_RNDN)) << std::hexfloat << x << "^" << n;
            ASSERT_EQ(d.v.im, 0);
            ++checked;
        }
    }
    mpfr_clear(exact);
    EXPECT_EQ(checked, 40000);
    EXPECT_EQ(Dbl("x^4", 1, "x", 1.1).v.re, std::pow(1.1, 4.0));
}

// Words the tokenizer does not pass (the RPN machine's commands), and the handler contract itself.
struct Out {
    COMPLEX v;
    int err;
    long n;
};

Out Call(HandlerFn<COMPLEX> h, std::initializer_list<COMPLEX> values, long base = 0) {
    ClearErrorCode();
    COMPLEX s[4] = {};
    long n = 0;
    for (COMPLEX v : values) s[n++] = v;
    h(s, n, base);
    return {n > 0 ? s[n - 1] : COMPLEX{0, 0}, GetErrorCode(), n};
}

TEST(DoubleHandlers, ComplementsAndTheContract) {
    g_BitWidth = 8;
    EXPECT_EQ(Call(Not, {{0, 0}}).v.re, 255);
    EXPECT_EQ(Call(cpl, {{1, 0}}).v.re, 255);
    EXPECT_EQ(Call(cpl, {{0, 0}}).v.re, 0);
    EXPECT_EQ(Call(Not, {{-5, 0}}).v.re, 255);  // negative values count as 0
    EXPECT_EQ(Call(Not, {{0, 1}}).err, -54);
    g_BitWidth = 16;
    EXPECT_EQ(Call(Not, {{0, 0}}).v.re, 65535);
    g_BitWidth = 12;  // no such width: no result
    EXPECT_EQ(Call(Not, {{0, 0}}).v.re, 0);
    g_BitWidth = 8;
    EXPECT_EQ(Call(iroot, {{8, 0}, {3, 0}}).v.re, 2);  // a iroot b: the b-th root of a

    // Too few values in the group: -1 and nothing changes.
    Out o = Call(Add, {{1, 0}, {2, 0}}, 1);
    EXPECT_EQ(o.err, -1);
    EXPECT_EQ(o.n, 2);
    o = Call(Sin, {{1, 0}}, 1);
    EXPECT_EQ(o.err, -1);
    EXPECT_EQ(o.v.re, 1);
    o = Call(Sub, {{1, 0}, {2, 0}}, 1);  // one value in the group: negation
    EXPECT_EQ(o.err, 0);
    EXPECT_EQ(o.n, 2);
    EXPECT_EQ(o.v.re, -2);
    o = Call(Sub, {{5, 0}, {2, 0}});
    EXPECT_EQ(o.n, 1);
    EXPECT_EQ(o.v.re, 3);
    EXPECT_EQ(Call(Div, {{1, 0}, {0, 0}}).err, -5);
    EXPECT_EQ(Call(Sqrt, {{kNaN, 0}}).err, -4);
    EXPECT_EQ(Call(Abs, {{kNaN, 0}}).err, -57);
}

// The fast forms of the rounding rules against the printing and reading they stand for.
TEST(DoubleRounding, MatchesTheTextRoundTrip) {
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> unit(-1, 1);
    std::uniform_int_distribution<int> scale(-20, 14);
    std::vector<double> xs = {
        0.0,      -0.0,        0.5e-12, -0.5e-12, 0x1p-13,
        -0x1p-13, 3 * 0x1p-14, 0x1p-40, 1.0,      4503.599627370495,
        4503.6,   1e15,        1e300,   kNaN,     std::numeric_limits<double>::infinity()};
    for (int i = 0; i < 20000; ++i) xs.push_back(unit(rng) * std::pow(10.0, scale(rng)));
    // Around the ends of the quick range (x 1e12 below 2^51) and of the exact one (below 2^52).
    for (double edge : {2251.799813685248, 4503.599627370496}) {
        for (int i = -40; i <= 40; ++i) {
            xs.push_back(edge + i * 1e-10);
            xs.push_back(-(edge + i * 1e-10));
        }
        for (int i = 0; i < 2000; ++i) xs.push_back(edge * (1 + unit(rng) * 1e-3));
    }
    // Ties of twelve decimals on the exact binary value: k / 2 * 1e-12 exactly representable.
    for (int k = 1; k < 2000; k += 2) xs.push_back(std::ldexp(k, -13));
    char text[512];
    for (double x : xs) {
        std::snprintf(text, sizeof text, "%.12lf", x);
        const double want = std::atof(text);
        const double got = SnapTo12Decimals(x);
        if (want != want) {
            EXPECT_NE(got, got) << x;
        } else {
            EXPECT_EQ(got, want) << std::hexfloat << x;
            EXPECT_EQ(std::signbit(got), std::signbit(want)) << std::hexfloat << x;
        }
    }
    // The pole test near and at integers, on both sides of its fast ranges.
    std::vector<double> qs = {0,   1,   2,   3,       449.9999999999999, 450,          450.5,
                              511, 512, 513, 1e9 + 1, 2147483647.0,      2147483649.0, 1e17 + 1,
                              kNaN};
    for (int k = 0; k < 600; ++k) {
        for (double d : {0.0, 1e-14, -1e-14, 4.9e-14, -4.9e-14, 5.1e-14, 1e-12}) qs.push_back(k + d);
        qs.push_back(std::nextafter(static_cast<double>(k), 1e9));
        qs.push_back(std::nextafter(static_cast<double>(k), -1.0));
    }
    for (double q : qs) {
        if (q < 0) continue;
        for (bool odd : {true, false}) {
            std::snprintf(text, sizeof text, "%.0lf", q);
            const int n = std::atoi(text);
            std::snprintf(text, sizeof text, "%.13lf", q);
            const double v = std::atof(text);
            EXPECT_EQ(IsPoleQuotient(q, odd), v == n && (!odd || n % 2 != 0)) << std::hexfloat << q;
        }
    }
}

}  // namespace
