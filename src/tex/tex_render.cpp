#include "tex/tex_render.h"

#include <algorithm>
#include <cmath>

#include "tex/tex_parse.h"

namespace tex {

namespace {

struct Extent {
    double left = 0, top = 0, right = 0, bottom = 0;
    void Include(double l, double t, double r, double b) {
        left = std::min(left, l);
        top = std::min(top, t);
        right = std::max(right, r);
        bottom = std::max(bottom, b);
    }
};

// The box together with the ink of every item, which may stick out of it (italic overhangs, accents).
Extent InkExtent(const Box& box, const TexFonts& fonts) {
    Extent e{0, -box.height, box.width, box.depth};
    for (const DrawItem& it : box.items) {
        if (it.kind == DrawItem::Kind::Rule) {
            e.Include(it.x, it.y, it.x + it.w, it.y + it.h);
            continue;
        }
        const GlyphMetrics m = fonts.Metrics(it.ref);
        const double sx = it.size * it.xScale, sy = it.size * it.yScale;
        e.Include(it.x + m.xMin * sx, it.y - m.yMax * sy, it.x + m.xMax * sx, it.y - m.yMin * sy);
    }
    return e;
}

// A rule with its top and bottom on pixel rows, at least one row thick, so that fraction bars stay
// sharp; its ends keep their fractional coverage.
void DrawRule(const DrawItem& r, double ox, double oy, GreyBitmap& bm) {
    const long top = std::lround(r.y + oy);
    const long bottom = std::max(top + 1, std::lround(r.y + r.h + oy));
    const double x0 = r.x + ox, x1 = r.x + r.w + ox;
    if (!(x1 > x0)) return;
    const long firstCol = std::max(0L, static_cast<long>(std::floor(x0)));
    const long lastCol = std::min(static_cast<long>(bm.width), static_cast<long>(std::ceil(x1)));
    const long firstRow = std::max(0L, top), lastRow = std::min(static_cast<long>(bm.height), bottom);
    for (long c = firstCol; c < lastCol; ++c) {
        const double cover = std::min(x1, c + 1.0) - std::max(x0, static_cast<double>(c));
        const unsigned s = static_cast<unsigned>(std::lround(std::clamp(cover, 0.0, 1.0) * 255));
        for (long row = firstRow; row < lastRow; ++row) {
            uint8_t& d = bm.pixels[static_cast<size_t>(row) * bm.width + c];
            d = static_cast<uint8_t>(s + d * (255 - s) / 255);
        }
    }
}

}  // namespace

TexImage RasterizeBox(const Box& box, const TexFonts& fonts, int padding) {
    TexImage out;
    if (box.items.empty() || fonts.empty()) return out;
    const int pad = std::clamp(padding, 0, 64);
    const Extent e = InkExtent(box, fonts);
    const double ox = pad - std::floor(e.left), oy = pad - std::floor(e.top);
    const double width = std::ceil(e.right + ox) + pad, height = std::ceil(e.bottom + oy) + pad;
    if (!(width >= 1 && height >= 1)) return out;
    out.clipped = width > kMaxBitmapWidth || height > kMaxBitmapHeight;
    GreyBitmap& bm = out.bitmap;
    bm.width = static_cast<int>(std::min<double>(width, kMaxBitmapWidth));
    bm.height = static_cast<int>(std::min<double>(height, kMaxBitmapHeight));
    bm.pixels.assign(static_cast<size_t>(bm.width) * bm.height, 0);
    out.baseline = static_cast<int>(oy);
    for (const DrawItem& it : box.items) {
        if (it.kind == DrawItem::Kind::Rule) {
            DrawRule(it, ox, oy, bm);
        } else {
            // Baselines on whole pixels keep horizontal strokes crisp; x keeps its fraction.
            fonts.DrawGlyph(it.ref, it.size, it.xScale, it.yScale, it.x + ox, std::round(it.y + oy), bm);
        }
    }
    return out;
}

TexImage RenderTexImage(std::string_view markup, const TexRenderOptions& options, const TexFonts& fonts) {
    if (fonts.empty()) return {};
    LayoutOptions layout;
    layout.sizeLevel = options.sizeLevel;
    layout.scale = options.scale;
    layout.display = options.display;
    const Box box = LayoutTex(ParseTex(markup), fonts, layout);
    return RasterizeBox(box, fonts, options.padding);
}

GreyBitmap RenderTex(std::string_view markup, const TexRenderOptions& options) {
    return RenderTexImage(markup, options, TexFonts::Shared()).bitmap;
}

}  // namespace tex
