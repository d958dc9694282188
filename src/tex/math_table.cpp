#include "tex/math_table.h"

#include <array>
#include <cstddef>

namespace tex {

namespace {

// Big-endian reads that answer 0 outside the data: a damaged font then degrades to zero offsets and
// counts instead of reading out of bounds.
class Reader {
  public:
    explicit Reader(std::string_view data) : m_data(data) {}
    bool has(size_t offset, size_t length) const {
        return offset <= m_data.size() && length <= m_data.size() - offset;
    }
    uint16_t u16(size_t offset) const {
        if (!has(offset, 2)) return 0;
        return static_cast<uint16_t>((static_cast<uint8_t>(m_data[offset]) << 8) |
                                     static_cast<uint8_t>(m_data[offset + 1]));
    }
    int16_t s16(size_t offset) const { return static_cast<int16_t>(u16(offset)); }
    // An Offset16 field at `at`, relative to `base`; 0 when the field is null or points outside.
    size_t offset(size_t base, size_t at) const {
        const uint16_t o = u16(at);
        if (o == 0 || !has(base + o, 2)) return 0;
        return base + o;
    }

  private:
    std::string_view m_data;
};

// Glyph ids of a Coverage table in coverage-index order.
std::vector<uint16_t> ReadCoverage(const Reader& r, size_t at) {
    std::vector<uint16_t> glyphs;
    if (at == 0) return glyphs;
    const uint16_t format = r.u16(at);
    const uint16_t count = r.u16(at + 2);
    if (format == 1) {
        for (size_t i = 0; i < count && r.has(at + 4 + 2 * i, 2); ++i)
            glyphs.push_back(r.u16(at + 4 + 2 * i));
    } else if (format == 2) {
        for (size_t i = 0; i < count && r.has(at + 4 + 6 * i, 6); ++i) {
            const size_t rec = at + 4 + 6 * i;
            const uint16_t first = r.u16(rec), last = r.u16(rec + 2), index = r.u16(rec + 4);
            if (last < first) continue;
            // Ranges are laid out by their start coverage index; fill gaps so that indices line up.
            const size_t need = static_cast<size_t>(index) + (last - first) + 1;
            if (need > 65536) continue;
            if (glyphs.size() < need) glyphs.resize(need, 0);
            for (unsigned g = first; g <= last; ++g) glyphs[index + (g - first)] = static_cast<uint16_t>(g);
        }
    }
    return glyphs;
}

using ConstantField = double MathConstants::*;

// The MathValueRecords of the MathConstants table in their stored order; nullptr marks the ones the
// layout does not use.
constexpr std::array<ConstantField, 51> kConstantFields = {
    nullptr,  // mathLeading
    &MathConstants::axisHeight,
    &MathConstants::accentBaseHeight,
    nullptr,  // flattenedAccentBaseHeight
    &MathConstants::subscriptShiftDown,
    &MathConstants::subscriptTopMax,
    &MathConstants::subscriptBaselineDropMin,
    &MathConstants::superscriptShiftUp,
    &MathConstants::superscriptShiftUpCramped,
    &MathConstants::superscriptBottomMin,
    &MathConstants::superscriptBaselineDropMax,
    &MathConstants::subSuperscriptGapMin,
    &MathConstants::superscriptBottomMaxWithSubscript,
    &MathConstants::spaceAfterScript,
    &MathConstants::upperLimitGapMin,
    &MathConstants::upperLimitBaselineRiseMin,
    &MathConstants::lowerLimitGapMin,
    &MathConstants::lowerLimitBaselineDropMin,
    nullptr,  // stackTopShiftUp
    nullptr,  // stackTopDisplayStyleShiftUp
    nullptr,  // stackBottomShiftDown
    nullptr,  // stackBottomDisplayStyleShiftDown
    nullptr,  // stackGapMin
    nullptr,  // stackDisplayStyleGapMin
    nullptr,  // stretchStackTopShiftUp
    nullptr,  // stretchStackBottomShiftDown
    nullptr,  // stretchStackGapAboveMin
    nullptr,  // stretchStackGapBelowMin
    &MathConstants::fractionNumeratorShiftUp,
    &MathConstants::fractionNumeratorDisplayStyleShiftUp,
    &MathConstants::fractionDenominatorShiftDown,
    &MathConstants::fractionDenominatorDisplayStyleShiftDown,
    &MathConstants::fractionNumeratorGapMin,
    &MathConstants::fractionNumDisplayStyleGapMin,
    &MathConstants::fractionRuleThickness,
    &MathConstants::fractionDenominatorGapMin,
    &MathConstants::fractionDenomDisplayStyleGapMin,
    nullptr,  // skewedFractionHorizontalGap
    nullptr,  // skewedFractionVerticalGap
    &MathConstants::overbarVerticalGap,
    &MathConstants::overbarRuleThickness,
    &MathConstants::overbarExtraAscender,
    &MathConstants::underbarVerticalGap,
    &MathConstants::underbarRuleThickness,
    &MathConstants::underbarExtraDescender,
    &MathConstants::radicalVerticalGap,
    &MathConstants::radicalDisplayStyleVerticalGap,
    &MathConstants::radicalRuleThickness,
    &MathConstants::radicalExtraAscender,
    &MathConstants::radicalKernBeforeDegree,
    &MathConstants::radicalKernAfterDegree,
};

bool ReadConstants(const Reader& r, size_t at, double em, MathConstants& c) {
    constexpr size_t kSize = 8 + 4 * kConstantFields.size() + 2;
    if (at == 0 || !r.has(at, kSize)) return false;
    const int16_t script = r.s16(at), scriptScript = r.s16(at + 2);
    if (script > 0 && script <= 100) c.scriptScale = script / 100.0;
    if (scriptScript > 0 && scriptScript <= 100) c.scriptScriptScale = scriptScript / 100.0;
    c.delimitedSubFormulaMinHeight = r.u16(at + 4) / em;
    c.displayOperatorMinHeight = r.u16(at + 6) / em;
    for (size_t i = 0; i < kConstantFields.size(); ++i) {
        if (kConstantFields[i] != nullptr) c.*kConstantFields[i] = r.s16(at + 8 + 4 * i) / em;
    }
    c.radicalDegreeBottomRaisePercent = r.s16(at + 8 + 4 * kConstantFields.size()) / 100.0;
    return true;
}

// A coverage table followed by one MathValueRecord per covered glyph (italic corrections, accents).
void ReadGlyphValues(const Reader& r, size_t at, double em, std::unordered_map<uint16_t, double>& out) {
    if (at == 0) return;
    const std::vector<uint16_t> glyphs = ReadCoverage(r, r.offset(at, at));
    const uint16_t count = r.u16(at + 2);
    for (size_t i = 0; i < count && i < glyphs.size() && r.has(at + 4 + 4 * i, 2); ++i) {
        out[glyphs[i]] = r.s16(at + 4 + 4 * i) / em;
    }
}

MathGlyphConstruction ReadConstruction(const Reader& r, size_t at, double em) {
    MathGlyphConstruction c;
    const uint16_t variants = r.u16(at + 2);
    for (size_t i = 0; i < variants && r.has(at + 4 + 4 * i, 4); ++i) {
        c.variants.push_back({r.u16(at + 4 + 4 * i), r.u16(at + 6 + 4 * i) / em});
    }
    const size_t assembly = r.offset(at, at);
    if (assembly != 0) {
        const uint16_t parts = r.u16(assembly + 4);
        for (size_t i = 0; i < parts && r.has(assembly + 6 + 10 * i, 10); ++i) {
            const size_t p = assembly + 6 + 10 * i;
            c.parts.push_back(
                {r.u16(p), r.u16(p + 2) / em, r.u16(p + 4) / em, r.u16(p + 6) / em, (r.u16(p + 8) & 1) != 0});
        }
    }
    return c;
}

void ReadVariants(const Reader& r, size_t at, double em, MathTable& t) {
    if (at == 0) return;
    t.minConnectorOverlap = r.u16(at) / em;
    const std::vector<uint16_t> glyphs = ReadCoverage(r, r.offset(at, at + 2));
    const uint16_t count = r.u16(at + 6);
    for (size_t i = 0; i < count && i < glyphs.size(); ++i) {
        const size_t construction = r.offset(at, at + 10 + 2 * i);
        if (construction != 0) t.vertical[glyphs[i]] = ReadConstruction(r, construction, em);
    }
}

}  // namespace

MathTable ParseMathTable(std::string_view data, unsigned unitsPerEm) {
    MathTable t;
    const Reader r(data);
    const double em = unitsPerEm == 0 ? 1000.0 : static_cast<double>(unitsPerEm);
    if (!r.has(0, 10) || r.u16(0) != 1) return t;
    t.hasConstants = ReadConstants(r, r.offset(0, 4), em, t.constants);
    const size_t glyphInfo = r.offset(0, 6);
    if (glyphInfo != 0) {
        ReadGlyphValues(r, r.offset(glyphInfo, glyphInfo), em, t.italicCorrection);
        ReadGlyphValues(r, r.offset(glyphInfo, glyphInfo + 2), em, t.topAccent);
    }
    ReadVariants(r, r.offset(0, 8), em, t);
    return t;
}

}  // namespace tex
