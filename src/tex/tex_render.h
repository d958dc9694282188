// The formula renderer: markup of the TeX subset in, an anti-aliased grey-level bitmap out.
//
// Supported: \frac, \sqrt and \sqrt[n], \left...\right with ( ) [ ] \{ \} | and ".", super- and
// subscripts (braced or single tokens, primes), \sum \prod \int with limits in display style, the matrix
// environments (matrix, pmatrix, bmatrix, vmatrix), \bar and the other accents, \overline, \Delta and
// the Greek letters, arrows and relations, \hspace{n} (n tenths of an em, or with a unit: em, ex, pt,
// mu, px, mm, cm, in), \, \; \quad, \text{...}, operator names (\sin, \lim, ...), \displaystyle and the
// other styles, the size commands \tiny ... \normalsize, \large, \Large ... \Huge, and \\ line breaks.
// Anything else is set as its name in upright text.
//
// Main thread only (the fonts and their caches are shared).
#pragma once

#include <string_view>

#include "tex/grey_bitmap.h"
#include "tex/tex_fonts.h"
#include "tex/tex_layout.h"

namespace tex {

// Bitmaps are cut to this size (the part right of and below it is not drawn); see TexImage::clipped.
constexpr int kMaxBitmapWidth = 8192;
constexpr int kMaxBitmapHeight = 4096;

struct TexRenderOptions {
    int sizeLevel = kNormalSizeLevel;  // the size before any size command in the markup; 0..7
    double scale = 1.0;                // device pixels per pixel of the size levels (2 for a dense screen)
    bool display = true;               // start in display style
    int padding = 1;                   // blank pixels around the ink on every side; 0..64
};

struct TexImage {
    GreyBitmap bitmap;
    int baseline = 0;      // y of the first line's baseline: letters without descenders end on the row above
    bool clipped = false;  // the formula was larger than kMaxBitmapWidth x kMaxBitmapHeight
};

// Renders markup with `fonts`. The bitmap covers the formula's boxes and all of its ink plus the padding.
// Markup that sets nothing (empty, only blanks), and fonts that are empty, give an empty bitmap.
TexImage RenderTexImage(std::string_view markup, const TexRenderOptions& options, const TexFonts& fonts);

// RenderTexImage with the shared fonts (TexFonts::Shared()), bitmap only. When no font is installed the
// bitmap is empty and TexFonts::Shared().Description() reads "no fonts".
GreyBitmap RenderTex(std::string_view markup, const TexRenderOptions& options = {});

// Draws a laid-out box; used by RenderTexImage and by callers that lay out themselves.
TexImage RasterizeBox(const Box& box, const TexFonts& fonts, int padding);

}  // namespace tex
