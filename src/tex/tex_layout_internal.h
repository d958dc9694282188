// The layout engine behind LayoutTex, shared by its source files. Internal to the formula renderer.
#pragma once

#include "tex/tex_layout.h"

namespace tex::detail {

// The state TeX carries through a math list: the style, whether it is cramped (superscripts sit lower
// under a fraction bar or a radical) and the size level.
struct Ctx {
    MathStyle style = MathStyle::Display;
    bool cramped = false;
    int level = kNormalSizeLevel;
};

Ctx SupCtx(Ctx c);
Ctx SubCtx(Ctx c);
Ctx NumCtx(Ctx c);
Ctx DenCtx(Ctx c);

// A laid-out atom: its box, its class for spacing, and the italic correction of a single character.
struct Atom {
    Box box;
    AtomType type = AtomType::Ord;
    bool isChar = false;
    double italic = 0;
};

class Layouter {
  public:
    Layouter(const TexFonts& fonts, double scale) : m_fonts(fonts), m_c(fonts.Constants()), m_scale(scale) {}

    Box Lines(const NodeList& list, Ctx ctx);
    Box List(const NodeList& list, Ctx& ctx, size_t begin, size_t end);
    Box List(const NodeList& list, Ctx ctx) { return List(list, ctx, 0, list.size()); }

  private:
    // Pixels per em of the current style and size; Px scales an em constant to them.
    double Em(const Ctx& c) const;
    double Px(double em, const Ctx& c) const { return em * Em(c); }

    Atom Nucleus(const Node& n, const Ctx& ctx);
    Atom AtomOf(const Node& n, const Ctx& ctx);
    Box Glyph(GlyphRef ref, const Ctx& ctx, double* italic = nullptr) const;
    Box Symbol(const Node& n, const Ctx& ctx, double* italic) const;
    Box Text(const std::u32string& text, const Ctx& ctx) const;
    Box Scripts(const Atom& nucleus, const Node& n, const Ctx& ctx, bool isOp);

    // Structures (tex_layout_parts.cpp).
    Atom BigOperator(const Node& n, const Ctx& ctx);
    Box Limits(const Atom& op, const Node& n, const Ctx& ctx);
    Box Fraction(const Node& n, const Ctx& ctx);
    Box Radical(const Node& n, const Ctx& ctx);
    Box Delimited(const Node& n, const Ctx& ctx);
    Box Delimiter(char32_t cp, double sizePx, const Ctx& ctx) const;
    Box Matrix(const Node& n, const Ctx& ctx);
    Box Accent(const Node& n, const Ctx& ctx);
    Box Underline(const Node& n, const Ctx& ctx);
    Box Stretched(const StretchedGlyph& g, const Ctx& ctx, double shiftUp) const;

    const TexFonts& m_fonts;
    const MathConstants& m_c;
    double m_scale;
};

}  // namespace tex::detail
