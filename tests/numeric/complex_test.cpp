#include "numeric/complex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace {

using StdC = std::complex<double>;

constexpr double kPi = std::numbers::pi;
constexpr double kInf = std::numeric_limits<double>::infinity();

StdC ToStd(COMPLEX z) {
    return {z.re, z.im};
}
COMPLEX FromStd(StdC z) {
    return {z.real(), z.imag()};
}

std::string Show(COMPLEX z) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "(%.17g, %.17g)", z.re, z.im);
    return buf;
}

// Both parts within tol relative to the larger of 1 and |want|.
::testing::AssertionResult Near(COMPLEX got, COMPLEX want, double tol) {
    const double scale = std::max(1.0, std::abs(ToStd(want)));
    if (std::fabs(got.re - want.re) <= tol * scale && std::fabs(got.im - want.im) <= tol * scale)
        return ::testing::AssertionSuccess();
    char buf[160];
    std::snprintf(buf, sizeof buf, "got (%.17g, %.17g), want (%.17g, %.17g)", got.re, got.im, want.re,
                  want.im);
    return ::testing::AssertionFailure() << buf;
}

bool IsNan(COMPLEX z) {
    return z.re != z.re || z.im != z.im;
}

// Points off both axes, where no branch cut of the functions below lies, mixing |im| < 1 and >= 1.
std::vector<COMPLEX> Grid() {
    std::vector<COMPLEX> g;
    for (double re : {-2.5, -1.3, -0.7, -0.2, 0.3, 0.9, 1.6, 3.1})
        for (double im : {-2.2, -0.8, -0.35, 0.45, 1.1, 2.7}) g.push_back({re, im});
    return g;
}

using Fn = COMPLEX (*)(COMPLEX);
using RefFn = StdC (*)(StdC);

struct RefRow {
    const char* name;
    Fn fn;
    RefFn ref;
    bool rightHalfOnly;  // the reference uses another branch for re z < 0
};

const RefRow kRefRows[] = {
    {"sin", complex_sin, [](StdC z) { return std::sin(z); }, false},
    {"cos", complex_cos, [](StdC z) { return std::cos(z); }, false},
    {"tan", complex_tan, [](StdC z) { return std::tan(z); }, false},
    {"cot", complex_cot, [](StdC z) { return 1.0 / std::tan(z); }, false},
    {"sec", complex_sec, [](StdC z) { return 1.0 / std::cos(z); }, false},
    {"csc", complex_csc, [](StdC z) { return 1.0 / std::sin(z); }, false},
    {"sinh", complex_sinh, [](StdC z) { return std::sinh(z); }, false},
    {"cosh", complex_cosh, [](StdC z) { return std::cosh(z); }, false},
    {"tanh", complex_tanh, [](StdC z) { return std::tanh(z); }, false},
    {"csch", complex_csch, [](StdC z) { return 1.0 / std::sinh(z); }, false},
    {"sech", complex_sech, [](StdC z) { return 1.0 / std::cosh(z); }, false},
    {"coth", complex_coth, [](StdC z) { return 1.0 / std::tanh(z); }, false},
    {"exp", complex_exp, [](StdC z) { return std::exp(z); }, false},
    {"log", complex_log, [](StdC z) { return std::log(z); }, false},
    {"log10", complex_log10, [](StdC z) { return std::log10(z); }, false},
    {"sqrt", complex_sqrt, [](StdC z) { return std::sqrt(z); }, false},
    {"inverse", complex_inverse, [](StdC z) { return 1.0 / z; }, false},
    {"arcsin", complex_arcsin, [](StdC z) { return std::asin(z); }, false},
    {"arccos", complex_arccos, [](StdC z) { return std::acos(z); }, false},
    {"arctan", complex_arctan, [](StdC z) { return std::atan(z); }, false},
    {"arcsec", complex_arcsec, [](StdC z) { return std::acos(1.0 / z); }, false},
    {"arccsc", complex_arccsc, [](StdC z) { return std::asin(1.0 / z); }, false},
    {"arccot", complex_arccot, [](StdC z) { return std::atan(1.0 / z); }, false},
    {"arcsinh", complex_arcsinh, [](StdC z) { return std::asinh(z); }, false},
    {"arccosh", complex_arccosh, [](StdC z) { return std::acosh(z); }, true},
    {"arctanh", complex_arctanh, [](StdC z) { return std::atanh(z); }, false},
    {"arcsech", complex_arcsech, [](StdC z) { return std::acosh(1.0 / z); }, true},
    {"arccsch", complex_arccsch, [](StdC z) { return std::asinh(1.0 / z); }, false},
    {"arccoth", complex_arccoth, [](StdC z) { return std::atanh(1.0 / z); }, false},
};

