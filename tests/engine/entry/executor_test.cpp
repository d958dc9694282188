// The function-call executor and the numeric calculus, through the engine entry as the calculator uses
// them.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "engine/entry/expr_eval.h"
#include "engine/eval/evaluate.h"
#include "numeric/errors.h"
#include "numeric/radix.h"

namespace {

struct Result {
    double value = 0;
    int err = 0;
};

Result Calc(const std::string& text, int radix = 10) {
    ClearErrorCode();
    SetMode(0);
    testing::internal::CaptureStdout();  // library messages of failing cases
    REG r = ExprEval(text.c_str(), 0, radix);
    testing::internal::GetCapturedStdout();
    Result out;
    out.err = GetErrorCode();
    qtoe(r.re, &out.value);
    ClearErrorCode();
    return out;
}

struct Row {
    const char* text;
    double want;  // ignored when err != 0
    int err;
    double tol = 1e-9;  // relative
};

void CheckRows(const std::vector<Row>& rows) {
    for (const Row& r : rows) {
        Result got = Calc(r.text);
        EXPECT_EQ(got.err, r.err) << r.text;
        if (r.err == 0 && got.err == 0) {
            EXPECT_NEAR(got.value, r.want, r.tol * std::max(1.0, std::fabs(r.want))) << r.text;
        }
    }
}

TEST(Executor, IntegerFunctions) {
    CheckRows({
        {"gcd(12,18,27)", 3, 0},
        {"gcd(12)", 0, -8},
        {"gcd(2.5,5)", 0, -11},
        {"gcd(-12,18)", 6, 0},
        {"lcm(4,6)", 12, 0},
        {"lcm(4,6,10)", 60, 0},
        {"lcm(4.5,6)", 0, -35},
        {"fib(0)", 0, 0},
        {"fib(1)", 1, 0},
        {"fib(10)", 55, 0},
        {"fib(1023)", 2.7851e213, 0, 1e-4},
        {"fib(1024)", 0, -7},
        {"fib(-1)", 0, -53},
        {"fib(2.5)", 0, -53},
        {"fib(1e28)", 0, -53},  // far outside int32: rejected, not converted
        {"fib(-3e12)", 0, -53},
        {"npr(5,2)", 20, 0},
        {"ncr(5,2)", 10, 0},
        {"npr(5,5)", 0, -50},
        {"ncr(5,0)", 0, -50},
        {"ncr(5,2.5)", 0, -11},
        {"ncr(1e28,2)", 0, -11},
        {"npr(5,-1e30)", 0, -11},
        {"ncr(30,15)", 155117520, 0},
        {"ncr(2000,2)", 1999000, 0},  // n! overflows even the extended range; the k factors do not
        {"npr(2000,2)", 3998000, 0},
        {"ncr(1e9,2)", 499999999500000000.0, 0, 0},
        {"ncr(100000,50000)", 0, -7},  // about 1e30101: beyond the extended range
        {"npr(2000,1999)", 0, -7},
        {"module(5)", 0, 0},
        {"module()", 0, -8},
        {"gcd(1+2*i,3)", 0, -54},
        {"gcd(sqrt(-1),3)", 0, -54},
        {"gcd(fib(5),10)", 5, 0},  // calls nested in arguments
    });
}

TEST(Executor, RandomNumbersStayInTheirInterval) {
    srand(7);
    for (int i = 0; i < 50; ++i) {
        Result a = Calc("ran(3,1)"), b = Calc("ran(1,3)");
        EXPECT_EQ(a.err, 0);
        EXPECT_GE(a.value, 1);
        EXPECT_LE(a.value, 3);
        EXPECT_GE(b.value, 1);
        EXPECT_LE(b.value, 3);
    }
    EXPECT_EQ(Calc("ran(1)").err, -8);
}

TEST(Executor, ComplementsWithinTheBitWidth) {
    struct W {
        const char* text;
        int radix, width;
        double want;
    };
    const W rows[] = {
        {"not(5)", 10, 8, 250},           {"cpl(1)", 10, 8, 255}, {"cpl(1)", 10, 16, 65535},
        {"not(0)", 10, 32, 4294967295.0}, {"not(F0)", 16, 8, 15}, {"not(7)", 10, 24, 7},  // unknown width
    };
    for (const W& r : rows) {
        g_BitWidth = r.width;
        std::string t = r.text;
        ClearErrorCode();
        ASSERT_EQ(ExprStandardize(t, r.radix), 1) << r.text;
        if (r.radix == 10) {
            EXPECT_EQ(Calc(r.text, 10).value, r.want) << r.text << " w" << r.width;
        }
    }
    g_BitWidth = 8;
    std::string t = "not(F0)";
    ClearErrorCode();
    ASSERT_EQ(ExprStandardize(t, 16), 1);
    EXPECT_EQ(t, "0F");  // 15 in two hexadecimal digits
    EXPECT_EQ(Calc("not(2.5)").err, -53);
}

TEST(Executor, StatisticsOverTheList) {
    const double list[] = {1, 2, 2, 3, 7};
    SetRegister(29, 5, 1, list);
    CheckRows({
        {"sum(X)", 15, 0},
        {"ssq(X)", 67, 0},
        {"avg(X)", 3, 0},
        {"median(X)", 2, 0},
        {"md(X)", 2, 0},
        {"min(X)", 1, 0},
        {"max(X)", 7, 0},
        {"N(X)", 5, 0},
        {"ssd(X)", std::sqrt(5.5), 0},
        {"sdv(X)", std::sqrt(4.4), 0},
        {"avd(X)", 1.6, 0},
        {"dsq(X)", 22, 0},
        {"gm(X)", std::pow(84.0, 0.2), 0},
    });
    // Spread of data far from zero: the one-pass formula cancels to 0 here (exact: sqrt(2/3) and 1; with the
    // offset 1e9, sqrt(22.5) and sqrt(30)).
    const double offset[] = {100000001, 100000002, 100000003};
    SetRegister(29, 3, 1, offset);
    CheckRows({
        {"sdv(X)", 0.81649658092772603273, 0, 1e-15},
        {"ssd(X)", 1, 0, 1e-15},
    });
    const double far[] = {1e9 + 4, 1e9 + 7, 1e9 + 13, 1e9 + 16};
    SetRegister(29, 4, 1, far);
    CheckRows({
        {"sdv(X)", std::sqrt(22.5), 0, 1e-15},
        {"ssd(X)", std::sqrt(30.0), 0, 1e-15},
    });
    const double pair[] = {2, -8};
    SetRegister(29, 2, 1, pair);
    EXPECT_EQ(Calc("gm(X)").err, -4);
    EXPECT_DOUBLE_EQ(Calc("median(X)").value, -3);
    const double one[] = {-8};
    SetRegister(29, 1, 1, one);
    EXPECT_DOUBLE_EQ(Calc("gm(X)").value, -8);
    EXPECT_EQ(Calc("ssd(X)").err, -5);
    const double three[] = {-2, 4, 1};
    SetRegister(29, 3, 1, three);
    EXPECT_NEAR(Calc("gm(X)").value, -2, 1e-12);  // the real cube root of -8
    const double grid[] = {1, 2, 3, 4};
    SetRegister(29, 2, 2, grid);
    EXPECT_EQ(Calc("sum(X)").err, -49);
    SetRegister(29, 0, 1, nullptr);
    EXPECT_EQ(Calc("median(X)").err, -49);
    EXPECT_EQ(Calc("N(X)").value, 0);
    ResetAndFreeRegister(29);
    EXPECT_EQ(Calc("avg(X)").err, -49);
}

TEST(Executor, Densities) {
    CheckRows({
        {"PoissonPDF(2,3)", 9 * std::exp(-3.0) / 2, 0},
        {"BinomialPDF(2,5,0.5)", 0.3125, 0},
        {"BinomialPDF(2,0.5,5)", 0, -56},
        {"GammaPDF(2,2,1)", 2 * std::exp(-2.0), 0},
        {"GammaPDF(1,1,1)", std::exp(-1.0), 0},
        {"GeoPDF(3,0.5)", 0.125, 0},
        {"RayPDF(1,1)", std::exp(-0.5), 0},
        {"GausPDF(0,0,1)", 1 / std::sqrt(2 * M_PI), 0},
        {"PoissonPDF(2)", 0, -56},
        {"RayPDF(1)", 0, -8},
        {"GausPDF(1,0,0)", 0, -56},
        {"PoissonPDF(-1,2)", 0, -56},
    });
}

// Densities over the whole range of their arguments, against mpmath (40 digits, through lgamma of the
// exact decimal arguments): to a few units in the last place, 0 below the double range, never slow.
TEST(Executor, DensitiesOverTheWholeRange) {
    const struct {
        const char* text;
        double want;
        int err;
    } rows[] = {
        {"PoissonPDF(2,3)", 0.22404180765538774341, 0},
        {"PoissonPDF(170,150)", 0.0085223577140306006273, 0},  // was "Invalid parameter(s)"
        {"PoissonPDF(1e6,1e6)", 0.0003989422471562440297, 0},
        {"PoissonPDF(10,2.5)", 0.00021572518449585167391, 0},
        {"PoissonPDF(1e12,3)", 0, 0},   // 1.6e-11088584263385: below the doubles
        {"PoissonPDF(2.5,3)", 0, -53},  // a count is whole
        {"BinomialPDF(2,5,0.5)", 0.3125, 0},
        {"BinomialPDF(3,10,0.3)", 0.266827932, 0},
        {"BinomialPDF(5,171,0.01)", 0.021658009825548459744, 0},  // was "Invalid parameter(s)"
        {"BinomialPDF(0,171,0.01)", 0.1793156835947108043, 0},
        {"BinomialPDF(5e11,1e12,0.5)", 7.9788456080266588434e-7, 0},
        {"BinomialPDF(5,1e12,0.5)", 0, 0},
        {"BinomialPDF(2.5,5,0.5)", 0, -53},
        {"BinomialPDF(2,5.5,0.5)", 0, -53},
        {"BinomialPDF(2,5,0)", 0, 0},
        {"BinomialPDF(5,5,1)", 1, 0},
        {"GammaPDF(2,2.5,1)", 0.2879518214036696104, 0},  // Gamma(2.5), not 1 * 2: was 0.3828
        {"GammaPDF(0.5,0.5,2)", 0.43939128946772239705, 0},
        {"GammaPDF(1e12,1e12,1)", 3.989422804013994336e-7, 0},
        {"GammaPDF(2,1e12,1)", 0, 0},
        {"GammaPDF(0,1,2)", 0.5, 0},
        {"GammaPDF(0,0.5,1)", 0, -56},  // infinite at 0 for a shape below 1
        {"GammaPDF(1,0,1)", 0, -56},    // no density has a shape of 0 ...
        {"GammaPDF(1,2,-1)", 0, -56},   // ... or a scale of 0 or below
    };
    const auto start = std::chrono::steady_clock::now();
    for (const auto& r : rows) {
        const Result got = Calc(r.text);
        EXPECT_EQ(got.err, r.err) << r.text;
        if (r.err == 0) {
            EXPECT_NEAR(got.value, r.want, 1e-15 * r.want) << r.text;
        }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(Executor, FinanceCalls) {
    // Values from the standard time-value formulas (annuity with 12 payments a year).
    CheckRows({
        {"pmt(6,360,200000,0,12)", -1199.101050, 0, 1e-6},
        {"fv(6,10,-100,0,1)", 1318.079494, 0, 1e-9},
        {"sln(10000,1000,5)", 1800, 0},
        {"syd(10000,1000,5,1)", 3000, 0},
        {"NPV(10,110)", 100, 0},
        {"IRR(-100,110)", 10, 0, 1e-5},
        // Roots polished to double precision after the search (mpmath findroot references).
        {"IRR(-100,30,30,30,30)", 7.7138472952083551, 0, 1e-14},  // the search alone: 7.7138396
        {"rate(360,-1200,200000,0,12)", 6.0069900081148889, 0, 1e-14},
        {"pmt(6,360,200000)", 0, -8},
    });
    // The payment type: absent or 0 is 0, anything else 1.
    Result end = Calc("fv(5,10,-100,0,1)"), zero = Calc("fv(5,10,-100,0,1,0)"),
           begin = Calc("fv(5,10,-100,0,1,2)");
    EXPECT_EQ(end.value, zero.value);
    EXPECT_NEAR(begin.value / end.value, 1.05, 1e-9);
}

TEST(Calculus, SumsAndProducts) {
    CheckRows({
        {"fnSum(x^2,x,1,3)", 14, 0},
        {"fnProduct(x,x,1,5)", 120, 0},
        {"fnSum(x,x,1,1)", 1, 0},
        {"fnSum(x,x,3,1)", 0, -41},
        {"fnSum(x,x,3,1,-1)", 6, 0},
        {"fnSum(x,x,1,1.5)", 0, -41},
        {"fnSum(x,x,1,2,0.5)", 4.5, 0},
        {"fnSum(1/x,x,1,4)", 25.0 / 12, 0},
        {"fnSum(fnSum(x*y,x,1,2),y,1,3)", 18, 0},  // a nested sum sees the outer value
        {"fnSum(exp(e),e,1,2)", 0, -1},            // "exp" holds the variable name too
        {"fnSum(x,x)", 0, -8},
        {"fnSum(sqrt(x),x,-1,1)", 0, -54},
    });
}

// At most 10^6 terms: beyond, -7 before the first term (1e9 terms used to run for tens of minutes).
TEST(Calculus, SumsAndProductsHaveATermLimit) {
    const auto start = std::chrono::steady_clock::now();
    CheckRows({
        {"fnSum(x,x,1,1e9)", 0, -7},
        {"fnProduct(x,x,1,1e9)", 0, -7},
        {"fnSum(x,x,0,1e6)", 0, -7},         // 10^6 + 1 terms
        {"fnSum(x,x,0,1,0.000001)", 0, -7},  // the same count by a small step
        {"fnSum(x,x,1e6,0,-1)", 0, -7},      // and descending
        {"fnSum(x,x,3,1)", 0, -41},          // the step rule comes first
        {"fnSum(1,x,1,1e6)", 1e6, 0},        // exactly 10^6 terms
    });
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

TEST(Calculus, Integrals) {
    CheckRows({
        {"fnInt(x^2,x,0,3)", 9, 0, 1e-6},
        {"fnInt(x^2,x,3,0)", -9, 0, 1e-6},
        {"fnInt(x,x,2,2)", 0, 0},
        {"fnInt(sin(x),x,0,pi)", 2, 0, 1e-6},
        {"fnInt(1/x,x,1,e)", 1, 0, 1e-6},
        {"fnInt(x^2,x,0)", 0, -8},
    });
    SetMode(0);
    Calc("fnInt(x,x,0,1)");
    EXPECT_EQ(g_Mode, 1);  // integration leaves the engine in radians
}

TEST(Calculus, Derivatives) {
    CheckRows({
        {"fnDeriv(x^3,x,2)", 12, 0, 1e-12},      // power rule, exact
        {"fnDeriv(x^2,x,-1)", -2, 0, 1e-5},      // a negative base: numeric difference
        {"fnDeriv(x/x/x,x,2)", -0.25, 0, 1e-9},  // (x/x)/x as the evaluator reads it
        {"fnDeriv(2*x+3*x^2,x,1)", 8, 0, 1e-9},
        {"fnDeriv(sin(x),x,0)", 1, 0, 1e-6},           // functions: numeric difference, radians
        {"fnDeriv(3 root x,x,8)", 1.0 / 12, 0, 1e-9},  // x^(1/3)
        {"fnDeriv(x^x,x,2)", 4 * (std::log(2.0) + 1), 0, 1e-9},
        {"fnDeriv(sqrt(x),x,-1)", 0, -54},
    });
    // At the edge of the domain the nearest defined points give a one-sided difference.
    Result edge = Calc("fnDeriv(sqrt(x),x,0)");
    EXPECT_EQ(edge.err, 0);
    EXPECT_GT(edge.value, 100);
    SetMode(0);
    Calc("fnDeriv(x,x,0)");
    EXPECT_EQ(g_Mode, 1);
}

TEST(Calculus, EvaluationAndRoots) {
    CheckRows({
        {"fnEval(x^2,x,3)", 9, 0},
        {"fnEval(sqrt(x),x,-1)", 0, -54},
        {"fnEval(x+fnEval(y,y,2),x,1)", 3, 0},
        {"fnRoot(x^2-2,x,0,2)", std::sqrt(2.0), 0, 1e-15},
        {"fnRoot(x^3-x-2,x,1,2)", 1.5213797068045676, 0, 1e-15},
        {"fnRoot(x^2+1,x,-1,1)", 0, -12},
        {"fnRoot(cos(x),x,80,100)", 90, 0, 1e-5},  // the root search keeps the angle mode (degrees)
    });
}

}  // namespace
