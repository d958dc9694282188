// The engine entry: standardization of function calls and root calls, the scalar and matrix paths.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/entry/expr_eval.h"
#include "engine/eval/evaluate.h"
#include "engine/format/format_state.h"
#include "engine/format/result_format.h"
#include "numeric/errors.h"
#include "numeric/qcomplex.h"
#include "numeric/radix.h"

namespace {

struct Value {
    double re = 0, im = 0;
    int err = 0;
};

Value Eval(const std::string& text, int mode = 0, int radix = 10) {
    ClearErrorCode();
    SetMode(0);
    REG r = ExprEval(text.c_str(), mode, radix);
    Value v;
    v.err = GetErrorCode();
    qtoe(r.re, &v.re);
    qtoe(r.im, &v.im);
    return v;
}

TEST(EngineEntry, StandardizationRewritesCallsAndRoots) {
    struct Row {
        const char* in;
        int radix, width;
        const char* want;  // nullptr: fails
        int err;
    };
    const Row rows[] = {
        {"sin(30)+2", 10, 8, "sin(30)+2", 0},
        {"RT(8,3)+1", 10, 8, "((8) root (3)) +1", 0},
        {"RT(8,3,5)", 10, 8, "((8) root (3)) ", 0},
        {"RT(8)", 10, 8, nullptr, -8},
        {"RT(8,)", 10, 8, nullptr, -8},
        {"gcd(4,6", 10, 8, nullptr, -8},
        {"gcd(10,15)*2", 10, 8, "( 5.00000000000000000000000000000000)*10^(0)*2", 0},
        {"lcm(4,6)", 10, 8, "( 1.2000000000000000)*10^(1)", 0},  // computed in doubles: 17 digits
        {"pmt(6.007,360,200000,0,12,0)", 10, 8, "(-1.2000012852173768)*10^(3)", 0},
        {"fnInt(x,x,0,1)", 10, 8, "( 5.0000000000000000)*10^(-1)", 0},
        {"fnSum(x,x,1,3)", 10, 8, "( 6.00000000000000000000000000000000)*10^(0)", 0},  // extended
        {"ncr(30,15)", 10, 8, "( 1.55117520000000000000000000000000)*10^(8)", 0},
        {"gcd(101,1001)", 2, 8, "00000001", 0},  // arguments are read in radix 10 whatever the caller's radix
        {"not(5)", 2, 8, nullptr, -1},           // but not reads its argument in the caller's: 5 is no binary
    };
    for (const Row& r : rows) {
        ClearErrorCode();
        g_BitWidth = r.width;
        std::string text = r.in;
        int ok = ExprStandardize(text, r.radix);
        if (r.want) {
            EXPECT_EQ(ok, 1) << r.in << " err " << GetErrorCode();
            EXPECT_EQ(text, r.want) << r.in;
        } else {
            EXPECT_EQ(ok, 0) << r.in;
            EXPECT_EQ(GetErrorCode(), r.err) << r.in;
        }
    }
    g_BitWidth = 8;
    ClearErrorCode();
}

// A value computed in doubles shows the 17 significant digits the double carries, not its binary expansion
// to 33 digits; values computed in extended precision keep all of theirs.
TEST(EngineEntry, CallValuesShowOnlyTheDigitsTheyCarry) {
    const double list[] = {0.1, 0.2};
    SetRegister(29, 2, 1, list);
    const struct {
        const char* text;
        const char* shown;
    } rows[] = {
        {"pmt(6.007,360,200000,0,12,0)", "-1200.0012852173768"},  // was -1200.00128521737678966019302606583
        {"GausPDF(0,0,1)", "0.3989422804014327"},                 // 17 digits of the double, the last a zero
        {"avg(X)", "0.15000000000000002"},
        {"fnSum(1/x,x,1,3)", "1.83333333333333333333333333333333"},
        {"ncr(30,15)+0.5", "155117520.5"},
    };
    for (const auto& r : rows) {
        ClearErrorCode();
        REG v = ExprEval(r.text, 0, 10);
        ASSERT_EQ(GetErrorCode(), 0) << r.text;
        EXPECT_EQ(ConstructDisplayString(kRadixDec, kWidth8, v.re, kNotationNorm, 32, 4).text, r.shown)
            << r.text;
    }
    ResetAndFreeRegister(29);
}

// The representation error of pi in 336 bits is no imaginary part of e^(i pi).
TEST(EngineEntry, RoundingNoiseOfAComplexResultShowsAsZero) {
    const struct {
        const char* text;
        std::u16string shown;
        bool complex;
    } rows[] = {
        {"e^(i*pi)", u"-1", false},  // was -1.0000E0-8.2209E-103i
        {"e^(i*pi/2)", u"0.0000E0+i", true},
        {"(1+2*i)*(3-4*i)", u"1.1000E1+2.0000E0i", true},
    };
    const std::string mode = g_sOutputMode;
    g_sOutputMode = "English (US)";
    for (const auto& r : rows) {
        ClearErrorCode();
        SetMode(1);
        REG v = ExprEval(r.text, 0, 10);
        ASSERT_EQ(GetErrorCode(), 0) << r.text;
        EXPECT_EQ(v.type, REG_COMPLEX) << r.text;  // the value itself is kept
        bool scientific = false, complex = !r.complex;
        EXPECT_TRUE(ExpResult_REGToString(v, kRadixDec, kWidth8, kNotationNorm, scientific, complex) ==
                    r.shown)
            << r.text;
        EXPECT_EQ(complex, r.complex) << r.text;
    }
    g_sOutputMode = mode;
    ResetAndFreeRegister(1);
}

TEST(EngineEntry, RadixModeCallsAreWrittenInTheRadix) {
    ClearErrorCode();
    g_BitWidth = 8;
    std::string t = "gcd(10,15)";  // 5, written as eight binary digits
    ASSERT_EQ(ExprStandardize(t, 2), 1);
    EXPECT_EQ(t, "00000101");
    t = "not(F0)";  // read in radix 16: 240, complemented within 8 bits
    ASSERT_EQ(ExprStandardize(t, 16), 1);
    EXPECT_EQ(t, "0F");
    ClearErrorCode();
}

TEST(EngineEntry, ScalarPath) {
    struct Row {
        const char* in;
        double re, im;
        int err;
    };
    const Row rows[] = {
        {"1+2", 3, 0, 0},
        {"sin ( 30 ) + 2 ^ 3 ^ 2", 512.5, 0, 0},
        {"(1+2*i)*(3-4*i)", 11, 2, 0},
        {"RT(3,27)", 3, 0, 0},
        {"3 root 27", 3, 0, 0},
        {"gcd(12,18,27)+1", 4, 0, 0},
        {"fnInt(x^2,x,0,3)", 9, 0, 0},
        {"2*fnSum(x,x,1,4)", 20, 0, 0},
        {"SIN(30)", 0.5, 0, 0},  // capitals: the call N inside SIN is no call (was "No list available")
        {"LN(e)+ASIN(1)", 91, 0, 0},
        {"5 NAND 3", 254, 0, 0},  // the N of NAND starts a longer word
        {"1/0", 0, 0, -56},       // the extended division reports the library's singularity
        {"3*", 0, 0, -1},
    };
    for (const Row& r : rows) {
        Value v = Eval(r.in);
        EXPECT_EQ(v.err, r.err) << r.in;
        if (r.err) continue;
        EXPECT_NEAR(v.re, r.re, 1e-9 * std::max(1.0, std::fabs(r.re))) << r.in;
        EXPECT_NEAR(v.im, r.im, 1e-9) << r.in;
    }
    EXPECT_EQ(g_reg[0].type, REG_REAL);
    Eval("i*i+i");
    EXPECT_EQ(g_reg[0].type, REG_COMPLEX);
    // A sticky error returns register 0 untouched.
    ClearErrorCode();
    SetErrorCode(kErrDivision);
    ExprEval("1+1", 0, 10);
    EXPECT_EQ(GetErrorCode(), kErrDivision);
    ClearErrorCode();
    // Texts of the engine's limit or longer are refused.
    EXPECT_EQ(Eval(std::string(5000, '1')).err, -8);
}

TEST(EngineEntry, MatrixPath) {
    const double a[] = {2, 1, 1, 2};
    const double b[] = {1, 0, 0, 1};
    SetRegister(2, 2, 2, a);  // VA
    SetRegister(3, 2, 2, b);  // VB
    Value v = Eval("det(va)", 1);
    EXPECT_EQ(v.err, 0);
    EXPECT_NEAR(v.re, 3, 1e-12);
    Eval("inv(va)*va", 1);
    ASSERT_EQ(g_reg[0].type, REG_MATRIX);
    EXPECT_NEAR(g_reg[0].at(0, 0), 1, 1e-12);
    EXPECT_NEAR(g_reg[0].at(0, 1), 0, 1e-12);
    Eval("solve( va,vb)", 1);  // inv(VA)*(VB)
    ASSERT_EQ(g_reg[0].type, REG_MATRIX);
    EXPECT_NEAR(g_reg[0].at(0, 0), 2.0 / 3, 1e-12);
    EXPECT_NEAR(g_reg[0].at(0, 1), -1.0 / 3, 1e-12);
    Eval("solve(va,vb)", 1);  // without the blank as well
    ASSERT_EQ(GetErrorCode(), 0);
    ASSERT_EQ(g_reg[0].type, REG_MATRIX);
    EXPECT_NEAR(g_reg[0].at(1, 1), 2.0 / 3, 1e-12);
    Eval("va/va", 1);  // A * A^-1
    EXPECT_NEAR(g_reg[0].at(1, 1), 1, 1e-12);
    EXPECT_EQ(Eval("va+2", 1).err, -10);
    EXPECT_EQ(Eval("pi*va", 1).err, -1);     // no constants on this path
    EXPECT_EQ(Eval("gcd(4,6)", 1).err, -1);  // nor executor calls
    ResetAndFreeRegister(2);
    ResetAndFreeRegister(3);
    ClearErrorCode();
}

}  // namespace