TEST(Complex, AgreesWithStandardLibraryOffTheAxes) {
    for (const RefRow& row : kRefRows) {
        for (COMPLEX z : Grid()) {
            if (row.rightHalfOnly && z.re < 0) continue;
            EXPECT_TRUE(Near(row.fn(z), FromStd(row.ref(ToStd(z))), 1e-13)) << row.name << Show(z);
        }
    }
}

TEST(Complex, ArccoshOfLeftHalfIsTheNegatedBranch) {
    // The formula log(z + sqrt(z^2 - 1)) takes the other sheet for re z < 0; callers see e.g. -1.317 + i pi
    // for -2, which still inverts cosh.
    for (COMPLEX z : Grid()) {
        if (z.re >= 0) continue;
        const COMPLEX got = complex_arccosh(z);
        EXPECT_LT(got.re, 0) << Show(z);
        EXPECT_TRUE(Near(complex_cosh(got), z, 1e-12)) << Show(z);
    }
    // The imaginary part is +-pi: the sign comes from rounding noise of the squaring.
    const COMPLEX m2 = complex_arccosh({-2, 0});
    EXPECT_NEAR(m2.re, -std::acosh(2.0), 1e-14);
    EXPECT_NEAR(std::fabs(m2.im), kPi, 1e-14);
}

struct InverseRow {
    const char* name;
    Fn forward;
    Fn inverse;
};

const InverseRow kInverseRows[] = {
    {"sin", complex_sin, complex_arcsin},    {"cos", complex_cos, complex_arccos},
    {"tan", complex_tan, complex_arctan},    {"sec", complex_sec, complex_arcsec},
    {"csc", complex_csc, complex_arccsc},    {"cot", complex_cot, complex_arccot},
    {"sinh", complex_sinh, complex_arcsinh}, {"cosh", complex_cosh, complex_arccosh},
    {"tanh", complex_tanh, complex_arctanh}, {"sech", complex_sech, complex_arcsech},
    {"csch", complex_csch, complex_arccsch}, {"coth", complex_coth, complex_arccoth},
    {"exp", complex_exp, complex_log},
};

TEST(Complex, ForwardOfInverseReturnsTheArgument) {
    std::vector<COMPLEX> points = Grid();
    // Real points, inside and outside [-1, 1], where Round and the branch choices matter most.
    for (double x : {-3.5, -1.5, -0.6, 0.25, 0.8, 1.7, 4.0}) points.push_back({x, 0});
    for (double y : {-3.0, -0.5, 0.7, 2.0}) points.push_back({0, y});
    for (const InverseRow& row : kInverseRows)
        for (COMPLEX z : points)
            EXPECT_TRUE(Near(row.forward(row.inverse(z)), z, 1e-12)) << row.name << Show(z);
}

TEST(Complex, SqrtSquaredIsTheArgumentWithRootInRightHalfPlane) {
    std::vector<COMPLEX> points = Grid();
    for (COMPLEX z : {COMPLEX{-4, 0}, COMPLEX{4, 0}, COMPLEX{0, 9}, COMPLEX{0, -9}, COMPLEX{1e300, 1e300},
                      COMPLEX{-1e-300, 1e-310}, COMPLEX{3, -1e-20}})
        points.push_back(z);
    for (COMPLEX z : points) {
        const COMPLEX r = complex_sqrt(z);
        EXPECT_GE(r.re, 0) << Show(z);
        const COMPLEX sq = {r.re * r.re - r.im * r.im, 2 * r.re * r.im};
        const double scale = complex_abs(z);
        EXPECT_NEAR(sq.re, z.re, 1e-15 * scale) << Show(z);
        EXPECT_NEAR(sq.im, z.im, 1e-15 * scale) << Show(z);
    }
}

