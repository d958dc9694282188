// The rasteriser judged by its bitmaps: where ink lands relative to the baseline and to other parts of a
// formula, how many bands and shapes it forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tex/ink.h"

namespace {

using inktest::InkBounds;
using inktest::Render;
using inktest::RowBands;
using inktest::Shapes;

class TexRender : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(tex::TexFonts::Shared().empty())
            << "no formula fonts found (fonts-lmodern or fonts-dejavu-core; scripts/deps installs them)";
    }
};

TEST_F(TexRender, UsesLatinModernWhenInstalled) {
    const std::string fonts = tex::TexFonts::Shared().Description();
    EXPECT_NE(fonts.find("math=latinmodern-math.otf"), std::string::npos) << fonts;
}

TEST_F(TexRender, FractionStacksNumeratorOverRuleOverDenominator) {
    const auto num = Render("a"), frac = Render("\\frac{a}{b}");
    const inktest::Rect n = InkBounds(num.bitmap), f = InkBounds(frac.bitmap);
    EXPECT_GT(f.height(), 2 * n.height());
    // Three bands: numerator, rule, denominator; the rule is the widest and sits above the baseline.
    const auto bands = RowBands(frac.bitmap);
    ASSERT_EQ(bands.size(), 3u);
    const int ruleRow = bands[1].first;
    int ruleInk = 0;
    for (int x = 0; x < frac.bitmap.width; ++x) ruleInk += frac.bitmap.at(x, ruleRow) >= inktest::kInk;
    EXPECT_GE(ruleInk, n.width());
    EXPECT_LT(ruleRow, frac.baseline);
    EXPECT_LT(bands[0].second, frac.baseline);  // numerator wholly above the baseline
    EXPECT_GT(bands[2].second, frac.baseline);  // denominator reaches below it
}

TEST_F(TexRender, ScriptsLeaveTheBaselineOfTheirNucleus) {
    struct Row {
        const char* markup;
        bool above;  // ink higher than x's own top
        bool below;  // ink below the baseline (x has none)
    };
    const Row rows[] = {
        {"x^{2}", true, false},   {"x_{2}", false, true}, {"x^{2}_{3}", true, true},
        {"{x}^{2}", true, false}, {"x^2", true, false},
    };
    const auto plain = Render("x");
    const int xTop = InkBounds(plain.bitmap).top - plain.baseline;
    EXPECT_LE(InkBounds(plain.bitmap).bottom - plain.baseline, 1);  // at most the overshoot of the curves
    for (const Row& r : rows) {
        const auto img = Render(r.markup);
        const inktest::Rect ink = InkBounds(img.bitmap);
        EXPECT_EQ(ink.top - img.baseline < xTop - 2, r.above) << r.markup;
        EXPECT_EQ(ink.bottom - img.baseline > 2, r.below) << r.markup;
        EXPECT_GT(ink.width(), InkBounds(plain.bitmap).width()) << r.markup;
    }
}

TEST_F(TexRender, RowsAndLinesMakeSeparateInkBands) {
    struct Row {
        const char* markup;
        size_t bands;
    };
    const Row rows[] = {
        {"\\begin{matrix} 1 & 2 \\\\ 3 & 4 \\end{matrix}", 2},
        {"\\begin{matrix} 1 & 2 \\\\ 3 & 4 \\\\ \\end{matrix}", 2},  // a trailing \\ adds no row
        {"\\begin{matrix} 1 \\\\ 2 \\\\ 3 \\end{matrix}", 3},
        {"\\begin{matrix} 1 & 2 & 3 \\end{matrix}", 1},
        {"a\\\\b", 2},
        {"\\large X^2-3X+2=0\\\\X_1=1=1\\\\X_2=2=2", 3},
        {"\\frac{1}{2}\\\\\\frac{3}{4}", 6},
    };
    for (const Row& r : rows) EXPECT_EQ(RowBands(Render(r.markup).bitmap).size(), r.bands) << r.markup;
}

