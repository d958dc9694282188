// Reading an OpenType MATH table built here byte by byte, whole, cut short and damaged.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tex/math_table.h"

namespace {

class Bytes {
  public:
    size_t size() const { return m_s.size(); }
    void u16(int v) {
        m_s += static_cast<char>((v >> 8) & 0xFF);
        m_s += static_cast<char>(v & 0xFF);
    }
    void at(size_t offset, int v) {
        m_s[offset] = static_cast<char>((v >> 8) & 0xFF);
        m_s[offset + 1] = static_cast<char>(v & 0xFF);
    }
    const std::string& str() const { return m_s; }

  private:
    std::string m_s;
};

// A table in 1000 units per em with: axis 250, rule 40, kern after degree -556, raise 60 %; italic
// corrections 100 and 200 for glyphs 5 and 9; glyph 7 with variants 7 (1000) and 8 (1500) and a
// three-part assembly whose middle part is an extender.
std::string SampleTable() {
    Bytes b;
    b.u16(1);
    b.u16(0);
    b.u16(10);   // constants
    b.u16(224);  // glyph info
    b.u16(0);    // variants, patched below
    // MathConstants at 10.
    b.u16(70);
    b.u16(50);
    b.u16(1300);
    b.u16(1300);
    for (int i = 0; i < 51; ++i) {
        b.u16(i == 1 ? 250 : i == 34 ? 40 : i == 50 ? -556 : 0);
        b.u16(0);
    }
    b.u16(60);
    // MathGlyphInfo at 224: italics at +8.
    b.u16(8);
    b.u16(0);
    b.u16(0);
    b.u16(0);
    // MathItalicsCorrectionInfo at 232: coverage at +12, two records.
    b.u16(12);
    b.u16(2);
    b.u16(100);
    b.u16(0);
    b.u16(200);
    b.u16(0);
    b.u16(1);  // coverage format 1
    b.u16(2);
    b.u16(5);
    b.u16(9);
    // MathVariants.
    const size_t variants = b.size();
    b.at(8, static_cast<int>(variants));
    b.u16(20);  // min connector overlap
    b.u16(12);  // vertical coverage at +12
    b.u16(0);
    b.u16(1);
    b.u16(0);
    b.u16(22);  // construction at +22, after the coverage
    b.u16(2);   // coverage format 2: glyph 7 alone
    b.u16(1);
    b.u16(7);
    b.u16(7);
    b.u16(0);
    // MathGlyphConstruction at variants + 22: assembly at +12, two variants.
    b.u16(12);
    b.u16(2);
    b.u16(7);
    b.u16(1000);
    b.u16(8);
    b.u16(1500);
    // GlyphAssembly: italic correction, three parts.
    b.u16(0);
    b.u16(0);
    b.u16(3);
    const int parts[3][5] = {{10, 0, 100, 500, 0}, {11, 100, 100, 300, 1}, {12, 100, 0, 500, 0}};
    for (const auto& p : parts) {
        for (int v : p) b.u16(v);
    }
    return b.str();
}

TEST(MathTable, ReadsConstantsCorrectionsAndVariants) {
    const tex::MathTable t = tex::ParseMathTable(SampleTable(), 1000);
    ASSERT_TRUE(t.hasConstants);
    EXPECT_DOUBLE_EQ(t.constants.scriptScale, 0.7);
    EXPECT_DOUBLE_EQ(t.constants.scriptScriptScale, 0.5);
    EXPECT_DOUBLE_EQ(t.constants.displayOperatorMinHeight, 1.3);
    EXPECT_DOUBLE_EQ(t.constants.axisHeight, 0.25);
    EXPECT_DOUBLE_EQ(t.constants.fractionRuleThickness, 0.04);
    EXPECT_DOUBLE_EQ(t.constants.radicalKernAfterDegree, -0.556);
    EXPECT_DOUBLE_EQ(t.constants.radicalDegreeBottomRaisePercent, 0.6);
    EXPECT_DOUBLE_EQ(t.constants.subscriptShiftDown, 0);  // stored as 0, not left at the default
    ASSERT_EQ(t.italicCorrection.size(), 2u);
    EXPECT_DOUBLE_EQ(t.italicCorrection.at(5), 0.1);
    EXPECT_DOUBLE_EQ(t.italicCorrection.at(9), 0.2);
    EXPECT_DOUBLE_EQ(t.minConnectorOverlap, 0.02);
    ASSERT_EQ(t.vertical.count(7), 1u);
    const tex::MathGlyphConstruction& c = t.vertical.at(7);
    ASSERT_EQ(c.variants.size(), 2u);
    EXPECT_EQ(c.variants[1].glyph, 8);
    EXPECT_DOUBLE_EQ(c.variants[1].size, 1.5);
    ASSERT_EQ(c.parts.size(), 3u);
    EXPECT_FALSE(c.parts[0].extender);
    EXPECT_TRUE(c.parts[1].extender);
    EXPECT_DOUBLE_EQ(c.parts[2].fullAdvance, 0.5);
    EXPECT_DOUBLE_EQ(c.parts[2].startConnector, 0.1);
    // Units per em scale everything; 0 is read as 1000.
    EXPECT_DOUBLE_EQ(tex::ParseMathTable(SampleTable(), 2000).constants.axisHeight, 0.125);
    EXPECT_DOUBLE_EQ(tex::ParseMathTable(SampleTable(), 0).constants.axisHeight, 0.25);
}

TEST(MathTable, TruncatedTablesYieldWhatFits) {
    const std::string full = SampleTable();
    for (size_t n = 0; n < full.size(); ++n) {
        const tex::MathTable t = tex::ParseMathTable(std::string_view(full).substr(0, n), 1000);
        EXPECT_EQ(t.hasConstants, n >= 10 + 214) << n;
        if (!t.hasConstants) {
            EXPECT_DOUBLE_EQ(t.constants.axisHeight, tex::MathConstants{}.axisHeight) << n;
        }
        for (const auto& [glyph, c] : t.vertical) EXPECT_LE(c.parts.size(), 3u) << n;
    }
}

TEST(MathTable, DamagedTablesNeverReadOutside) {
    const std::string full = SampleTable();
    std::string wrongVersion = full;
    wrongVersion[1] = 2;
    EXPECT_FALSE(tex::ParseMathTable(wrongVersion, 1000).hasConstants);
    // Offsets and counts pointing far outside the data.
    Bytes b;
    b.u16(1);
    b.u16(0);
    b.u16(0xFFF0);
    b.u16(0xFFF0);
    b.u16(0xFFF0);
    const tex::MathTable t = tex::ParseMathTable(b.str(), 1000);
    EXPECT_FALSE(t.hasConstants);
    EXPECT_TRUE(t.vertical.empty());
    std::mt19937 rng(7);
    for (int i = 0; i < 3000; ++i) {
        std::string damaged = full;
        const int flips = 1 + static_cast<int>(rng() % 8);
        for (int k = 0; k < flips; ++k) damaged[rng() % damaged.size()] = static_cast<char>(rng() % 256);
        const tex::MathTable d = tex::ParseMathTable(damaged, 1000);
        // Whatever was read came from records inside the data.
        EXPECT_LE(d.italicCorrection.size() * 4, damaged.size());
        for (const auto& [glyph, c] : d.vertical) {
            EXPECT_LE(c.variants.size() * 4, damaged.size());
            EXPECT_LE(c.parts.size() * 10, damaged.size());
        }
    }
}

}  // namespace