TEST(Complex, ExactSpecialValues) {
    struct Row {
        const char* what;
        COMPLEX got;
        COMPLEX want;
    };
    const Row rows[] = {
        {"0^0 is 0", complex_pow({0, 0}, {0, 0}), {0, 0}},
        {"0^(2+3i) is 0", complex_pow({0, 0}, {2, 3}), {0, 0}},
        {"sqrt(-4)", complex_sqrt({-4, 0}), {0, 2}},
        {"sqrt(0)", complex_sqrt({0, 0}), {0, 0}},
        {"tanh 800", complex_tanh({800, 0}), {1, 0}},
        {"tanh 800 + tiny i", complex_tanh({800, 1e-13}), {1, 0}},
        {"tanh -800", complex_tanh({-800, 0}), {-1, 0}},
        {"tanh +inf", complex_tanh({kInf, 0}), {1, 0}},
        {"arccot 0", complex_arccot({0, 0}), {kPi / 2, 0}},
        {"arccoth 0", complex_arccoth({0, 0}), {0, kPi / 2}},
        {"Round snaps noise", Round({1, 1e-17}), {1, 0}},
        {"Round snaps real noise", Round({-1e-17, 2}), {0, 2}},
        {"Round keeps large values", Round({1e12, 1e-5}), {1e12, 1e-5}},
        {"Round keeps what is not noise", Round({1, 1e-15}), {1, 1e-15}},
        {"sin of a real is real", complex_sin({2, 0}), {std::sin(2.0), 0}},
        {"cosh of a real is real", complex_cosh({2, 0}), {std::cosh(2.0), 0}},
        {"arcsin 0.5 is real", complex_arcsin({0.5, 0}), {kPi / 6, 0}},
        {"arctan 1 is real", complex_arctan({1, 0}), {kPi / 4, 0}},
        // Limit cases far out on the axes, returned without the general formulas.
        {"arcsin +inf", complex_arcsin({kInf, 1e-13}), {kPi / 2, -kInf}},
        {"arccos -1e8", complex_arccos({-1e8, 0}), {kPi, -std::log(2e8)}},
        {"arcsinh -1e8", complex_arcsinh({-1e8, 0}), {-std::log(2e8), 0}},
        {"arctan +inf i", complex_arctan({0, kInf}), {-kPi / 2, 0}},
        {"arctanh +inf", complex_arctanh({kInf, 0}), {0, -kPi / 2}},
        {"arccosh -inf i", complex_arccosh({0, -kInf}), {-kInf, kPi / 2}},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.got.re, r.want.re) << r.what;
        EXPECT_EQ(r.got.im, r.want.im) << r.what;
    }
}

TEST(Complex, NearSpecialValues) {
    EXPECT_TRUE(Near(complex_arcsec({2, 0}), {kPi / 3, 0}, 1e-15));
    EXPECT_TRUE(Near(complex_arcsec({2, 0}), complex_arccos({0.5, 0}), 1e-15));
    EXPECT_TRUE(Near(complex_arccosh({-1e8, 0}), {-std::log(2e8), kPi}, 1e-15));
    const COMPLEX r = complex_sqrt({-4, -4});
    EXPECT_LT(r.im, 0);
    EXPECT_TRUE(Near(r, FromStd(std::sqrt(StdC(-4, -4))), 1e-15));
    // Squares of negative reals stay real, so the end points of the real domains come out right.
    EXPECT_TRUE(Near(complex_arcsin({-1, 0}), {-kPi / 2, 0}, 1e-15));
    EXPECT_TRUE(Near(complex_arccos({-1, 0}), {kPi, 0}, 1e-15));
    EXPECT_LT(std::fabs(complex_arcsinh({-3, 0}).im), 1e-15);
    EXPECT_DOUBLE_EQ(logex(1e-20), 1e-20);  // 1 + x rounds to 1; the correction restores x
    EXPECT_DOUBLE_EQ(logabs({1e300, 1e300}), std::log(1e300) + 0.5 * std::log(2.0));
}

