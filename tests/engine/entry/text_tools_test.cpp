#include <gtest/gtest.h>

#include "engine/entry/text_tools.h"
#include "numeric/errors.h"
#include "numeric/radix.h"

namespace {

TEST(TextTools, FunctionArgumentsAndParameters) {
    ClearErrorCode();
    std::string out;
    int pos = 0;
    EXPECT_EQ(GetFunctionString("gcd(4,(6+2))*3", out, pos), 1);
    EXPECT_EQ(out, "4,(6+2)");
    EXPECT_EQ(pos, 12);  // one past the matching ')'
    pos = 0;
    EXPECT_EQ(GetFunctionString("gcd(4,6", out, pos), 0);
    pos = 0;
    EXPECT_EQ(GetFunctionString("no call", out, pos), 0);

    struct Row {
        const char* args;
        std::vector<std::string> want;
    };
    const Row rows[] = {
        {"4,6", {"4", "6"}},
        {"x^2,x,0,3", {"x^2", "x", "0", "3"}},
        {"f(a,b),c", {"f(a,b)", "c"}},
        {"8,", {"8"}},  // an empty argument ends the list
        {"", {}},
    };
    for (const Row& r : rows) {
        std::vector<std::string> got;
        int p = 0;
        std::string arg;
        while (GetParam(r.args, arg, p)) got.push_back(arg);
        EXPECT_EQ(got, r.want) << r.args;
    }
    EXPECT_EQ(GetErrorCode(), kErrNone);
    int p = 0;
    GetParam("1),2", out, p);  // a ')' that closes nothing is reported
    EXPECT_EQ(GetErrorCode(), kErrCallSyntax);
    ClearErrorCode();
}

TEST(TextTools, ReplaceEveryOccurrenceWithinTheLimit) {
    std::string s = "x*x+ex";
    EXPECT_TRUE(StrReplace(s, "x", "(2)"));
    EXPECT_EQ(s, "(2)*(2)+e(2)");
    s = "aaa";
    EXPECT_TRUE(StrReplace(s, "a", "aa"));  // inserted text is not rescanned
    EXPECT_EQ(s, "aaaaaa");
    s = std::string(500, 'x');
    std::string before = s;
    EXPECT_FALSE(StrReplace(s, "x", "yyy"));  // 1500 characters do not fit 1024 bytes
    EXPECT_EQ(s, before);                     // and the text is left alone
    std::string small(511, 'x');
    EXPECT_TRUE(StrReplace(small, "x", "yy"));  // 1022 characters plus terminator fit
}

TEST(TextTools, DigitsPerRadix) {
    EXPECT_TRUE(isDigit('F', 16));
    EXPECT_FALSE(isDigit('a', 16));
    EXPECT_FALSE(isDigit('8', 8));
    EXPECT_TRUE(isDigit('1', 2));
    EXPECT_FALSE(isDigit('2', 2));
    EXPECT_FALSE(isDigit('1', 3));
}

TEST(TextTools, LiteralsChangeRadixUnderTheBitWidth) {
    struct Row {
        const char* text;
        int from, to, width;
        const char* want;  // nullptr: no text, -40
    };
    const Row rows[] = {
        {"FF + 1", 16, 2, 8, "11111111+1"},
        {"FF + 1", 16, 2, 16, "11111111+1"},
        {"1FF", 16, 2, 16, "111111111"},
        {"1FF", 16, 2, 8, "11111111"},
        {"3 and 5", 10, 10, 8, "3 and 5"},
        {"FFFFFFFF", 16, 10, 32, "-1"},
        {"255", 10, 16, 8, "FF"},
        {"300", 10, 10, 8, "44"},
        {"12", 10, 2, 24, ""},  // an unknown width writes no literal: nothing is left
        {"", 10, 16, 8, nullptr},
    };
    for (const Row& r : rows) {
        ClearErrorCode();
        g_BitWidth = r.width;
        auto got = StringConvert(r.text, r.from, r.to, false);
        if (r.want && *r.want) {
            ASSERT_TRUE(got.has_value()) << r.text;
            EXPECT_EQ(*got, r.want) << r.text << " " << r.from << "->" << r.to << " w" << r.width;
            EXPECT_EQ(GetErrorCode(), kErrNone);
        } else {
            EXPECT_FALSE(got.has_value()) << r.text;
            EXPECT_EQ(GetErrorCode(), kErrRadixConversion) << r.text;
        }
    }
    g_BitWidth = 8;
    ClearErrorCode();
}

TEST(TextTools, SolveBecomesInverseTimes) {
    ClearErrorCode();
    std::string s = "solve( VA,VB)+1";
    SolverProcessing(s);
    EXPECT_EQ(s, "inv(VA)*(VB)+1");
    s = "solve( (VA),(VB+VC))";
    SolverProcessing(s);
    EXPECT_EQ(s, "inv((VA))*((VB+VC))");
    // Without the blank nothing is dropped (the V of VA was, giving "Syntax error").
    s = "solve(VA,VB)";
    SolverProcessing(s);
    EXPECT_EQ(s, "inv(VA)*(VB)");
    s = "solve((VA),VB)*solve(  VA,VB)";
    SolverProcessing(s);
    EXPECT_EQ(s, "inv((VA))*(VB)*inv( VA)*(VB)");
    s = "solve( VA)";
    SolverProcessing(s);
    EXPECT_EQ(GetErrorCode(), kErrSyntax);
    ClearErrorCode();
}

}  // namespace
