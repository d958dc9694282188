// Structures of the layout: big operators and their limits, fractions, radicals, growing delimiters,
// matrices and accents.
#include <algorithm>
#include <cmath>

#include "tex/tex_layout_internal.h"

namespace tex::detail {

namespace {

// TeX's \nulldelimiterspace, set on both sides of a fraction and in place of a "." delimiter.
constexpr double kNullDelimiterEm = 0.12;
// A growing delimiter covers at least 901/1000 of the contents and falls short by at most 0.5 em
// (\delimiterfactor, \delimitershortfall).
constexpr double kDelimiterFactor = 0.901;
constexpr double kDelimiterShortfallEm = 0.5;
// Matrix rows are at least as tall and deep as LaTeX's array strut; columns are one em apart.
constexpr double kStrutHeightEm = 0.84, kStrutDepthEm = 0.36;
constexpr double kColumnGapEm = 1.0;

}  // namespace

Box Layouter::Stretched(const StretchedGlyph& g, const Ctx& ctx, double shiftUp) const {
    const double em = Em(ctx);
    Box b;
    b.width = g.advance * em;
    b.height = g.height * em + shiftUp;
    b.depth = g.depth * em - shiftUp;
    for (const StretchPiece& p : g.pieces) {
        DrawItem it;
        it.ref = p.ref;
        it.size = em;
        it.xScale = p.xScale;
        it.yScale = p.yScale;
        it.y = -(p.rise * em + shiftUp);
        b.items.push_back(it);
    }
    return b;
}

// \sum, \prod, \int: a larger size in display style, centred on the axis, with limits above and below
// where they take them, or else scripts beside, set as for a compound nucleus. A math font's operator
// advance covers its ink; the italic correction says how far the lower script moves back under it.
Atom Layouter::BigOperator(const Node& n, const Ctx& ctx) {
    const GlyphRef ref = m_fonts.Find(n.cp, FontRole::Math);
    const bool display = ctx.style == MathStyle::Display;
    Atom a;
    a.type = AtomType::Op;
    if (!ref.valid()) {
        a.box = Symbol(n, ctx, nullptr);
    } else {
        const StretchedGlyph g =
            m_fonts.Stretch(ref, display ? m_c.displayOperatorMinHeight : 0, StretchKind::Operator);
        const double shift = Px(m_c.axisHeight, ctx) - (g.height - g.depth) * Em(ctx) / 2;
        a.box = Stretched(g, ctx, shift);
        a.italic = g.italic * Em(ctx);
    }
    const bool limits = n.limits == Limits::Above || (n.limits == Limits::Default && display);
    if (limits && (n.hasSup || n.hasSub)) {
        a.box = Limits(a, n, ctx);
    } else if (n.hasSup || n.hasSub) {
        a.box = Scripts(a, n, ctx, true);
    }
    return a;
}

Box Layouter::Limits(const Atom& op, const Node& n, const Ctx& ctx) {
    Ctx supCtx = SupCtx(ctx), subCtx = SubCtx(ctx);
    const Box sup = n.hasSup ? List(n.sup, supCtx) : Box{};
    const Box sub = n.hasSub ? List(n.sub, subCtx) : Box{};
    const double w = std::max({op.box.width, sup.width, sub.width});
    // A slanted operator carries its upper limit right and its lower limit left by half its correction.
    const double supX = (w - sup.width + op.italic) / 2, subX = (w - sub.width - op.italic) / 2;
    const double shift = std::max(0.0, -subX);
    Box out;
    out.Add(op.box, (w - op.box.width) / 2 + shift, 0);
    out.width = std::max(w, supX + sup.width) + shift;
    out.height = op.box.height;
    out.depth = op.box.depth;
    if (n.hasSup) {
        const double gap =
            std::max(Px(m_c.upperLimitGapMin, ctx), Px(m_c.upperLimitBaselineRiseMin, ctx) - sup.depth);
        const double base = op.box.height + gap + sup.depth;
        out.Add(sup, supX + shift, -base);
        out.height = base + sup.height;
    }
    if (n.hasSub) {
        const double gap =
            std::max(Px(m_c.lowerLimitGapMin, ctx), Px(m_c.lowerLimitBaselineDropMin, ctx) - sub.height);
        const double base = op.box.depth + gap + sub.height;
        out.Add(sub, subX + shift, base);
        out.depth = base + sub.depth;
    }
    return out;
}

Box Layouter::Fraction(const Node& n, const Ctx& ctx) {
    Ctx numCtx = NumCtx(ctx), denCtx = DenCtx(ctx);
    const Box num = List(n.body, numCtx);
    const Box den = List(n.body2, denCtx);
    const bool display = ctx.style == MathStyle::Display;
    const double rule = Px(m_c.fractionRuleThickness, ctx);
    const double axis = Px(m_c.axisHeight, ctx);
    double up = Px(display ? m_c.fractionNumeratorDisplayStyleShiftUp : m_c.fractionNumeratorShiftUp, ctx);
    double down =
        Px(display ? m_c.fractionDenominatorDisplayStyleShiftDown : m_c.fractionDenominatorShiftDown, ctx);
    const double numGap = Px(display ? m_c.fractionNumDisplayStyleGapMin : m_c.fractionNumeratorGapMin, ctx);
    const double denGap =
        Px(display ? m_c.fractionDenomDisplayStyleGapMin : m_c.fractionDenominatorGapMin, ctx);
    up = std::max(up, axis + rule / 2 + numGap + num.depth);
    down = std::max(down, den.height + denGap + rule / 2 - axis);
    const double pad = Px(kNullDelimiterEm, ctx);
    const double w = std::max(num.width, den.width);
    Box out;
    out.Add(num, pad + (w - num.width) / 2, -up);
    out.Add(den, pad + (w - den.width) / 2, down);
    out.AddRule(pad, -(axis + rule / 2), w, rule);
    out.width = w + 2 * pad;
    out.height = std::max(up + num.height, axis + rule / 2);
    out.depth = std::max(down + den.depth, rule / 2 - axis);
    return out;
}

// A radical sign grown to the radicand, its bar drawn as a rule from the sign's top over the radicand,
// and an optional index in scriptscript style tucked into the sign's crook.
Box Layouter::Radical(const Node& n, const Ctx& ctx) {
    Ctx inner = ctx;
    inner.cramped = true;
    const Box rad = List(n.body, inner);
    const double em = Em(ctx);
    const double rule = Px(m_c.radicalRuleThickness, ctx);
    double gap = Px(
        ctx.style == MathStyle::Display ? m_c.radicalDisplayStyleVerticalGap : m_c.radicalVerticalGap, ctx);
    const double need = rad.height + rad.depth + gap + rule;
    const GlyphRef ref = m_fonts.Find(0x221A, FontRole::Math);
    const StretchedGlyph g = m_fonts.Stretch(ref, need / em, StretchKind::Delimiter);
    const double total = (g.height + g.depth) * em;
    if (total > need) gap += (total - need) / 2;  // a taller sign leaves the extra room evenly
    const double top = rad.height + gap + rule;
    const Box sign = Stretched(g, ctx, top - g.height * em);

    double signX = 0;
    Box index;
    double indexX = 0, indexRaise = 0;
    if (!n.body2.empty()) {
        Ctx indexCtx = ctx;
        indexCtx.style = MathStyle::ScriptScript;
        index = List(n.body2, indexCtx);
        const double before = Px(m_c.radicalKernBeforeDegree, ctx),
                     after = Px(m_c.radicalKernAfterDegree, ctx);
        signX = std::max(0.0, before + index.width + after);
        indexX = std::max(0.0, signX - after - index.width);
        indexRaise = (top - total) + m_c.radicalDegreeBottomRaisePercent * total + index.depth;
    }
    Box out;
    if (!n.body2.empty()) out.Add(index, indexX, -indexRaise);
    out.Add(sign, signX, 0);
    const double radX = signX + sign.width;
    out.Add(rad, radX, 0);
    out.AddRule(radX, -top, rad.width, rule);
    out.width = std::max(radX + rad.width, indexX + index.width);
    out.height = std::max({top + Px(m_c.radicalExtraAscender, ctx), sign.height, indexRaise + index.height});
    out.depth = std::max(rad.depth, sign.depth);
    return out;
}

Box Layouter::Delimiter(char32_t cp, double sizePx, const Ctx& ctx) const {
    const GlyphRef ref = cp == 0 ? GlyphRef{} : m_fonts.Find(cp, FontRole::Math);
    if (!ref.valid()) {
        Box null;
        null.width = Px(kNullDelimiterEm, ctx);
        return null;
    }
    const double em = Em(ctx);
    const StretchedGlyph g = m_fonts.Stretch(ref, sizePx / em, StretchKind::Delimiter);
    return Stretched(g, ctx, Px(m_c.axisHeight, ctx) - (g.height - g.depth) * em / 2);
}

// \left ... \right: both delimiters centred on the axis and tall enough for the farther of the
// contents' top and bottom from it.
Box Layouter::Delimited(const Node& n, const Ctx& ctx) {
    Ctx inner = ctx;
    const Box body = List(n.body, inner);
    const double axis = Px(m_c.axisHeight, ctx);
    const double delta = 2 * std::max(body.height - axis, body.depth + axis);
    const double size = std::max(delta * kDelimiterFactor, delta - Px(kDelimiterShortfallEm, ctx));
    const Box left = Delimiter(n.left, size, ctx);
    const Box right = Delimiter(n.right, size, ctx);
    Box out;
    out.Add(left, 0, 0);
    out.Add(body, left.width, 0);
    out.Add(right, left.width + body.width, 0);
    out.width = left.width + body.width + right.width;
    out.height = std::max({left.height, body.height, right.height});
    out.depth = std::max({left.depth, body.depth, right.depth});
    return out;
}

// Cells in text style, centred in their columns; rows of at least strut height, stacked without
// further space; the whole centred on the axis.
Box Layouter::Matrix(const Node& n, const Ctx& ctx) {
    Ctx cellCtx = ctx;
    cellCtx.style = MathStyle::Text;
    cellCtx.cramped = false;
    const double em = Em(cellCtx);
    size_t columns = 0;
    for (const auto& row : n.rows) columns = std::max(columns, row.size());
    std::vector<std::vector<Box>> cells(n.rows.size());
    std::vector<double> colW(columns, 0), rowH(n.rows.size(), kStrutHeightEm * em),
        rowD(n.rows.size(), kStrutDepthEm * em);
    for (size_t i = 0; i < n.rows.size(); ++i) {
        for (size_t j = 0; j < n.rows[i].size(); ++j) {
            Ctx c = cellCtx;
            cells[i].push_back(List(n.rows[i][j], c));
            const Box& b = cells[i].back();
            colW[j] = std::max(colW[j], b.width);
            rowH[i] = std::max(rowH[i], b.height);
            rowD[i] = std::max(rowD[i], b.depth);
        }
    }
    double total = 0;
    for (size_t i = 0; i < n.rows.size(); ++i) total += rowH[i] + rowD[i];
    const double top = Px(m_c.axisHeight, ctx) + total / 2;
    const double gap = kColumnGapEm * em;
    Box out;
    double y = -top;
    for (size_t i = 0; i < cells.size(); ++i) {
        y += rowH[i];
        double x = 0;
        for (size_t j = 0; j < cells[i].size(); ++j) {
            out.Add(cells[i][j], x + (colW[j] - cells[i][j].width) / 2, y);
            x += colW[j] + gap;
        }
        y += rowD[i];
    }
    for (size_t j = 0; j < columns; ++j) out.width += colW[j] + (j > 0 ? gap : 0);
    out.height = top;
    out.depth = total - top;
    return out;
}

// An accent glyph centred on the base's accent point (skewed for italic letters), raised with bases
// taller than the x-height; \overline draws a rule over the whole base instead.
Box Layouter::Accent(const Node& n, const Ctx& ctx) {
    Ctx inner = ctx;
    inner.cramped = true;
    const Box base = List(n.body, inner);
    Box out;
    out.Add(base, 0, 0);
    out.width = base.width;
    out.height = base.height;
    out.depth = base.depth;
    const GlyphRef accent = n.wide ? GlyphRef{} : m_fonts.Find(n.cp, FontRole::Math);
    if (!accent.valid()) {
        const double gap = Px(m_c.overbarVerticalGap, ctx), rule = Px(m_c.overbarRuleThickness, ctx);
        out.AddRule(0, -(base.height + gap + rule), base.width, rule);
        out.height = base.height + gap + rule + Px(m_c.overbarExtraAscender, ctx);
        return out;
    }
    const double em = Em(ctx);
    double attach = base.width / 2;
    if (n.body.size() == 1 && n.body[0].kind == NodeKind::Symbol && !n.body[0].hasSup && !n.body[0].hasSub) {
        const GlyphRef b = m_fonts.Find(n.body[0].cp, n.body[0].role);
        if (b.valid()) attach = m_fonts.Metrics(b).topAccent * em;
    }
    const GlyphMetrics am = m_fonts.Metrics(accent);
    const double raise = std::max(0.0, base.height - Px(m_c.accentBaseHeight, ctx));
    DrawItem g;
    g.ref = accent;
    g.size = em;
    g.x = attach - am.topAccent * em;
    g.y = -raise;
    out.items.push_back(g);
    out.height = std::max(base.height, am.yMax * em + raise);
    return out;
}

Box Layouter::Underline(const Node& n, const Ctx& ctx) {
    Ctx inner = ctx;
    const Box base = List(n.body, inner);
    const double gap = Px(m_c.underbarVerticalGap, ctx), rule = Px(m_c.underbarRuleThickness, ctx);
    Box out;
    out.Add(base, 0, 0);
    out.AddRule(0, base.depth + gap, base.width, rule);
    out.width = base.width;
    out.height = base.height;
    out.depth = base.depth + gap + rule + Px(m_c.underbarExtraDescender, ctx);
    return out;
}

}  // namespace tex::detail