TEST_F(TexRender, MatrixBracketsEncloseBothRows) {
    const auto img = Render("\\left[\\begin{matrix} 1 & 2 \\\\ 3 & 4 \\end{matrix}\\right]");
    const auto shapes = Shapes(img.bitmap);
    ASSERT_EQ(shapes.size(), 6u);  // [ 1 3 2 4 ]
    const inktest::Rect left = shapes.front().box, right = shapes.back().box;
    for (size_t i = 1; i + 1 < shapes.size(); ++i) {
        EXPECT_LE(left.top, shapes[i].box.top);
        EXPECT_GE(left.bottom, shapes[i].box.bottom);
        EXPECT_LE(right.top, shapes[i].box.top);
    }
}

TEST_F(TexRender, GrowingParenthesesFollowTheirContents) {
    const auto small = Shapes(Render("(a)").bitmap),
               grown = Shapes(Render("\\left(\\frac{a}{b}\\right)").bitmap);
    const auto same = Shapes(Render("\\left(a\\right)").bitmap);
    ASSERT_FALSE(small.empty());
    ASSERT_FALSE(grown.empty());
    ASSERT_FALSE(same.empty());
    EXPECT_GT(grown.front().box.height(), small.front().box.height() * 3 / 2);
    EXPECT_GT(grown.back().box.height(), small.back().box.height() * 3 / 2);
    // Around a single letter \left( needs no more than the ordinary parenthesis.
    EXPECT_EQ(same.front().box.height(), small.front().box.height());
}

TEST_F(TexRender, RootIndexIsSmallerThanTheRadicandAndSitsHigher) {
    const auto shapes = Shapes(Render("\\sqrt[x]{x}").bitmap);
    ASSERT_EQ(shapes.size(), 3u);  // the index, the sign with its bar, the radicand
    std::vector<inktest::Rect> letters;
    size_t sign = 0;
    for (size_t i = 0; i < shapes.size(); ++i) {
        if (shapes[i].box.width() > shapes[sign].box.width()) sign = i;
    }
    for (size_t i = 0; i < shapes.size(); ++i) {
        if (i != sign) letters.push_back(shapes[i].box);
    }
    const inktest::Rect index = letters[0], radicand = letters[1];  // left to right
    EXPECT_LT(index.height(), radicand.height() * 4 / 5);
    EXPECT_LT(index.bottom, radicand.bottom);
    EXPECT_GE(shapes[sign].box.right, radicand.right);  // the bar covers the radicand
    EXPECT_LE(shapes[sign].box.top, radicand.top);
}

TEST_F(TexRender, DisplayOperatorsAreLargerAndCarryLimitsAboveAndBelow) {
    const auto display = Render("\\sum x"), text = Render("\\textstyle\\sum x");
    EXPECT_GT(InkBounds(display.bitmap).height(), InkBounds(text.bitmap).height());
    const auto limits = Render("\\sum_{x=1}^{10}x");
    const auto bands = RowBands(limits.bitmap);
    ASSERT_EQ(bands.size(), 3u);  // upper limit, the sign (with x), lower limit
    const auto integral = Render("\\int_{0}^{1}x");
    // The integral keeps its limits beside it: one band, wider than the bare sign.
    EXPECT_EQ(RowBands(integral.bitmap).size(), 1u);
    EXPECT_GT(InkBounds(integral.bitmap).width(), InkBounds(Render("\\int x").bitmap).width());
}

