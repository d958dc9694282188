// The parts of an OpenType "MATH" table the formula layout uses: the layout constants, italic corrections,
// top-accent attachment points and the vertical size variants and assemblies of stretchy glyphs
// (parentheses, brackets, radicals, big operators).
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tex {

// Layout constants of a math font, in em (font units divided by units per em) except the two script
// scale factors, which are plain ratios. The defaults are those of a Computer-Modern-like font and serve
// fonts without a MATH table.
struct MathConstants {
    double scriptScale = 0.70;        // script size / text size
    double scriptScriptScale = 0.50;  // scriptscript size / text size
    double delimitedSubFormulaMinHeight = 1.30;
    double displayOperatorMinHeight = 1.30;
    double axisHeight = 0.25;
    double accentBaseHeight = 0.45;
    double subscriptShiftDown = 0.247;
    double subscriptTopMax = 0.344;
    double subscriptBaselineDropMin = 0.20;
    double superscriptShiftUp = 0.363;
    double superscriptShiftUpCramped = 0.289;
    double superscriptBottomMin = 0.108;
    double superscriptBaselineDropMax = 0.25;
    double subSuperscriptGapMin = 0.16;
    double superscriptBottomMaxWithSubscript = 0.344;
    double spaceAfterScript = 0.056;
    double upperLimitGapMin = 0.20;
    double upperLimitBaselineRiseMin = 0.111;
    double lowerLimitGapMin = 0.167;
    double lowerLimitBaselineDropMin = 0.60;
    double fractionNumeratorShiftUp = 0.394;
    double fractionNumeratorDisplayStyleShiftUp = 0.677;
    double fractionDenominatorShiftDown = 0.345;
    double fractionDenominatorDisplayStyleShiftDown = 0.686;
    double fractionNumeratorGapMin = 0.04;
    double fractionNumDisplayStyleGapMin = 0.12;
    double fractionRuleThickness = 0.04;
    double fractionDenominatorGapMin = 0.04;
    double fractionDenomDisplayStyleGapMin = 0.12;
    double overbarVerticalGap = 0.12;
    double overbarRuleThickness = 0.04;
    double overbarExtraAscender = 0.04;
    double underbarVerticalGap = 0.12;
    double underbarRuleThickness = 0.04;
    double underbarExtraDescender = 0.04;
    double radicalVerticalGap = 0.05;
    double radicalDisplayStyleVerticalGap = 0.148;
    double radicalRuleThickness = 0.04;
    double radicalExtraAscender = 0.04;
    double radicalKernBeforeDegree = 0.278;
    double radicalKernAfterDegree = -0.30;          // less than TeX's: text faces have narrower radical signs
    double radicalDegreeBottomRaisePercent = 0.65;  // a ratio of the radical's height
};

// One ready-made size of a stretchy glyph; size is its height (vertical variants) in em.
struct MathGlyphVariant {
    uint16_t glyph = 0;
    double size = 0;
};

// One piece of an assembly, listed bottom to top. Lengths in em.
struct MathGlyphPart {
    uint16_t glyph = 0;
    double startConnector = 0;
    double endConnector = 0;
    double fullAdvance = 0;
    bool extender = false;
};

struct MathGlyphConstruction {
    std::vector<MathGlyphVariant> variants;  // smallest first; the first is usually the glyph itself
    std::vector<MathGlyphPart> parts;        // empty when the glyph has no assembly
};

struct MathTable {
    bool hasConstants = false;
    MathConstants constants;
    std::unordered_map<uint16_t, double> italicCorrection;  // em
    std::unordered_map<uint16_t, double> topAccent;         // attachment x, em from the glyph origin
    std::unordered_map<uint16_t, MathGlyphConstruction> vertical;
    double minConnectorOverlap = 0;  // em
};

// Reads the MATH table bytes of a font with the given units per em. Every offset and count is checked
// against the data, so a damaged table yields what could be read (possibly nothing) and never reads past
// `data`. unitsPerEm of 0 is taken as 1000.
MathTable ParseMathTable(std::string_view data, unsigned unitsPerEm);

}  // namespace tex
