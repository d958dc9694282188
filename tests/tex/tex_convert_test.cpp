// Engine text to TeX markup: the operator rewrites, the call forms and placeholders, register values, the
// brace step, the 8192-byte bound, and the markup rendered by the rasteriser.
#include "tex/tex_convert.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/matrix/registers.h"
#include "engine/parse/tables.h"
#include "numeric/qcomplex.h"
#include "tex/ink.h"

namespace {

// The formula view's conversions before the brace step.
std::string Converted(const std::string& engineText) {
    std::string t = engineText;
    PowerProcessing(t);
    MimeTexProcessing(t);
    return t;
}

struct Row {
    const char* in;
    const char* out;
};

TEST(TexConvert, DivisionAndPower) {
    const Row division[] = {
        {"1/2", "\\frac{1}{2}"},
        {"a+b/c*d", "a+\\frac{b}{c}*d"},
        {"(1+2)/3", "\\frac{(1+2)}{3}"},
        {"1/2/3", "\\frac{\\frac{1}{2}}{3}"},
        {"(1/2)/3", "\\frac{(\\frac{1}{2})}{3}"},
        {"f(1/2,3)", "f(\\frac{1}{2},3)"},
        {"2*3/4", "2*\\frac{3}{4}"},
        {"x/-2", "\\frac{x}{-2}"},
        {"/4", "\\frac{}{4}"},
    };
    for (const Row& r : division) {
        std::string t = r.in;
        EXPECT_TRUE(DevisionProcessing(t)) << r.in;
        EXPECT_EQ(t, r.out) << r.in;
    }
    const Row power[] = {
        {"2^3/4", "{2}^{3}/4"},  // the exponent stops at the slash
        {"2^(1/3)", "{2}^{(\\frac{1}{3})}"},
        {"(x+1)^2", "{(x+1)}^{2}"},
        {"a*b^c+1", "a*{b}^{c}+1"},
        {"sin(x)^2", "{sin(x)}^{2}"},
        {"2^-3", "{2}^{-3}"},
    };
    for (const Row& r : power) {
        std::string t = r.in;
        EXPECT_TRUE(PowerProcessing(t)) << r.in;
        EXPECT_EQ(t, r.out) << r.in;
    }
}

TEST(TexConvert, CallForms) {
    const Row rows[] = {
        {"2^3/4", "\\frac{{2}^{3}}{4}"},
        {"fnInt(x^2,x,0,1)", "\\int_{0}^{1}{\\left({x}^{2}\\right)}\\hspace1dx"},
        {"fnInt(1/x,x,1,2)", "\\int_{1}^{2}{\\left(\\frac{1}{x}\\right)}\\hspace1dx"},
        {"RT(2,x+1)", "\\sqrt{x+1}"},
        {"RT(3,8)", "\\sqrt[3]{8}"},
        {"RT(2,RT(3,8))", "\\sqrt{\\sqrt[3]{8}}"},
        {"fnDeriv(x^3,x,2)", "\\left({x}^{3}\\right)^{'}_{x=2}"},
        {"fnEval(x+1,x,3)", "\\left(x+1\\right)_{x=3}"},
        {"fnRoot(x-2,x,0,5)", "\\left(x-2=0\\right)_{0<=x<=5}"},
        {"fnSum(n^2,n,1,10)", "\\displaystyle\\sum_{n=1}^{10}{\\left({n}^{2}\\right)}"},
        {"fnSum(n,n,1,9,2)", "\\displaystyle\\sum_{n=1,\\Delta=2}^{9}{\\left(n\\right)}"},
        {"fnProduct(k,k,1,5)", "\\displaystyle\\prod_{k=1}^{5}{\\left(k\\right)}"},
        {"ncr(5,2)", "C^{5}_{2}"},
        {"npr(20,10)", "P^{20}_{10}"},
        {"avg(1,2)", "\\displaystyle\\frac{\\sum_{n=1}^{N}{X[n]}}{N}"},
        // The "N" of the statistics forms is no call: the text after them stays.
        {"sum(1,2)+1", "\\displaystyle\\sum_{n=1}^{N}{X[n]}+1"},
        {"gm(2,8)*3", "\\displaystyle\\sqrt[n]{\\prod_{n=1}^{N}{X[n]}}*3"},
        // Calls without a TeX form stay; calls inside or after them are still converted.
        {"gcd(4,6)", "gcd(4,6)"},
        {"ncr(5,2)+gcd(4,6)", "C^{5}_{2}+gcd(4,6)"},
        {"gcd(RT(2,9),6)", "gcd(\\sqrt{9},6)"},
        {"RT(2)", "RT(2)"},  // an argument missing
        // An argument list that never closes.
        {"RT(2,5", "\\sqrt[\\left(?\\right)]{\\left(?\\right)}"},
        {"1+fnInt(x,x", "1+\\int\\left(?\\right)"},
        {"3*ncr(5", "3*C\\left(?\\right)"},
        {"1+min(3", "1+"},
        {"sqrt(2)+Cannot", "sqrt(2)+Cannot"},  // "not" inside a word is no call
    };
    for (const Row& r : rows) EXPECT_EQ(Converted(r.in), r.out) << r.in;
}

TEST(TexConvert, FunctionNameProcessingReportsWhatHasNoForm) {
    std::string tex = "kept";
    EXPECT_EQ(FunctionNameProcessing(4, "4,6", tex), 0);  // gcd
    EXPECT_EQ(FunctionNameProcessing(0, "2", tex), 0);    // RT with its radicand missing
    EXPECT_EQ(FunctionNameProcessing(-1, "", tex), 0);
    EXPECT_EQ(FunctionNameProcessing(kFunctionCallNameCount, "", tex), 0);
    EXPECT_EQ(tex, "kept");
    EXPECT_EQ(FunctionNameProcessing(0, "2,9", tex), 1);
    EXPECT_EQ(tex, "\\sqrt{9}");
}

TEST(TexConvert, RegisterValues) {
    auto scalar = [](int index, double re, double im) {
        const qcmplx v = qcmplx_make(re, im);
        SetRegisterScalar(index, v);
    };
    scalar(2, 2.5, 0);       // VA
    scalar(3, 3, 0);         // VB
    scalar(13, 7, 0);        // V
    scalar(14, 1, 2);        // VM
    scalar(28, -0.125, 0);   // VLRE
    scalar(29, 0.00004, 0);  // LIST
    const double m[] = {1, 2.5, -3, 0};
    SetRegister(27, 2, 2, m);  // VW
    const Row rows[] = {
        {"[VA]", "2.5"},
        {"[VB]*2", "3*2"},
        {"[V]+[VM]", "7+(1+2i)"},
        {"[VLRE]-[LIST]", "-0.125-0"},
        {"2*[VW]", "2*\\left[\\begin{matrix} 1 & 2.5 \\\\ -3 & 0 \\\\ \\end{matrix}\\right]"},
        {"[VA]/[VB]", "\\frac{2.5}{3}"},
        {"RT(2,[VA])", "\\sqrt{2.5}"},
        {"VA", "VA"},  // not a register token
    };
    for (const Row& r : rows) EXPECT_EQ(Converted(r.in), r.out) << r.in;
    std::string out;
    EXPECT_FALSE(RegNameProcessing(30, out));
    for (int i : {2, 3, 13, 14, 27, 28, 29}) ResetAndFreeRegister(i);
}

TEST(TexConvert, BraceStepAndPipeline) {
    const Row braces[] = {
        {"(1+2)", "\\left( 1+2 \\right)"},
        {"sin(x)", "sin\\left( x \\right)"},
        {"\\left(x\\right)", "\\left(x\\right)"},
        {"sqrt(2", "sqrt(2"},  // the parenthesis of a name ending in "t"
        {"((a))", "\\left( \\left( a \\right) \\right)"},
    };
    for (const Row& r : braces) {
        std::string t = r.in;
        EXPECT_TRUE(BraceProcessing(t)) << r.in;
        EXPECT_EQ(t, r.out) << r.in;
    }
    const Row pipeline[] = {
        {"", "\\Large Empty String!"},
        {"1/2", "\\Large \\frac{1}{2}"},
        {"(1+2)/3", "\\Large \\frac{\\left( 1+2 \\right)}{3}"},
        {"2^(1/3)", "\\Large {2}^{\\left( \\frac{1}{3} \\right)}"},
        {"gcd(4,6)", "\\Large gcd\\left( 4,6 \\right)"},
    };
    for (const Row& r : pipeline) EXPECT_EQ(ExpressionToTex(r.in, "\\Large"), r.out) << r.in;
}

TEST(TexConvert, ResultsPastTheBufferBecomeTheOverlengthText) {
    std::string halves;
    while (halves.size() < 4000) halves += "1/2+";
    halves += "1";  // 4001 characters; each 1/2 grows to \frac{1}{2}
    std::string t = halves;
    EXPECT_FALSE(MimeTexProcessing(t));
    EXPECT_EQ(t, kTexOverlength);
    t = halves;
    EXPECT_FALSE(DevisionProcessing(t));
    EXPECT_EQ(t, kTexOverlength);

    std::string powers;
    while (powers.size() < 5000) powers += "2^3+";
    t = powers;
    EXPECT_FALSE(PowerProcessing(t));
    EXPECT_EQ(t, kTexOverlength);

    t = std::string(2000, '(') + std::string(2000, ')');
    EXPECT_FALSE(BraceProcessing(t));
    EXPECT_EQ(t, kTexOverlength);
    EXPECT_EQ(ExpressionToTex(std::string(1500, '(') + "1" + std::string(1500, ')'), "\\Large"),
              "\\Large \\text{Overlength!}");

    t = std::string(kTexTextSize, '1');  // already too long for the buffer
    EXPECT_FALSE(MimeTexProcessing(t));
    EXPECT_EQ(t, kTexOverlength);

    t = std::string(kTexTextSize - 1, '1');  // the longest text that fits
    EXPECT_TRUE(MimeTexProcessing(t));
    EXPECT_EQ(t.size(), kTexTextSize - 1);

    std::string nested = "1";
    for (int i = 0; i < 60; ++i) nested = "RT(2," + nested + ")";
    EXPECT_TRUE(MimeTexProcessing(nested));
    EXPECT_EQ(nested.rfind("\\sqrt{\\sqrt{", 0), 0u);
}

class TexConvertRender : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(tex::TexFonts::Shared().empty()) << "no formula fonts found"; }
    static tex::GreyBitmap Render(const std::string& engineText) {
        int width = 0, height = 0;
        std::vector<std::uint8_t> pixels;
        tex::GreyBitmap bm;
        if (!CreateGifFromEq(ExpressionToTex(engineText, "\\Large"), width, height, pixels)) return bm;
        bm.width = width;
        bm.height = height;
        bm.pixels = std::move(pixels);
        return bm;
    }
};