TEST_F(TexRender, TextGrowsWithItsLengthAndUnknownCommandsShowTheirName) {
    const int w1 = InkBounds(Render("\\text{abc}").bitmap).width();
    const int w2 = InkBounds(Render("\\text{abcabc}").bitmap).width();
    const int w3 = InkBounds(Render("\\text{abc abc}").bitmap).width();
    EXPECT_GT(w2, w1 * 3 / 2);
    EXPECT_GT(w3, w2);  // the blank keeps its width in text
    const struct {
        const char* command;
        const char* shown;
    } rows[] = {{"\\foo", "\\text{foo}"},
                {"\\unknowncommand{x}", "\\text{unknowncommand}x"},
                {"\\gcd", "\\text{gcd}"}};
    for (const auto& r : rows) {
        const auto a = Render(r.command), b = Render(r.shown);
        ASSERT_FALSE(a.bitmap.empty()) << r.command;
        EXPECT_EQ(a.bitmap.pixels, b.bitmap.pixels) << r.command;
    }
}

TEST_F(TexRender, SizeLevelsScaleTheFormula) {
    const int normal = InkBounds(Render("x+1", tex::kNormalSizeLevel, 1).bitmap).width();
    const int large = InkBounds(Render("x+1", tex::kLargeSizeLevel, 1).bitmap).width();
    const int viaMarkup = InkBounds(Render("\\large x+1", tex::kNormalSizeLevel, 1).bitmap).width();
    EXPECT_GT(large, normal);
    EXPECT_EQ(viaMarkup, large);
    const int doubled = InkBounds(Render("x+1", tex::kNormalSizeLevel, 2).bitmap).width();
    EXPECT_NEAR(doubled, 2 * normal, 2);
}

TEST_F(TexRender, SpacingFollowsAtomClasses) {
    // A binary minus is spaced, a leading (unary) one is not; relations get more room than binaries.
    const int binary = InkBounds(Render("a-b").bitmap).width();
    const int unary = InkBounds(Render("-ab").bitmap).width();
    const int relation = InkBounds(Render("a=b").bitmap).width();
    const int tight = InkBounds(Render("ab").bitmap).width();
    EXPECT_GT(binary, unary);
    EXPECT_GT(unary, tight);
    EXPECT_GT(relation, tight + InkBounds(Render("=").bitmap).width());
    EXPECT_GT(InkBounds(Render("a\\hspace{10}b").bitmap).width(), tight + 10);
}

TEST_F(TexRender, NothingToSetGivesAnEmptyBitmap) {
    for (const char* markup :
         {"", "   ", "{}", "\\displaystyle", "\\Large", "\\hspace{5}", "\\left.\\right."}) {
        const auto img = Render(markup);
        EXPECT_TRUE(img.bitmap.empty()) << markup;
        EXPECT_TRUE(img.bitmap.pixels.empty()) << markup;
    }
}

TEST_F(TexRender, BitmapIsWhollyCoveredAndPadded) {
    const auto img = Render("f^{2}\\int_{0}^{1}\\bar X");  // italic overhangs and an accent
    ASSERT_FALSE(img.bitmap.empty());
    EXPECT_EQ(img.bitmap.pixels.size(), static_cast<size_t>(img.bitmap.width) * img.bitmap.height);
    const inktest::Rect ink = InkBounds(img.bitmap, 1);
    EXPECT_GE(ink.left, 1);
    EXPECT_GE(ink.top, 1);
    EXPECT_LE(ink.right, img.bitmap.width - 1);
    EXPECT_LE(ink.bottom, img.bitmap.height - 1);
}

TEST_F(TexRender, OversizedFormulasAreCutToTheMaximumBitmap) {
    std::string wide = "\\Huge";
    for (int i = 0; i < 4; ++i) wide += "\\hspace{100em}x";
    const auto img = Render(wide);
    EXPECT_TRUE(img.clipped);
    EXPECT_EQ(img.bitmap.width, tex::kMaxBitmapWidth);
    std::string tall;
    for (int i = 0; i < 400; ++i) tall += "x\\\\";
    const auto high = Render("\\Huge " + tall);
    EXPECT_TRUE(high.clipped);
    EXPECT_EQ(high.bitmap.height, tex::kMaxBitmapHeight);
    EXPECT_EQ(RowBands(high.bitmap).size() > 50, true);
}

