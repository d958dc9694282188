// The evaluation loops: operands, groups, the result entry, the error state and the double-path cache.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "engine/eval/evaluate.h"
#include "engine/matrix/registers.h"
#include "engine/parse/tables.h"
#include "eval_helpers.h"
#include "numeric/errors.h"

using testutil::Dbl;
using testutil::Ex;

namespace {

struct Row {
    const char* text;
    int err;  // expected on both paths (the double path's, where dblErr is set)
    double re, im;
    int dblErr = 1;
};

// Cases whose value agrees on both paths (compared to double precision).
TEST(Evaluation, BothPaths) {
    const Row rows[] = {
        {"sin(30)+2^3^2", 0, 512.5, 0},  // degree mode; right-associative power
        {"-5+2", 0, -3, 0},              // negation of the only value in the group
        {"2-(-3)", 0, 5, 0},
        {"2/2/2", 0, 0.5, 0},
        {"(2)(3)", 0, 2, 0},     // surplus values are ignored: the result is entry 0
        {"abs(-3)+4", 0, 1, 0},  // abs(-3 + 4)
        {"2^3!", 0, 64, 0},
        {"sin(-30)", 0, -0.5, 0},
        {"i*i", 0, -1, 0},
        {"(1+2*i)*(3-4*i)/(5+6*i)", 0, 67.0 / 61, -56.0 / 61},
        {"2 EXP 3", 0, 2000, 0},  // 10^3 through exp and log on the double path
        {"3*-2", -1, 0, 0},       // two operators in a row
        {"(+3)", -1, 0, 0},       // too few operands in the group
        {"sin-30", -1, 0, 0},
        {"1/0", -56, 0, 0, -5},  // the library's singularity; the double handler's own test
        {"foo+1", -1, 0, 0},
        {"", -1, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        testing::internal::CaptureStdout();
        const auto e = Ex(r.text);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(e.err, r.err);
        EXPECT_EQ(e.ok, r.err == 0);
        EXPECT_NEAR(e.re(), r.re, 1e-15);
        EXPECT_NEAR(e.im(), r.im, 1e-15);
        testing::internal::CaptureStdout();  // library errors print their messages
        const auto d = Dbl(r.text);
        testing::internal::GetCapturedStdout();
        const int dblErr = r.dblErr == 1 ? r.err : r.dblErr;
        EXPECT_EQ(d.err, dblErr);
        EXPECT_EQ(d.ok, dblErr == 0);
        EXPECT_NEAR(d.v.re, r.re, 1e-12 * std::max(1.0, std::fabs(r.re)));
        EXPECT_NEAR(d.v.im, r.im, 1e-12);
    }
}

// The four double-only words pass the tokenizer; the extended table has no rows for them, so there they
// fail like an unknown operand.
TEST(Evaluation, CotangentWordsOnTheDoublePathOnly) {
    for (const char* text : {"ctan(45)", "acot(1)", "ctanh(1)", "acoth(2)"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Ex(text).err, -1);
        EXPECT_EQ(Dbl(text).err, 0);
    }
    EXPECT_NEAR(Dbl("acot(1)", 0).v.re, 45, 1e-12);
}

TEST(Evaluation, Constants) {
    auto e = Ex("pi");
    EXPECT_TRUE(testutil::Near(e.v.r,
                               "3."
                               "14159265358979323846264338327950288419716939937510582097494459230781640628620"
                               "899862803482534211706798"));
    e = Ex("e");
    EXPECT_TRUE(testutil::Near(e.v.r,
                               "2."
                               "71828182845904523536028747135266249775724709369995957496696762772407663035354"
                               "759457138217852516642743"));
    EXPECT_EQ(Dbl("pi").v.re, 3.141592653589793);
    EXPECT_EQ(Dbl("e").v.re, 2.718281828459045);
    EXPECT_EQ(Dbl("i").v.im, 1);
    e = Ex("0.1+0.2");  // decimal text is read in extended precision, not through doubles
    EXPECT_TRUE(testutil::EqualsDecimal(e.v.r, "0.3"));
}

TEST(Evaluation, Variable) {
    auto e = Ex("x^2+X", 1, "x", 3);
    EXPECT_EQ(e.re(), 12);
    const auto d = Dbl("x^2+X", 1, "x", 3);
    EXPECT_EQ(d.v.re, 12);
    // The variable wins over the constant of the same name.
    EXPECT_EQ(Ex("e*2", 1, "e", 4).re(), 8);
    EXPECT_EQ(Dbl("e*2", 1, "e", 4).v.re, 8);
    // A non-number value is out of range on the double path.
    EXPECT_EQ(Dbl("x+1", 1, "x", std::nan("")).err, -7);
}

TEST(Evaluation, RegistersOnTheExtendedPathOnly) {
    SetRegisterScalar(2, qcmplx_make(1.5, -2));  // VA
    const double m[] = {1, 2, 3, 4};
    SetRegister(3, 2, 2, m);  // VB is a matrix
    auto e = Ex("va*2");
    EXPECT_EQ(e.err, 0);
    EXPECT_EQ(e.re(), 3);
    EXPECT_EQ(e.im(), -4);
    EXPECT_EQ(Ex("vb+1").err, -1);
    EXPECT_EQ(Dbl("va*2").err, -1);
    ResetAndFreeRegister(2);
    ResetAndFreeRegister(3);
}

TEST(Evaluation, ErrorsAreSticky) {
    ClearErrorCode();
    SetErrorCode(kErrDivision);
    bool ok = false;
    const qcmplx v = ExprEvaluation("1+1", ok, nullptr, nullptr, 10);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(iszero(v.r));
    EXPECT_EQ(GetErrorCode(), kErrDivision);
    const COMPLEX d = ExprEvaluationEx("1+1", ok, nullptr, 0, 10);
    EXPECT_FALSE(ok);
    EXPECT_EQ(d.re, 0);
    EXPECT_EQ(GetErrorCode(), kErrDivision);
    // success is set on success only, never cleared.
    ClearErrorCode();
    ok = true;
    ExprEvaluation("1+", ok, nullptr, nullptr, 10);
    EXPECT_TRUE(ok);
    EXPECT_EQ(GetErrorCode(), kErrSyntax);
    ClearErrorCode();
}

TEST(Evaluation, Messages) {
    const std::pair<int, const char*> rows[] = {
        {-1, "Syntax error"},          {-8, "Syntax error"},        {-5, "Division error"},
        {-7, "Out of range error"},    {-11, "Invalid type error"}, {-53, "Invalid type error"},
        {-50, "Invalid parameters"},   {-51, "Invalid parameters"}, {-54, "Complex's not been supported"},
        {-56, "Invalid parameter(s)"}, {-57, "Absolute error"},     {-58, "Unknown error"},
        {3, "Unknown error"},
    };
    for (auto [code, text] : rows) {
        SCOPED_TRACE(code);
        EXPECT_STREQ(ErrorMessage(code), text);
    }
    for (int c = -57; c <= -1; ++c) EXPECT_STREQ(ErrorMessage(c), ExceptionMsg[c + 57]);
}

// Library overflow in the conversion after "^" is reported by the next qcmplx operation unless an operand
// clears the flag first.
TEST(Evaluation, PowerConversionFlag) {
    testing::internal::CaptureStdout();
    const auto bad = Ex("sqrt(10^400)");
    const auto good = Ex("sqrt(10^400*1)");
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(bad.err, -56);
    EXPECT_EQ(good.err, 0);
    EXPECT_TRUE(testutil::Near(good.v.r, "1e200"));
    EXPECT_NE(printed.find("qtoe"), std::string::npos);
}

TEST(Evaluation, StackAndTextLimits) {
    std::string values;
    for (int i = 0; i < kValueStackSize; ++i) values += "1 ";
    EXPECT_EQ(Ex(values.c_str()).err, 0);
    EXPECT_EQ(Dbl(values.c_str()).err, 0);
    values += "1";  // one value more than the stack holds
    EXPECT_EQ(Ex(values.c_str()).err, -1);
    EXPECT_EQ(Dbl(values.c_str()).err, -1);

    std::string deep(1000, '(');
    deep += "2";
    deep += std::string(1000, ')');
    EXPECT_EQ(Ex(deep.c_str()).re(), 2);
    EXPECT_EQ(Dbl(deep.c_str()).v.re, 2);

    const std::string tooLong(kEngineTextSize, '1');
    EXPECT_EQ(Ex(tooLong.c_str()).err, -1);
    EXPECT_EQ(Dbl(tooLong.c_str()).err, -1);
    EXPECT_EQ(Ex(nullptr).err, -1);
}

TEST(Evaluation, LastItemFollowsTheWalk) {
    for (bool extended : {true, false}) {
        SCOPED_TRACE(extended ? "extended" : "double");
        const char* text = "2+sin(30)*3";  // reverse-Polish: 2 ( 30 ) sin 3 * +
        if (extended)
            Ex(text);
        else
            Dbl(text);
        EXPECT_STREQ(g_chrLastItem, "+");
        std::strcpy(g_chrLastItem, "keep");
        if (extended)
            Ex("1+x", 0, "x", std::nan(""));
        else
            Dbl("1+x", 0, "x", std::nan(""));
        // The double path stops at the variable (-7) before reaching "+"; the extended path does not test.
        EXPECT_STREQ(g_chrLastItem, extended ? "+" : "keep");
    }
}

// ---- the double-path cache ------------------------------------------------------------------------------

TEST(DoubleCache, ABufferRewrittenInPlaceIsConvertedAgain) {
    ClearErrorCode();
    SetMode(1);
    g_lpszVariable = "x";
    char buffer[64];
    std::strcpy(buffer, "x+1");
    EXPECT_EQ(fnex(2, buffer), 3);
    EXPECT_STREQ(g_lpszRPN, "x 1 + ");
    EXPECT_EQ(g_lpszExpression, buffer);
    std::strcpy(buffer, "x*10");  // same pointer, new text, no reset
    EXPECT_EQ(fnex(2, buffer), 20);
    EXPECT_STREQ(g_lpszRPN, "x 10 * ");

    // The resets callers use still work.
    g_lpszExpression = nullptr;
    EXPECT_EQ(fnex(3, buffer), 30);
    g_lpszRPN[0] = '\0';
    EXPECT_EQ(fnex(4, buffer), 40);
    EXPECT_STREQ(g_lpszRPN, "x 10 * ");

    // The variable as another buffer or spelling of the same name, and changed in place.
    char name[4] = "X";
    g_lpszVariable = name;
    EXPECT_EQ(fnex(2, buffer), 20);
    std::strcpy(name, "x");
    EXPECT_EQ(fnex(3, buffer), 30);
    std::strcpy(name, "xy");
    EXPECT_EQ(fnex(2, buffer), 0);
    EXPECT_EQ(GetErrorCode(), kErrSyntax);
    ClearErrorCode();
    std::strcpy(name, "x");
    EXPECT_EQ(fnex(4, buffer), 40);

    // The variable name and the radix are part of the key.
    g_lpszVariable = "t";
    EXPECT_EQ(fnex(2, buffer), 0);
    EXPECT_EQ(GetErrorCode(), kErrSyntax);
    ClearErrorCode();
    bool ok = false;
    EXPECT_EQ(ExprEvaluationEx("10", ok, nullptr, 0, 10).re, 10);
    EXPECT_EQ(ExprEvaluationEx("10", ok, nullptr, 0, 16).re, 16);
    g_lpszVariable = nullptr;
}

TEST(VariableEvaluators, Tolerances) {
    ClearErrorCode();
    SetMode(1);
    g_lpszVariable = "x";
    EXPECT_EQ(fnex(1, ""), 0);
    EXPECT_EQ(fnex(1, nullptr), 0);
    EXPECT_EQ(GetErrorCode(), kErrNone);
    EXPECT_EQ(fnex(1, "x+i/1e9"), 1);
    EXPECT_EQ(fnex(1, "x+i/1e7"), 0);
    EXPECT_EQ(GetErrorCode(), kErrComplex);

    ClearErrorCode();
    g_lpszExpression = "x+i/1e17";
    EXPECT_EQ(fn(2.0, nullptr), 2);
    g_lpszExpression = "x+i/1e15";
    EXPECT_EQ(fn(2.0, nullptr), 0);
    EXPECT_EQ(GetErrorCode(), kErrComplex);

    ClearErrorCode();
    QELT x[NQ];
    ltoq(2, x);
    qcmplx r;
    g_lpszExpression = "x+i/1e70";
    fn(&r, x);
    EXPECT_EQ(GetErrorCode(), kErrNone);
    EXPECT_TRUE(testutil::EqualsDecimal(r.r, "2"));
    EXPECT_FALSE(iszero(r.i));  // kept: fn only tests
    g_lpszExpression = "x+i/1e60";
    fn(&r, x);
    EXPECT_EQ(GetErrorCode(), kErrComplex);
    EXPECT_TRUE(iszero(r.r));

    ClearErrorCode();
    g_lpszExpression = "1/1e70+x*i";
    fn1(&r, x);
    EXPECT_EQ(GetErrorCode(), kErrNone);
    EXPECT_TRUE(iszero(r.r));  // below 1e-64: exactly zero
    EXPECT_TRUE(testutil::EqualsDecimal(r.i, "2"));
    g_lpszExpression = nullptr;
    g_lpszVariable = nullptr;
}

}  // namespace
