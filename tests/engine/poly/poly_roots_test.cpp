// The polynomial root finder: exact forms of degree 1 and 2, the decimal quadratic roots, the closed forms
// of degree 3 and 4 against known and random roots, and the solver's result lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/eval/evaluate.h"
#include "engine/poly/poly_roots.h"
#include "numeric/errors.h"

namespace {

const char* kNull = "<null>";

TEST(PolyExact, GptWritesTheExactRootForEachTemplate) {
    struct Row {
        const char* text;
        int which;
        const char* root;  // kNull for no exact form
        int count;
    };
    const Row rows[] = {
        {"2 4", 1, "-2", 2},
        {"3 1", 1, "-1/3", 2},
        {"3 0.1", 0, "-1/30", 2},
        {"0 2 4", 1, "-2", 2},  // a zero leading coefficient makes it linear
        {"0 5", 1, kNull, 2},   // 0x + 5: no root
        {"0.00000000000000001 1", 1, "-100000000000000000", 2},
        {"1 -3 2", 1, "2", 3},
        {"1 -3 2", 0, "1", 3},
        {"2 -1 -1", 0, "-1/2", 3},
        {"1 0 -2.25", 1, "3/2", 3},
        {"1 0 0", 0, "0", 3},  // never "-0"
        {"1 0 -2", 1, "(sqrt(2))", 3},
        {"1 0 -2", 0, "(-sqrt(2))", 3},
        {"1 -2 -1", 1, "(1+sqrt(2))", 3},
        {"1 -2 -1", 0, "(1-sqrt(2))", 3},
        {"1 -2 -7", 1, "(1+2*sqrt(2))", 3},
        {"1 -1 -1", 0, "(1-sqrt(5))/(2)", 3},
        {"0.5 1/3 -1", 1, "(-1+sqrt(19))/(3)", 3},
        {"3 0 -8", 1, "(2*sqrt(6))/(3)", 3},
        {"3 0 -8", 0, "(-2*sqrt(6))/(3)", 3},
        {"-2 -3 11/8", 1, "(3+2*sqrt(5))/(-4)", 3},  // the denominator's sign stays
        {"-0.5 1 1", 1, "1-sqrt(3)", 3},             // R = -1: written as -P - T*S
        {"-0.5 1 1", 0, "1+sqrt(3)", 3},
        {"-0.5 -1 3.5", 1, "-1-2*sqrt(2)", 3},
        {"-0.5 -1 3.5", 0, "-1+2*sqrt(2)", 3},
        {"-0.5 0 1", 1, "(-sqrt(2))", 3},
        {"-0.5 0 1", 0, "(sqrt(2))", 3},
        {"1 0 1", 1, kNull, 3},              // negative discriminant
        {"1 0 -100000000000", 1, kNull, 3},  // discriminant above 1e10
        {"x 1 1", 1, kNull, 3},              // no bound variable: an evaluation error
        {"1/3 1/2 1/6", 1, kNull, 3},        // 1/36 is a square, but not of a whole number
        {"1 2 3 4", 1, "", 4},
        {"", 1, "", 0},
    };
    for (const Row& r : rows) {
        int count = -1;
        const std::optional<std::string> root = gpt(r.text, r.which, count);
        EXPECT_EQ(root ? *root : std::string(kNull), r.root) << r.text << " which " << r.which;
        EXPECT_EQ(count, r.count) << r.text;
    }
}

TEST(PolyExact, EveryExactRootSolvesItsEquation) {
    const char* texts[] = {"1 -2 -1", "3 5 1",       "-2 -3 11/8", "-0.5 -1 3.5",
                           "7 -3 -5", "1/2 -3 -1/4", "6 1 -2"};
    for (const char* text : texts) {
        for (int which = 0; which < 2; ++which) {
            int count = 0;
            const std::optional<std::string> root = gpt(text, which, count);
            ASSERT_TRUE(root && !root->empty()) << text;
            ClearErrorCode();
            const double x = static_cast<double>(fnex(0, root->c_str()));
            double c[3];
            std::istringstream in(text);
            for (double& v : c) {
                std::string token;
                in >> token;
                v = static_cast<double>(fnex(0, token.insert(0, 1, '(').append(1, ')').c_str()));
            }
            EXPECT_NEAR(c[0] * x * x + c[1] * x + c[2], 0, 1e-9) << text << " " << *root;
            // which = 1 is the root with +sqrt in (-b +- sqrt(D)) / 2a
            const double s = std::sqrt(c[1] * c[1] - 4 * c[0] * c[2]);
            EXPECT_NEAR(x, (-c[1] + (which == 1 ? s : -s)) / (2 * c[0]), 1e-9) << text << " " << *root;
        }
    }
}

TEST(PolyExact, GetExact2GivesThePlusRootFirst) {
    struct Row {
        const char* text;
        int result;
        double root1, root2;
    };
    const Row rows[] = {
        {"1 -3 2", 1, 2, 1},  {"1 2 1", 1, -1, -1},          {"1 0 1", 0, 0, 0},         {"1 2", 0, 0, 0},
        {"1 2 3 4", 0, 0, 0}, {"  2   -1  -1 ", 1, 1, -0.5}, {"1 -1e8 1", 1, 1e8, 1e-8},  // the small root
                                                                                          // keeps its digits
    };
    for (const Row& r : rows) {
        double x1 = 0, x2 = 0;
        SetErrorCode(kErrNone);
        EXPECT_EQ(get_exact2(r.text, x1, x2), r.result) << r.text;
        EXPECT_EQ(GetErrorCode(), kErrNone) << r.text;
        if (r.result == 0) continue;
        EXPECT_DOUBLE_EQ(x1, r.root1) << r.text;
        EXPECT_DOUBLE_EQ(x2, r.root2) << r.text;
    }
    double x1 = 0, x2 = 0;
    EXPECT_EQ(get_exact2("1 1/0 1", x1, x2), 0);
    EXPECT_EQ(GetErrorCode(), kErrDivision) << "an evaluation error stays in the error code";
    ClearErrorCode();
}

TEST(PolyExact, SimplifySquareSplitsTheSurd) {
    struct Row {
        const char* fraction;
        const char* surd;
        long long num, den;
    };
    const Row rows[] = {
        {"8", "sqrt(2)", 2, 1},     {"72", "sqrt(2)", 6, 1},  {"12", "sqrt(3)", 2, 1},
        {"97", "sqrt(97)", 1, 1},   {"3/4", "sqrt(3)", 1, 2}, {"1 1/2", "sqrt(3/2)", 1, 1},
        {"1/8", "sqrt(1/2)", 1, 2}, {"9/4", "0", 3, 2},       {"2 1/4", "0", 3, 2},
    };
    for (const Row& r : rows) {
        std::string text = r.fraction;
        long long num = 0, den = 0;
        ASSERT_TRUE(simplify_square(text, num, den)) << r.fraction;
        EXPECT_EQ(text, r.surd) << r.fraction;
        EXPECT_EQ(num, r.num) << r.fraction;
        EXPECT_EQ(den, r.den) << r.fraction;
    }
    std::string big = "5000000000";  // past the 32 bits the factoring works on
    long long num = 0, den = 0;
    EXPECT_FALSE(simplify_square(big, num, den));
}

TEST(PolyExact, NtFactorsAndLeavesTheCofactor) {
    struct Row {
        unsigned long long n;
        std::vector<unsigned long long> primes;
        std::vector<int> exponents;
        unsigned long long cofactor;
    };
    const Row rows[] = {
        {360, {2, 3, 5}, {3, 2, 1}, 1},         {194, {2}, {1}, 97}, {97, {}, {}, 97}, {1, {}, {}, 1},
        {4294967291ULL, {}, {}, 4294967291ULL},  // the largest 32-bit prime
    };
    for (const Row& r : rows) {
        unsigned long long n = r.n;
        std::vector<int> exponents;
        std::vector<unsigned long long> primes;
        int count = -1;
        nt(n, exponents, primes, count);
        EXPECT_EQ(primes, r.primes) << r.n;
        EXPECT_EQ(exponents, r.exponents) << r.n;
        EXPECT_EQ(count, static_cast<int>(r.primes.size())) << r.n;
        EXPECT_EQ(n, r.cofactor) << r.n;
    }
}

TEST(PolyExact, GetfracReadsWholeProperAndMixedFractions) {
    struct Row {
        const char* text;
        bool ok;
        long long num, den;
    };
    const Row rows[] = {
        {"3/4", true, 3, 4},    {"1 1/2", true, 3, 2}, {"-1 1/2", true, -3, 2},
        {"-1/3", true, -1, 3},  {"-2", true, -2, 1},   {"7", true, 7, 1},
        {"1e+19", false, 0, 1}, {"", false, 0, 1},     {"1/0", false, 0, 1},
    };
    for (const Row& r : rows) {
        long long num = 9, den = 9;
        EXPECT_EQ(getfrac(std::string(r.text), num, den), r.ok) << r.text;
        EXPECT_EQ(num, r.num) << r.text;
        EXPECT_EQ(den, r.den) << r.text;
    }
    long long num = 0, den = 0;
    ASSERT_TRUE(getfrac(CFraction(-2.75), num, den));
    EXPECT_EQ(num, -11);
    EXPECT_EQ(den, 4);
}

std::vector<double> Sorted(const std::string* outs, int n, int mask) {
    std::vector<double> v;
    for (int i = 0; i < n; ++i)
        if (mask >> i & 1) v.push_back(std::strtod(outs[i].c_str(), nullptr));
    std::sort(v.begin(), v.end());
    return v;
}

TEST(PolyClosedForm, CubicRoots) {
    struct Row {
        const char* text;
        int mask;
        std::vector<double> real;  // the real roots reported, ascending
    };
    const Row rows[] = {
        {"1 -6 11 -6", 7, {1, 2, 3}}, {"2 -4 -22 24", 7, {-3, 1, 4}},
        {"1 -1 0 0", 7, {0, 0, 1}},   {"1 0 0 -8", 1, {2}},
        {"1 0 0 0", 1, {0}},                                 // A2 vanishes: one root, to out1
        {"1 -3 3 -1", 1, {1}},        {"1 3 3 1", 1, {-1}},  // a cube about a negative centre
        {"1 0 0 8", 1, {-2}},         {"1 -3 3 1", 1, {1 - std::cbrt(2.0)}},
        {"0 1 2 3", 0, {}},
    };
    for (const Row& r : rows) {
        std::string out[3] = {"-", "-", "-"};
        const int mask = gpt_3(r.text, out[0], out[1], out[2]);
        EXPECT_EQ(mask, r.mask) << r.text;
        const std::vector<double> real = Sorted(out, 3, mask);
        ASSERT_EQ(real.size(), r.real.size()) << r.text;
        for (size_t i = 0; i < real.size(); ++i) EXPECT_NEAR(real[i], r.real[i], 1e-10) << r.text;
    }
    std::string o1, o2 = "untouched", o3 = "untouched";
    EXPECT_EQ(gpt_3("1 0 0 -8", o1, o2, o3), 1);
    EXPECT_EQ(o1, "2.0000000000");
    EXPECT_EQ(o2, "-1.0000000000") << "the real part of a complex root is written too";
    EXPECT_EQ(gpt_3("1 0 0 0", o1, o2 = "untouched", o3), 1);
    EXPECT_EQ(o2, "untouched");
}

TEST(PolyClosedForm, QuarticRoots) {
    struct Row {
        const char* text;
        int mask;
        std::vector<double> real;
    };
    const Row rows[] = {
        {"1 0 -5 0 4", 15, {-2, -1, 1, 2}},  // biquadratic
        {"1 0 0 0 -1", 5, {-1, 1}},          // +-1 and +-i
        {"1 -1 0 0 0", 15, {0, 0, 0, 1}},    // e = 0: the root 0, then x^3 - x^2
        {"1 -10 35 -50 24", 15, {1, 2, 3, 4}},
        {"2 -4 -14 16 24", 15, {-2, -1, 2, 3}},
        {"1 -5 9 -7 2", 15, {1, 1, 1, 2}},  // triple root: the resolvent's cube root vanishes
        {"1 4 6 4 1", 1, {-1}},             // quadruple roots, written once
        {"1 -4 6 -4 1", 1, {1}},
        // Symmetric about the centre: the principal cube root picks a pairing with C1 = 0.
        {"1 2 3 2 -1", 9, {-1.3149929830207712, 0.3149929830207712}},
        {"1 -2 2 -1 -2", 9, {-0.6180339887498949, 1.6180339887498949}},
        {"1 2 3 4 5", 0, {}},
        {"1 0 0 1 1", 0, {}},
        {"0 1 2 3 4", 0, {}},
    };
    for (const Row& r : rows) {
        std::string out[4];
        const int mask = gpt_4(r.text, out[0], out[1], out[2], out[3]);
        EXPECT_EQ(mask, r.mask) << r.text;
        const std::vector<double> real = Sorted(out, 4, mask);
        ASSERT_EQ(real.size(), r.real.size()) << r.text;
        for (size_t i = 0; i < real.size(); ++i) EXPECT_NEAR(real[i], r.real[i], 1e-10) << r.text;
    }
}

TEST(PolyClosedForm, LongCoefficientTextsAreEvaluatedWhole) {
    // Each coefficient is a 100-character expression: the substituted formulas run to several thousand
    // characters, the longest past what the evaluator takes in one text.
    auto longText = [](int v) {
        std::string t = std::to_string(v);
        while (t.size() < 98) t += "+0";
        return t;
    };
    const std::string quartic =
        longText(1) + " " + longText(-10) + " " + longText(35) + " " + longText(-50) + " " + longText(24);
    std::string out[4];
    ASSERT_EQ(gpt_4(quartic, out[0], out[1], out[2], out[3]), 15);
    EXPECT_EQ(Sorted(out, 4, 15), (std::vector<double>{1, 2, 3, 4}));
    const std::string cubic = longText(1) + " " + longText(-6) + " " + longText(11) + " " + longText(-6);
    ASSERT_EQ(gpt_3(cubic, out[0], out[1], out[2]), 7);
    EXPECT_EQ(Sorted(out, 3, 7), (std::vector<double>{1, 2, 3}));
}

TEST(PolyClosedForm, CallerEvaluationStateSurvives) {
    const char* expression = "x^2";
    const char* variable = "x";
    g_lpszExpression = expression;
    g_lpszVariable = variable;
    std::string out[4];
    int count = 0;
    gpt_4("1 -10 35 -50 24", out[0], out[1], out[2], out[3]);
    gpt("1 -2 -1", 1, count);
    EXPECT_EQ(g_lpszExpression, expression);
    EXPECT_EQ(g_lpszVariable, variable);
    g_lpszExpression = g_lpszVariable = nullptr;
}

// prod(x - n_i/100), monic with exact decimal coefficients, or prod(100x - n_i) with integer ones.
std::string CoefficientText(const std::vector<long long>& n, bool integer) {
    std::vector<long long> p{1};
    for (long long r : n) {
        std::vector<long long> q(p.size() + 1, 0);
        for (size_t i = 0; i < p.size(); ++i) {
            q[i] += (integer ? 100 : 1) * p[i];
            q[i + 1] -= r * p[i];
        }
        p = q;
    }
    std::string text;
    for (size_t i = 0; i < p.size(); ++i) {
        std::string digits = std::to_string(std::llabs(p[i]));
        const size_t decimals = integer ? 0 : 2 * i;
        if (decimals > 0) {
            digits.insert(0, decimals + 1 > digits.size() ? decimals + 1 - digits.size() : 0, '0');
            digits.insert(digits.size() - decimals, ".");
        }
        if (i > 0) text += ' ';
        if (p[i] < 0) text += '-';
        text += digits;
    }
    return text;
}

TEST(PolyClosedForm, RandomRealRootsAreRightToTheShownDecimals) {
    std::mt19937_64 rng(20240611);
    std::uniform_int_distribution<long long> hundredths(-10000, 10000);
    int checked = 0;
    for (int t = 0; t < 400; ++t) {
        const int degree = t % 2 ? 4 : 3;
        // simple, double, two doubles (quartic), triple, two close roots, symmetric about a centre
        const int shape = (t / 2) % 6;
        std::vector<long long> n(degree);
        for (long long& x : n) x = hundredths(rng);
        if (shape == 1 || shape == 2 || shape == 3) n[1] = n[0];
        if (shape == 2 && degree == 4) n[3] = n[2];
        if (shape == 3) n[2] = n[0];
        if (shape == 4) n[1] = n[0] + 1;
        if (shape == 5) {
            const long long centre = n[0] / 2, u = n[1] / 2, v = n[2] / 2;
            n = degree == 3 ? std::vector<long long>{centre - u, centre, centre + u}
                            : std::vector<long long>{centre - u, centre + u, centre - v, centre + v};
        }
        const std::string text = CoefficientText(n, t % 4 >= 2);
        std::string out[4];
        const int mask =
            degree == 3 ? gpt_3(text, out[0], out[1], out[2]) : gpt_4(text, out[0], out[1], out[2], out[3]);
        // Every root is real; only a cubic that is a shifted cube reports its triple root once.
        const int expected = (1 << degree) - 1;
        const bool triple = degree == 3 && n[0] == n[1] && n[1] == n[2];
        if (!(triple && mask == 1)) {
            EXPECT_EQ(mask, expected) << text;
        }
        std::vector<bool> used(degree, false);
        for (int i = 0; i < degree; ++i) {
            if (!(mask >> i & 1)) continue;
            const double x = std::strtod(out[i].c_str(), nullptr);
            int best = -1;
            for (int j = 0; j < degree; ++j)
                if (!used[j] && (best < 0 || std::fabs(x - n[j] / 100.0) < std::fabs(x - n[best] / 100.0)))
                    best = j;
            const double truth = n[best] / 100.0;
            EXPECT_LE(std::fabs(x - truth), 1e-9 * std::max(1.0, std::fabs(truth)))
                << text << " root " << out[i];
            used[best] = true;
            ++checked;
        }
    }
    EXPECT_GT(checked, 1300);
}

TEST(PolyLines, SolverResultLines) {
    struct Row {
        const char* text;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"2 4", {"X_1 = -2 = -2"}},
        {"3 1", {"X_1 = -1/3 = -0.333333333333"}},
        {"0 0 1 -3 2", {"X_1 = 1 = 1", "X_2 = 2 = 2"}},  // leading zeros dropped; gpt's order
        {"1 -2 -1", {"X_1 = (1-sqrt(2)) = -0.414213562373", "X_2 = (1+sqrt(2)) = 2.414213562373"}},
        {"1 0 0", {"X_1 = 0 = 0", "X_2 = 0 = 0"}},
        {"1 1 -5/16", {"X_1 = 0.25", "X_2 = -1.25"}},  // no exact form: get_exact2's roots
        {"1 0 1", {"Cannot be solved!"}},
        {"1 -6 11 -6", {"X_1 = 3.0000000000", "X_2 = 1.0000000000", "X_3 = 2.0000000000"}},
        {"1 0 0 -8", {"X_1 = 2.0000000000", "X_2 is complex", "X_3 is complex"}},
        {"1 0 0 0", {"X_1 = 0.0000000000", "X_2 = 0.0000000000", "X_3 = 0.0000000000"}},
        {"1 0 -5 0 4",
         {"X_1 = 2.0000000000", "X_2 = 1.0000000000", "X_3 = -2.0000000000", "X_4 = -1.0000000000"}},
        {"1 0 0 0 -1", {"X_1 = 1.0000000000", "X_2 is complex", "X_3 = -1.0000000000", "X_4 is complex"}},
        {"1 4 6 4 1",
         {"X_1 = -1.0000000000", "X_2 = -1.0000000000", "X_3 = -1.0000000000", "X_4 = -1.0000000000"}},
        {"0 5", {"Invalid parameters!"}},
        {"0", {"Invalid parameters!"}},
        {"", {"Invalid Parameters!"}},
        {"1 2 3 4 5 6", {"Invalid Parameters!"}},
        {"1 y 3", {"Cannot be solved!"}},
        {"1 y 3 4", {"Cannot be solved!"}},
    };
    for (const Row& r : rows) EXPECT_EQ(PolynomialRootLines(r.text), r.lines) << r.text;
}

}  // namespace