TEST_F(TexConvertRender, FractionHasNumeratorRuleAndDenominator) {
    const tex::GreyBitmap bm = Render("1/2");
    ASSERT_FALSE(bm.empty());
    EXPECT_EQ(bm.pixels.size(), static_cast<size_t>(bm.width) * bm.height);
    EXPECT_EQ(inktest::RowBands(bm).size(), 3u);
}

TEST_F(TexConvertRender, ConvertedFormulasHaveTheirShapes) {
    const tex::GreyBitmap plain = Render("x"), integral = Render("fnInt(x^2,x,0,1)");
    const tex::GreyBitmap empty = Render(""), zeroRegister = Render("[VW]");
    ASSERT_FALSE(plain.empty());
    ASSERT_FALSE(integral.empty());
    ASSERT_FALSE(empty.empty()) << "an empty expression shows Empty String!";
    // The integral sign with its limits stands well above and below a letter.
    EXPECT_GT(inktest::InkBounds(integral).height(), 2 * inktest::InkBounds(plain).height());
    EXPECT_GT(inktest::Shapes(empty).size(), 8u);  // the letters of the text
    // Stacked fraction of a nested power: 2^3/4 puts {2}^{3} over 4.
    EXPECT_EQ(inktest::RowBands(Render("2^3/4")).size(), 3u);
    const double m[] = {1, 2, 3, 4};
    SetRegister(27, 2, 2, m);
    const tex::GreyBitmap grid = Render("[VW]");
    ResetAndFreeRegister(27);
    ASSERT_FALSE(grid.empty());
    EXPECT_GE(inktest::Shapes(grid).size(), 6u);  // two brackets and four digits
    EXPECT_GT(inktest::InkBounds(grid).height(), inktest::InkBounds(zeroRegister).height());
}

}  // namespace