TEST(TexFontsLookup, MissingFontsRenderNothing) {
    const auto none = tex::TexFonts::Load({"/nonexistent/orvtex-fonts"});
    ASSERT_TRUE(none->empty());
    EXPECT_EQ(none->Description(), "no fonts");
    EXPECT_FALSE(none->Find('x', tex::FontRole::Math).valid());
    const auto img = tex::RenderTexImage("\\frac{1}{2}", {}, *none);
    EXPECT_TRUE(img.bitmap.empty());
    EXPECT_TRUE(img.bitmap.pixels.empty());
}

TEST(TexFontsLookup, EnvironmentFolderReplacesTheDebianOnes) {
    const char* before = std::getenv("ORVCALC_TEX_FONT_DIR");
    const std::string saved = before != nullptr ? before : "";
    ::setenv("ORVCALC_TEX_FONT_DIR", "/opt/orv-fonts", 1);
    EXPECT_EQ(tex::TexFonts::DefaultFolders(), std::vector<std::string>{"/opt/orv-fonts"});
    ::unsetenv("ORVCALC_TEX_FONT_DIR");
    const std::vector<std::string> debian = tex::TexFonts::DefaultFolders();
    EXPECT_NE(std::find(debian.begin(), debian.end(), "/usr/share/texmf/fonts/opentype/public/lm-math"),
              debian.end());
    EXPECT_NE(std::find(debian.begin(), debian.end(), "/usr/share/fonts/truetype/dejavu"), debian.end());
    if (before != nullptr) ::setenv("ORVCALC_TEX_FONT_DIR", saved.c_str(), 1);
}

TEST(TexFontsLookup, DejaVuAloneStillSetsEveryConstruct) {
    const auto dejavu = tex::TexFonts::Load({"/usr/share/fonts/truetype/dejavu"});
    if (dejavu->empty()) GTEST_SKIP() << "fonts-dejavu-core not installed";
    EXPECT_EQ(dejavu->Description().find("latinmodern"), std::string::npos);
    for (const char* markup :
         {"\\frac{1}{2}", "\\sqrt[3]{x}", "\\sum_{x=1}^{10}x^{2}", "\\int_{0}^{1}x\\hspace1dx",
          "\\left(\\frac{a}{b}\\right)", "\\rightarrow\\text{Cannot be solved!}", "\\bar X\\Delta"}) {
        tex::TexRenderOptions o;
        o.sizeLevel = 4;
        EXPECT_FALSE(tex::RenderTexImage(markup, o, *dejavu).bitmap.empty()) << markup;
    }
}

TEST(TexFontsLookup, GlyphsDrawnAcrossTheBitmapEdgeAreClipped) {
    const tex::TexFonts& fonts = tex::TexFonts::Shared();
    const tex::GlyphRef f = fonts.Find('f', tex::FontRole::MathItalic);
    ASSERT_TRUE(f.valid());
    const struct {
        double x, y;
        bool ink;
    } rows[] = {{-8, 14, true},  {10, 4, true},  {4, 26, true},   {-40, 14, false},
                {8, -30, false}, {8, 60, false}, {100, 14, false}};
    for (const auto& r : rows) {
        tex::GreyBitmap bm{16, 16, std::vector<uint8_t>(256, 0)};
        fonts.DrawGlyph(f, 24, 1, 1, r.x, r.y, bm);
        EXPECT_EQ(!InkBounds(bm, 1).empty(), r.ink) << r.x << "," << r.y;
        EXPECT_EQ(bm.pixels.size(), 256u);
    }
    tex::GreyBitmap empty;
    fonts.DrawGlyph(f, 24, 1, 1, 0, 0, empty);  // nothing to draw into: no effect
    EXPECT_TRUE(empty.pixels.empty());
}

}  // namespace
