// Setting a node tree into boxes the way TeX sets a math list: atoms with class spacing, super- and
// subscripts shifted from the nucleus, fractions and operators centred on the math axis, radicals and
// delimiters grown to their contents. The result is one box of drawing items in pixels.
#pragma once

#include <vector>

#include "tex/tex_fonts.h"
#include "tex/tex_parse.h"

namespace tex {

// Pixels per em of the size levels \tiny (0) ... \normalsize (2), \large (3), \Large (4) ... \Huge (7) at
// scale 1; they follow the ratios of LaTeX's sizes over a 12-pixel normal size.
constexpr double kSizeLevelEm[8] = {7, 10, 12, 14.4, 17.28, 20.74, 24.88, 29.86};
constexpr int kNormalSizeLevel = 2;
constexpr int kLargeSizeLevel = 3;   // \large, the equation solver's size
constexpr int kLargerSizeLevel = 4;  // \Large, the formula view's size

// A glyph (origin on its baseline) or a filled rectangle (top left corner), in pixels relative to the
// baseline origin of the box holding it, y growing downwards.
struct DrawItem {
    enum class Kind { Glyph, Rule } kind = Kind::Glyph;
    GlyphRef ref;
    double size = 0;  // glyph pixels per em
    double xScale = 1, yScale = 1;
    double x = 0, y = 0;
    double w = 0, h = 0;  // rule extent
};

// A TeX box: width, height above and depth below the baseline (pixels) and what it draws.
struct Box {
    double width = 0, height = 0, depth = 0;
    std::vector<DrawItem> items;

    // Draws `child` with its baseline origin at (dx, dy) of this box (dy down); extents are not changed.
    void Add(const Box& child, double dx, double dy);
    void AddRule(double x, double top, double w, double h);
};

struct LayoutOptions {
    int sizeLevel = kNormalSizeLevel;  // 0..7; clamped
    double scale = 1.0;                // pixels per pixel of the size levels; clamped to 0.1..16
    bool display = true;               // display style (big operators, limits above and below)
};

// Sets a parsed formula. Line breaks at the top level stack the lines left-aligned, baselines at least
// 1.2 em apart; the returned box's baseline is that of the first line. With empty fonts the box is empty.
Box LayoutTex(const NodeList& formula, const TexFonts& fonts, const LayoutOptions& options);

}  // namespace tex