TEST(Complex, InverseFunctionsOfRealsInsideTheirDomainAreReal) {
    struct Row {
        const char* name;
        Fn fn;
        double (*ref)(double);
        double lo, hi;  // open interval of real arguments with real results
    };
    const Row rows[] = {
        {"arcsin", complex_arcsin, [](double x) { return std::asin(x); }, -1, 1},
        {"arccos", complex_arccos, [](double x) { return std::acos(x); }, -1, 1},
        {"arctan", complex_arctan, [](double x) { return std::atan(x); }, -50, 50},
        {"arcsinh", complex_arcsinh, [](double x) { return std::asinh(x); }, -50, 50},
        {"arccosh", complex_arccosh, [](double x) { return std::acosh(x); }, 1, 50},
        {"arctanh", complex_arctanh, [](double x) { return std::atanh(x); }, -1, 1},
    };
    for (const Row& row : rows) {
        for (int k = 1; k < 40; ++k) {
            const double x = row.lo + (row.hi - row.lo) * k / 40;
            const COMPLEX got = row.fn({x, 0});
            const double want = row.ref(x);
            const double tol = 1e-12 * std::max(1.0, std::fabs(want));
            EXPECT_NEAR(got.re, want, tol) << row.name << "(" << x << ")";
            EXPECT_NEAR(got.im, 0, tol) << row.name << "(" << x << ")";
        }
    }
}

TEST(Complex, BranchesOnTheAxesContinueIntoTheLimitCases) {
    // Outside the real domains the general formulas must pick the same side of each branch cut as the
    // limit-case tables do further out; a slip shows up as a flipped sign here.
    const double ac = std::acosh(10.0);
    const double as = std::asinh(10.0);
    const double ah = 0.5 * std::log(11.0 / 9.0);
    struct Row {
        const char* name;
        Fn fn;
        COMPLEX z;
        COMPLEX want;
    };
    const Row rows[] = {
        {"arcsin", complex_arcsin, {10, 0}, {kPi / 2, -ac}},
        {"arcsin", complex_arcsin, {-10, 0}, {-kPi / 2, ac}},
        {"arcsin", complex_arcsin, {0, 10}, {0, as}},
        {"arcsin", complex_arcsin, {0, -10}, {0, -as}},
        {"arccos", complex_arccos, {10, 0}, {0, ac}},
        {"arccos", complex_arccos, {-10, 0}, {kPi, -ac}},
        {"arccos", complex_arccos, {0, 10}, {kPi / 2, -as}},
        {"arccos", complex_arccos, {0, -10}, {kPi / 2, as}},
        {"arctan", complex_arctan, {0, 10}, {-kPi / 2, ah}},
        {"arctan", complex_arctan, {0, -10}, {kPi / 2, -ah}},
        {"arcsinh", complex_arcsinh, {-10, 0}, {-as, 0}},
        {"arcsinh", complex_arcsinh, {0, 10}, {ac, kPi / 2}},
        {"arcsinh", complex_arcsinh, {0, -10}, {ac, -kPi / 2}},
        {"arccosh", complex_arccosh, {0, 10}, {as, kPi / 2}},
        {"arctanh", complex_arctanh, {10, 0}, {ah, -kPi / 2}},
        {"arctanh", complex_arctanh, {-10, 0}, {-ah, kPi / 2}},
        {"arctanh", complex_arctanh, {0, 10}, {0, std::atan(10.0)}},
    };
    for (const Row& r : rows) EXPECT_TRUE(Near(r.fn(r.z), r.want, 1e-12)) << r.name << Show(r.z);
}

TEST(Complex, DomainViolationsGiveNonNumbers) {
    EXPECT_TRUE(IsNan(complex_inverse({0, 0})));
    EXPECT_TRUE(IsNan(complex_div({1, 0}, {0, 0})));
    EXPECT_TRUE(std::isnan(logabs({0, 0})));
    const COMPLEX l = complex_log({0, 0});
    EXPECT_TRUE(std::isnan(l.re));
    EXPECT_EQ(l.im, 0);
    // Overflowing sinh and cosh are not rescued away from the real axis.
    EXPECT_TRUE(IsNan(complex_tanh({800, 0.5})));
    EXPECT_TRUE(IsNan(complex_arctanh({1, 0})));
}

TEST(Complex, TanStaysFiniteFarFromTheRealAxis) {
    EXPECT_TRUE(Near(complex_tan({0.3, 400}), {0, 1}, 1e-15));
    EXPECT_TRUE(Near(complex_tan({0.3, -400}), {0, -1}, 1e-15));
    // Both sides of the |im| = 1 switch between the two formulas.
    for (double y : {0.999999, 1.0, 1.000001, -1.0})
        EXPECT_TRUE(Near(complex_tan({0.7, y}), FromStd(std::tan(StdC(0.7, y))), 1e-14)) << y;
}

}  // namespace
