// Math lists, atoms, characters, text and scripts; the structures are in tex_layout_parts.cpp.
#include <algorithm>
#include <cmath>

#include "tex/tex_layout_internal.h"

namespace tex {

void Box::Add(const Box& child, double dx, double dy) {
    // No reserve: an exact reserve per call would defeat the vector's doubling and make long lists
    // quadratic.
    for (DrawItem it : child.items) {
        it.x += dx;
        it.y += dy;
        items.push_back(it);
    }
}

void Box::AddRule(double x, double top, double w, double h) {
    DrawItem r;
    r.kind = DrawItem::Kind::Rule;
    r.x = x;
    r.y = top;
    r.w = w;
    r.h = h;
    items.push_back(r);
}

namespace detail {

namespace {

MathStyle Smaller(MathStyle s) {
    return s == MathStyle::Display || s == MathStyle::Text ? MathStyle::Script : MathStyle::ScriptScript;
}

// TeX's spacing between adjacent atoms, in mu (1/18 em): the row is the left atom's class, the column
// the right one's. Negative entries apply only in display and text styles.
constexpr int kSpacing[8][8] = {
    // Ord Op  Bin Rel Open Close Punct Inner
    {0, 3, -4, -5, 0, 0, 0, -3},      // Ord
    {3, 3, 0, -5, 0, 0, 0, -3},       // Op
    {-4, -4, 0, 0, -4, 0, 0, -4},     // Bin
    {-5, -5, 0, 0, -5, 0, 0, -5},     // Rel
    {0, 0, 0, 0, 0, 0, 0, 0},         // Open
    {0, 3, -4, -5, 0, 0, 0, -3},      // Close
    {-3, -3, 0, -3, -3, -3, -3, -3},  // Punct
    {-3, 3, -4, -5, -3, 0, -3, -3},   // Inner
};

bool IsPrimes(const NodeList& list) {
    if (list.empty()) return false;
    for (const Node& n : list) {
        if (n.kind != NodeKind::Symbol || n.cp != 0x2032 || n.hasSup || n.hasSub) return false;
    }
    return true;
}

// TeX turns a binary operator with nothing to combine into an ordinary symbol: at the start, after an
// operator, relation, opening or punctuation, and before a relation, closing or punctuation.
void DemoteBinaries(std::vector<Atom>& atoms) {
    for (size_t i = 0; i < atoms.size(); ++i) {
        if (atoms[i].type != AtomType::Bin) continue;
        const AtomType prev = i == 0 ? AtomType::Bin : atoms[i - 1].type;
        if (prev == AtomType::Bin || prev == AtomType::Op || prev == AtomType::Rel ||
            prev == AtomType::Open || prev == AtomType::Punct || i + 1 == atoms.size()) {
            atoms[i].type = AtomType::Ord;
        }
    }
    for (size_t i = 1; i < atoms.size(); ++i) {
        const AtomType t = atoms[i].type;
        if (atoms[i - 1].type == AtomType::Bin &&
            (t == AtomType::Rel || t == AtomType::Close || t == AtomType::Punct)) {
            atoms[i - 1].type = AtomType::Ord;
        }
    }
}

}  // namespace

Ctx SupCtx(Ctx c) {
    c.style = Smaller(c.style);
    return c;
}

Ctx SubCtx(Ctx c) {
    c.style = Smaller(c.style);
    c.cramped = true;
    return c;
}

Ctx NumCtx(Ctx c) {
    c.style = c.style == MathStyle::Display ? MathStyle::Text
              : c.style == MathStyle::Text  ? MathStyle::Script
                                            : MathStyle::ScriptScript;
    return c;
}

Ctx DenCtx(Ctx c) {
    c = NumCtx(c);
    c.cramped = true;
    return c;
}

double Layouter::Em(const Ctx& c) const {
    const double base = kSizeLevelEm[std::clamp(c.level, 0, 7)] * m_scale;
    if (c.style == MathStyle::Script) return base * m_c.scriptScale;
    if (c.style == MathStyle::ScriptScript) return base * m_c.scriptScriptScale;
    return base;
}

Box Layouter::Lines(const NodeList& list, Ctx ctx) {
    Box out;
    size_t begin = 0;
    bool first = true;
    double baseline = 0;  // of the line last added, below the first line's baseline
    while (begin <= list.size()) {
        size_t end = begin;
        while (end < list.size() && list[end].kind != NodeKind::LineBreak) ++end;
        Box line = List(list, ctx, begin, end);
        if (first) {
            out = std::move(line);
            first = false;
        } else {
            // Baselines 1.2 em apart, further when the lines would come closer than a quarter em.
            const double em = Em(ctx);
            baseline += std::max(1.2 * em, out.depth - baseline + line.height + 0.25 * em);
            out.Add(line, 0, baseline);
            out.width = std::max(out.width, line.width);
            out.depth = baseline + line.depth;
        }
        begin = end + 1;
    }
    return out;
}

Box Layouter::List(const NodeList& list, Ctx& ctx, size_t begin, size_t end) {
    std::vector<Atom> atoms;
    std::vector<double> kerns;  // explicit space before each atom
    std::vector<MathStyle> styles;
    double kern = 0;
    for (size_t i = begin; i < end && i < list.size(); ++i) {
        const Node& n = list[i];
        switch (n.kind) {
            case NodeKind::Style:
                ctx.style = n.style;
                ctx.cramped = false;
                break;
            case NodeKind::Size:
                ctx.level = std::clamp(n.level, 0, 7);
                break;
            case NodeKind::Space:
                kern += Px(n.amount, ctx);
                break;
            case NodeKind::LineBreak:
                break;
            default:
                atoms.push_back(AtomOf(n, ctx));
                kerns.push_back(kern);
                styles.push_back(ctx.style);
                kern = 0;
                break;
        }
    }
    DemoteBinaries(atoms);
    Box out;
    double x = 0;
    for (size_t i = 0; i < atoms.size(); ++i) {
        if (i > 0) {
            const int mu = kSpacing[static_cast<int>(atoms[i - 1].type)][static_cast<int>(atoms[i].type)];
            const bool script = styles[i] == MathStyle::Script || styles[i] == MathStyle::ScriptScript;
            if (mu > 0 || (mu < 0 && !script)) {
                Ctx at = ctx;
                at.style = styles[i];
                x += Px(std::abs(mu) / 18.0, at);
            }
        }
        x += kerns[i];
        const Box& b = atoms[i].box;
        out.Add(b, x, 0);
        x += b.width;
        out.height = std::max(out.height, b.height);
        out.depth = std::max(out.depth, b.depth);
    }
    out.width = std::max(0.0, x + kern);
    return out;
}

Atom Layouter::AtomOf(const Node& n, const Ctx& ctx) {
    if (n.kind == NodeKind::Symbol && n.large) return BigOperator(n, ctx);
    Atom a = Nucleus(n, ctx);
    a.type = n.atom;
    const bool limits =
        n.limits == Limits::Above || (n.limits == Limits::Default && ctx.style == MathStyle::Display);
    if (n.kind == NodeKind::Text && n.atom == AtomType::Op && limits && (n.hasSup || n.hasSub)) {
        a.box = Limits(a, n, ctx);
    } else if (n.hasSup || n.hasSub) {
        a.box = Scripts(a, n, ctx, false);
    } else if (a.isChar) {
        a.box.width += a.italic;
    }
    return a;
}

Atom Layouter::Nucleus(const Node& n, const Ctx& ctx) {
    Atom a;
    switch (n.kind) {
        case NodeKind::Symbol:
            a.box = Symbol(n, ctx, &a.italic);
            a.isChar = true;
            break;
        case NodeKind::Text:
            a.box = Text(n.text, ctx);
            break;
        case NodeKind::Group:
            a.box = List(n.body, ctx);
            break;
        case NodeKind::Fraction:
            a.box = Fraction(n, ctx);
            break;
        case NodeKind::Radical:
            a.box = Radical(n, ctx);
            break;
        case NodeKind::LeftRight:
            a.box = Delimited(n, ctx);
            break;
        case NodeKind::Matrix:
            a.box = Matrix(n, ctx);
            break;
        case NodeKind::Accent:
            a.box = Accent(n, ctx);
            break;
        case NodeKind::Underline:
            a.box = Underline(n, ctx);
            break;
        default:
            break;
    }
    return a;
}

Box Layouter::Glyph(GlyphRef ref, const Ctx& ctx, double* italic) const {
    Box b;
    const GlyphMetrics m = m_fonts.Metrics(ref);
    const double em = Em(ctx);
    b.width = m.advance * em;
    b.height = std::max(0.0, m.yMax * em);
    b.depth = std::max(0.0, -m.yMin * em);
    DrawItem g;
    g.ref = ref;
    g.size = em;
    b.items.push_back(g);
    if (italic != nullptr) *italic = m.italic * em;
    return b;
}

Box Layouter::Symbol(const Node& n, const Ctx& ctx, double* italic) const {
    GlyphRef ref = m_fonts.Find(n.cp, n.role);
    if (!ref.valid()) ref = m_fonts.Find(U'?', FontRole::Text);  // no face has it
    if (!ref.valid()) {
        Box gap;
        gap.width = Px(0.5, ctx);
        return gap;
    }
    return Glyph(ref, ctx, italic);
}

Box Layouter::Text(const std::u32string& text, const Ctx& ctx) const {
    Box out;
    double x = 0;
    for (char32_t cp : text) {
        GlyphRef ref = m_fonts.Find(cp, FontRole::Text);
        if (!ref.valid() && cp != ' ') ref = m_fonts.Find(U'?', FontRole::Text);
        if (!ref.valid()) {
            x += Px(1.0 / 3, ctx);
            continue;
        }
        const Box g = Glyph(ref, ctx);
        out.Add(g, x, 0);
        x += g.width;
        out.height = std::max(out.height, g.height);
        out.depth = std::max(out.depth, g.depth);
    }
    out.width = x;
    return out;
}

// Super- and subscripts after a nucleus, placed as TeX does: from the nucleus's top and bottom when it is
// a compound box, from fixed shifts for a single character, kept apart by a minimum gap. Operators set
// the subscript back by their italic correction so that it tucks under a slanted integral.
Box Layouter::Scripts(const Atom& nucleus, const Node& n, const Ctx& ctx, bool isOp) {
    const Box& nuc = nucleus.box;
    const double italic = nucleus.italic;
    const bool primes = n.hasSup && IsPrimes(n.sup);
    Ctx supCtx = primes ? ctx : SupCtx(ctx);
    const Box sup = n.hasSup ? List(n.sup, supCtx) : Box{};
    Ctx subCtx = SubCtx(ctx);
    const Box sub = n.hasSub ? List(n.sub, subCtx) : Box{};

    double u = nucleus.isChar ? 0 : nuc.height - Px(m_c.superscriptBaselineDropMax, ctx);
    double v = nucleus.isChar ? 0 : nuc.depth + Px(m_c.subscriptBaselineDropMin, ctx);
    if (primes) {
        u = std::max(0.0, nuc.height - sup.height);  // the prime is drawn raised already
    } else if (n.hasSup) {
        const double shift = ctx.cramped ? m_c.superscriptShiftUpCramped : m_c.superscriptShiftUp;
        u = std::max({u, Px(shift, ctx), sup.depth + Px(m_c.superscriptBottomMin, ctx)});
    }
    if (n.hasSub && !n.hasSup) {
        v = std::max({v, Px(m_c.subscriptShiftDown, ctx), sub.height - Px(m_c.subscriptTopMax, ctx)});
    } else if (n.hasSub) {
        v = std::max(v, Px(m_c.subscriptShiftDown, ctx));
        const double gap = (u - sup.depth) - (sub.height - v);
        const double minGap = Px(m_c.subSuperscriptGapMin, ctx);
        if (!primes && gap < minGap) {
            v += minGap - gap;
            const double psi = Px(m_c.superscriptBottomMaxWithSubscript, ctx) - (u - sup.depth);
            if (psi > 0) {
                u += psi;
                v -= psi;
            }
        }
    }
    Box out;
    out.Add(nuc, 0, 0);
    const double supX = nuc.width + (isOp ? 0 : italic);
    const double subX = nuc.width - (isOp ? italic : 0);
    double right = nuc.width + (n.hasSub ? 0 : italic);
    if (n.hasSup) {
        out.Add(sup, supX, -u);
        right = std::max(right, supX + sup.width);
    }
    if (n.hasSub) {
        out.Add(sub, subX, v);
        right = std::max(right, subX + sub.width);
    }
    out.width = right + Px(m_c.spaceAfterScript, ctx);
    out.height = std::max(nuc.height, n.hasSup ? u + sup.height : 0.0);
    out.depth = std::max(nuc.depth, n.hasSub ? v + sub.depth : 0.0);
    return out;
}

}  // namespace detail

Box LayoutTex(const NodeList& formula, const TexFonts& fonts, const LayoutOptions& options) {
    if (fonts.empty()) return {};
    detail::Ctx ctx;
    ctx.style = options.display ? MathStyle::Display : MathStyle::Text;
    ctx.level = std::clamp(options.sizeLevel, 0, 7);
    const double scale = std::isfinite(options.scale) ? std::clamp(options.scale, 0.1, 16.0) : 1.0;
    detail::Layouter layouter(fonts, scale);
    return layouter.Lines(formula, ctx);
}

}  // namespace tex
