// The compiled double-precision programs against a plain token walk over the reverse-Polish text, which is
// how the double-precision evaluation is defined: the same value bits, error codes and last handler name.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "engine/eval/evaluate.h"
#include "engine/parse/number_text.h"
#include "engine/parse/rpn_maker.h"
#include "engine/parse/tables.h"
#include "engine/parse/tokenizer.h"
#include "numeric/errors.h"
#include "numeric/radix.h"

namespace {

struct Outcome {
    COMPLEX v;
    int err;
    bool ok;
    std::string lastItem;
};

// The reference: one table lookup per token, the group stack, operands read each time.
Outcome Walk(const char* text, const char* variable, double x) {
    Outcome o{{0, 0}, 0, false, ""};
    std::string rpn = text;
    if (!ExpressionParser(rpn, 10, variable)) SetErrorCode(kErrSyntax);
    if (GetErrorCode() == 0 && !RPNMaker(rpn)) SetErrorCode(kErrSyntax);
    std::vector<COMPLEX> s(kValueStackSize);
    std::vector<long> groups;
    long n = 0;
    size_t i = 0;
    while (GetErrorCode() == 0 && i < rpn.size()) {
        const size_t end = rpn.find(' ', i);
        const std::string t = rpn.substr(i, end - i);
        i = end + 1;
        if (const FUNCTION_TABLE* row = GetHandler(t.c_str())) {
            row->handler(s.data(), n, groups.empty() ? 0 : groups.back());
        } else if (t == "(") {
            groups.push_back(n);
        } else if (t == ")") {
            groups.pop_back();
        } else if (n >= kValueStackSize) {
            SetErrorCode(kErrSyntax);
        } else {
            double v;
            COMPLEX c{0, 0};
            if (ParseNumberToken(t.c_str(), &v))
                c.re = v;
            else if (variable != nullptr && t == variable)
                c.re = x;
            else if (t == "pi")
                c.re = 3.141592653589793;
            else if (t == "e")
                c.re = 2.718281828459045;
            else if (t == "i")
                c.im = 1;
            else
                SetErrorCode(kErrSyntax);
            if (GetErrorCode() == 0 && (c.re != c.re || c.im != c.im)) SetErrorCode(kErrOutOfRange);
            s[n++] = c;
        }
    }
    o.err = GetErrorCode();
    if (o.err == 0 && n == 0) o.err = SetErrorCode(kErrSyntax);
    if (o.err == 0) {
        o.v = s[0];
        o.ok = true;
    }
    o.lastItem = g_chrLastItem;
    return o;
}

Outcome Compiled(const char* text, const char* variable, double x) {
    bool ok = false;
    const COMPLEX v = ExprEvaluationEx(text, ok, variable, x, 10);
    return {v, GetErrorCode(), ok, g_chrLastItem};
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0 || (a != a && b != b);
}

TEST(DoubleProgram, MatchesTheTokenWalk) {
    const char* texts[] = {
        "sin(x)*x^2+1/x",
        "sqrt(x)+ln(x)",
        "x^3-2*x+1",
        "tan(x)/(1+x^2)",
        "x",
        "-x",
        "-x^2",
        "(-x)^2",
        "x-(-x)",
        "2-x",
        "x/x",
        "1/x",
        "x/0",
        "0/x",
        "x^x",
        "2^x",
        "x^0",
        "0^x",
        "x^0.5",
        "x^(1/3)",
        "x^(-2)",
        "(x)^(2)",
        "x^2^3",
        "(x+i)^2",
        "i^x",
        "x^i",
        "x^(2*i)",
        "10^(x*100)",
        "x^200",
        "x^400",
        "sin(x)",
        "cos(x)",
        "tan(x)",
        "sec(x)",
        "csc(x)",
        "ctan(x)",
        "asin(x)",
        "acos(x)",
        "atan(x)",
        "acot(x)",
        "asec(x)",
        "acsc(x)",
        "sinh(x)",
        "cosh(x)",
        "tanh(x)",
        "ctanh(x)",
        "sech(x)",
        "csch(x)",
        "asinh(x)",
        "acosh(x)",
        "atanh(x)",
        "acoth(x)",
        "asech(x)",
        "acsch(x)",
        "sin(x*i)",
        "ln(x)",
        "log(x)",
        "ln(-x)",
        "sqrt(x*i)",
        "abs(x)+abs(-4)",
        "x!",
        "x%",
        "x mod 3",
        "x and 3",
        "x or 3",
        "x xor 3",
        "x nand 3",
        "x nor 3",
        "x shl 2",
        "x shr 1",
        "x rtl 1",
        "x rtr 1",
        "x root 8",
        "8 root x",
        "x EXP 2",
        "2 EXP x",
        "(x)(2)",
        "(2)(x)",
        "sin",
        "x+",
        "(+x)",
        "sin-x",
        "x*-2",
        "sin(x)!",
        "abs(-x)+4",
        "1/(x-x)",
        "pi*x+e",
        "i*x",
        "((x))",
        "(x+1)*(x-1)/(x*x-1)",
        "x*x*x*x*x*x*x*x",
        "sqrt(x)^2-x",
        "log(x^2)/2",
        "2*x",
        "x*2",
        "x+2",
        "2+x",
        "x-2",
        "x/2",
        "2/x",
        // Fused operations of the real form, and the operations it special-cases.
        "2*x+1",
        "1-2*x",
        "x*2-1",
        "x/4+x",
        "x-1/x",
        "1/x-x",
        "x^2+1",
        "1-x^2",
        "x^2-x",
        "(x-1)*(x+1)",
        "x^3",
        "x^3+x",
        "x^5-x^2",
        "sin(x)^2+cos(x)^2",
        "tan(x)*2-1",
        "sqrt(x)*sqrt(x)",
        "log(x)-ln(x)",
        "x*x*x",
        "2*(0-x)",
        "abs(x)*x+1",
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double xs[] = {0.0,
                         -0.0,
                         1.0,
                         -1.0,
                         0.5,
                         2.0,
                         3.0,
                         90.0,
                         180.0,
                         270.0,
                         -90.0,
                         100.0,
                         1e-300,
                         1e300,
                         7.25,
                         -7.25,
                         1e8,
                         1.5707963267948966,
                         3.141592653589793,
                         inf,
                         -inf,
                         nan,
                         45.0,
                         171.0,
                         0.1,
                         4503.6,
                         5e-324,
                         -2.0,
                         -0.5,
                         1e-170,
                         2e160,
                         0.7853981633974483,
                         12.566370614359172,
                         -1e6,
                         3e5};
    g_BitWidth = 8;
    for (int mode : {0, 1, 2}) {
        for (const char* text : texts) {
            for (double x : xs) {
                SCOPED_TRACE(std::string(text) + " at " + std::to_string(x) + " mode " +
                             std::to_string(mode));
                ClearErrorCode();
                SetMode(mode);
                std::strcpy(g_chrLastItem, "start");
                testing::internal::CaptureStdout();
                const Outcome want = Walk(text, "x", x);
                const int modeAfter = g_Mode;
                ClearErrorCode();
                SetMode(mode);
                std::strcpy(g_chrLastItem, "start");
                const Outcome got = Compiled(text, "x", x);
                testing::internal::GetCapturedStdout();
                ASSERT_EQ(got.err, want.err);
                ASSERT_EQ(got.ok, want.ok);
                ASSERT_TRUE(SameBits(got.v.re, want.v.re)) << got.v.re << " vs " << want.v.re;
                ASSERT_TRUE(SameBits(got.v.im, want.v.im)) << got.v.im << " vs " << want.v.im;
                ASSERT_EQ(got.lastItem, want.lastItem);
                ASSERT_EQ(g_Mode, modeAfter);
            }
        }
    }
    ClearErrorCode();
}

}  // namespace
