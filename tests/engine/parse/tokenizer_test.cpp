// Vocabulary, lookups and the tokenizer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/parse/tables.h"
#include "engine/parse/tokenizer.h"
#include "numeric/errors.h"

namespace {

struct ParseRow {
    const char* in;
    int radix;
    const char* variable;
    int ok;
    const char* out;  // the engine text on success
};

TEST(Tokenizer, RewritesOrRejectsPerRadix) {
    const ParseRow rows[] = {
        {"SIN(30)+2^[VA]", 10, nullptr, 1, "sin ( 30 ) + 2 ^ va"},
        {"3.5*1E5-pi/e+i", 10, nullptr, 1, "3.5 * 1e5 - pi / e + i"},
        {".5", 10, nullptr, 1, "5"},  // a point cannot start a token and is dropped
        {"3+", 10, nullptr, 0, ""},
        {"3.", 10, nullptr, 0, ""},
        {"3)", 10, nullptr, 0, ""},  // passes the end test, fails the count
        {"(1))(", 10, nullptr, 0, ""},
        {"(1))(1", 10, nullptr, 1, "( 1 ) ) ( 1"},  // only the counts are compared
        {"2--3", 10, nullptr, 0, ""},
        {"2,3", 10, nullptr, 0, ""},
        {"2 , 3", 16, nullptr, 1, "2 3"},
        {"1A+F", 16, nullptr, 1, "26 + 15"},
        {"FFFFFFFF", 16, nullptr, 1, "-1"},  // read as a signed 32-bit value
        {"E", 16, nullptr, 1, "14"},
        {"E", 2, nullptr, 0, ""},
        {"E", 8, nullptr, 0, ""},
        {"12", 2, nullptr, 0, ""},
        {"101 AND 11", 2, nullptr, 1, "5 and 3"},
        {"17", 8, nullptr, 1, "15"},
        {"18", 8, nullptr, 0, ""},
        {"2.5", 16, nullptr, 1, "2 5"},  // the point is no token character outside radix 10
        {"ABS(VA)", 16, nullptr, 1, "abs ( va )"},
        {"x^2+X", 10, "x", 1, "x ^ 2 + x"},
        {"Time*2", 10, "time", 1, "time * 2"},
        {"y+1", 10, "x", 0, ""},
        {"y+1", 10, nullptr, 0, ""},
        {"v+vl", 10, nullptr, 0, ""},  // there is no register VL
        {"v+vlre+list", 10, nullptr, 1, "v + vlre + list"},
        {"ncr", 10, nullptr, 0, ""},  // a word of the RPN commands only
        {"2#3", 10, nullptr, 0, ""},
        {"2#3", 16, nullptr, 1, "2 3"},
        {"sin(30)!%", 10, nullptr, 1, "sin ( 30 ) ! %"},
        {"   ", 10, nullptr, 0, ""},
        {"", 10, nullptr, 0, ""},
        {"sin(30)", 7, nullptr, 1, "SIN(30)"},  // an unknown radix only upper-cases
    };
    for (const ParseRow& r : rows) {
        SCOPED_TRACE(std::string(r.in) + " radix " + std::to_string(r.radix));
        ClearErrorCode();
        std::string text = r.in;
        ASSERT_EQ(ExpressionParser(text, r.radix, r.variable), r.ok);
        if (r.ok) {
            EXPECT_EQ(text, r.out);
        }
        EXPECT_EQ(GetErrorCode(), kErrNone);  // the tokenizer sets no code itself
    }
}

TEST(Tokenizer, BufferFormKeepsItsLimits) {
    ClearErrorCode();
    char buffer[kEngineTextSize];
    std::strcpy(buffer, "SIN(30)+2^[VA]");
    ASSERT_EQ(ExpressionParser(buffer, 10, nullptr), 1);
    EXPECT_STREQ(buffer, "sin ( 30 ) + 2 ^ va");

    // A text without a terminator inside the buffer, and one of kEngineTextSize - 1 characters whose
    // engine text (blanks added) would not fit, both fail without writing past the buffer.
    std::memset(buffer, '1', sizeof buffer);
    EXPECT_EQ(ExpressionParser(buffer, 10, nullptr), 0);
    std::string ones(kEngineTextSize - 1, '1');
    for (size_t i = 1; i < ones.size(); i += 2) ones[i] = '+';
    std::memcpy(buffer, ones.c_str(), ones.size() + 1);
    EXPECT_EQ(ExpressionParser(buffer, 10, nullptr), 0);
    EXPECT_EQ(std::strlen(buffer), ones.size());  // upper-cased at most, otherwise intact

    std::string tooLong(kEngineTextSize, '1');
    EXPECT_EQ(ExpressionParser(tooLong, 10, nullptr), 0);
}

TEST(Tokenizer, DoesNothingWhileAnErrorIsPending) {
    SetErrorCode(kErrDivision);
    std::string text = "1+2";
    EXPECT_EQ(ExpressionParser(text, 10, nullptr), 0);
    EXPECT_EQ(text, "1+2");
    ClearErrorCode();
}

TEST(Tables, LookupIsExactAndRemembersTheName) {
    ASSERT_NE(GetHandler("csch"), nullptr);
    ASSERT_NE(GetHandlerEx("csch"), nullptr);
    ASSERT_NE(GetHandlerEx("acsch"), nullptr);
    for (const char* w : {"ctan", "acot", "ctanh", "acoth"}) {
        SCOPED_TRACE(w);
        EXPECT_NE(GetHandler(w), nullptr);
        EXPECT_EQ(GetHandlerEx(w), nullptr);
    }
    EXPECT_EQ(GetHandler("ncr"), nullptr);
    EXPECT_NE(GetHandlerEx("ncr"), nullptr);
    EXPECT_NE(GetHandlerEx("GCD"), nullptr);
    EXPECT_EQ(GetHandlerEx("gcd"), nullptr);  // case-sensitive

    std::strcpy(g_chrLastItem, "keep");
    EXPECT_EQ(GetHandler("SIN"), nullptr);
    EXPECT_STREQ(g_chrLastItem, "keep");  // a miss leaves it
    const FUNCTION_TABLE* row = GetHandler("exp");
    ASSERT_NE(row, nullptr);
    EXPECT_STREQ(g_chrLastItem, "exp");
    EXPECT_EQ(row->handler, &iexp);  // "exp" computes a * 10^b like "iexp"

    EXPECT_STREQ(lpFunctionTable[0].name, "%");
    EXPECT_STREQ(lpFunctionTable[kFunctionTableSize - 1].name, "abs");
    EXPECT_STREQ(lpFunctionTableEx[0].name, "ncr");
    EXPECT_STREQ(lpFunctionTableEx[kFunctionTableExSize - 1].name, "abs");
}

TEST(Tables, Priorities) {
    const std::pair<const char*, int> rows[] = {
        {"(", 0},     {")", 0},    {"and", 1}, {"xor", 1},   {"abs", 1}, {"+", 2},    {"-", 2},
        {"mod", 3},   {"rtr", 3},  {"*", 4},   {"/", 4},     {"^", 5},   {"root", 5}, {"!", 5},
        {"%", 5},     {"exp", 6},  {"sin", 7}, {"actan", 7}, {"lg", 7},  {"tri", 7},  {"acoth", 7},
        {"iroot", 8}, {"iexp", 8}, {"not", 8}, {"ncr", 8},   {"MOD", 8}, {"3.5", 8},  {"x", 8},
    };
    for (auto [token, priority] : rows) {
        SCOPED_TRACE(token);
        EXPECT_EQ(Priority(token), priority);
    }
}

TEST(Tables, RegisterNames) {
    EXPECT_EQ(FindReg("va"), 2);
    EXPECT_EQ(FindReg("v"), 13);
    EXPECT_EQ(FindReg("vL"), -1);
    EXPECT_EQ(FindReg("Vw"), 27);
    EXPECT_EQ(FindReg("list"), 29);
    EXPECT_EQ(FindReg("vvvv"), -1);

    // The text form searches the names in index order, not by position.
    const struct {
        const char* text;
        int offset;
        int index;
        int at;
    } rows[] = {
        {"1+VB+VA", 0, 2, 5},                      // VA (2) before VB (3) although VB comes first
        {"VLRE", 0, 13, 0},                        // "V" (13) is found before "VLRE" (28)
        {"LIST*2", 0, 29, 0}, {"VA+VB", 1, 3, 3},  // the search starts at the offset
        {"2*3", 0, -1, 7},                         // none: offset unchanged
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        int offset = r.offset;
        EXPECT_EQ(FindReg(r.text, offset), r.index);
        EXPECT_EQ(offset, r.index >= 0 ? r.at : r.offset);
    }
}

TEST(Tables, FunctionCallNames) {
    const struct {
        const char* text;
        int offset;
        int index;
        int at;
    } rows[] = {
        {"1+fnInt(x,x,0,1)", 0, 1, 2},
        {"gcd(4,6)+RT(2,9)", 0, 0, 9},  // index order: RT (0) before gcd (4)
        {"sum(X)", 0, 12, 0},
        {"a_sum_1+sum(X)", 0, 12, 8},  // "sum_" further on is skipped
        {"sum_1", 0, 12, 0},           // ... but not at the offset itself
        {"avg(X)+sum_1", 0, 15, 0},    // names after "sum" still start at the offset
        {"\\sum+2", 0, -1, 0},         // a TeX command is no call
        {"\\sum+avg(X)", 0, 15, 5},
        {"fnSum(x,x,1,3)", 0, 10, 0},
        {"2*3", 0, -1, 0},
        // A name inside a longer word is no call: the statistics call N in capitals typed SIN, LN, NAND.
        {"SIN(30)", 0, -1, 0},
        {"LN(2)*ASINH(1)", 0, -1, 0},
        {"5 NAND 3", 0, -1, 0},
        {"SIN(30)+N(X)", 0, 37, 8},
        {"VN+N (X)", 0, 37, 3},
        {"2N(X)", 0, 37, 1},
        {"ncr2(1)", 0, -1, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        int offset = r.offset;
        EXPECT_EQ(FindFunction(r.text, offset), r.index);
        EXPECT_EQ(offset, r.at);
    }
    EXPECT_STREQ(fnName[44], "GausPDF");
    EXPECT_STREQ(g_regname[13], "V");
    EXPECT_STREQ(g_regname[27], "VW");
}

}  // namespace
