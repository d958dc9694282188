#include "common/png_canvas.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "tex/tex_fonts.h"

namespace {

constexpr double kFallbackAdvance = 0.6;  // text width per UTF-16 unit without fonts, in font sizes
constexpr double kBaseline = 0.9;         // baseline below the top of a line, in font sizes
constexpr int kSubRows = 4;               // fill samples per pixel row

double Clamp01(double v) {
    return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0;
}

// Distance from p to the segment a-b.
double Distance(CanvasPoint p, CanvasPoint a, CanvasPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The code points of UTF-16 text (an unpaired surrogate stands for itself).
std::vector<char32_t> CodePoints(const std::u16string& text) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            out.push_back(0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

// Every segment of the subpaths, a closed one with its closing segment.
template <typename F>
void ForEachSegment(const std::vector<PathCanvas::Subpath>& path, bool closeAll, F f) {
    for (const PathCanvas::Subpath& sub : path) {
        const std::vector<CanvasPoint>& p = sub.points;
        for (size_t i = 1; i < p.size(); ++i) f(p[i - 1], p[i]);
        if ((sub.closed || closeAll) && p.size() > 2) f(p.back(), p.front());
    }
}

// floor(v) or ceil(v) kept within lo ... hi before it becomes an int.
int FloorIn(double v, int lo, int hi) {
    return static_cast<int>(std::clamp(std::floor(v), static_cast<double>(lo), static_cast<double>(hi)));
}
int CeilIn(double v, int lo, int hi) {
    return static_cast<int>(std::clamp(std::ceil(v), static_cast<double>(lo), static_cast<double>(hi)));
}

bool Finite(CanvasPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

}  // namespace

PngCanvas::PngCanvas(int width, int height)
    : m_width(std::clamp(width, 1, kMaxSide)),
      m_height(std::clamp(height, 1, kMaxSide)),
      m_rgba(static_cast<size_t>(m_width) * m_height * 4, 0) {}

PngCanvas::Mask PngCanvas::makeMask(double left, double top, double right, double bottom,
                                    bool allocate) const {
    Mask m;
    if (state().clip) {
        const CanvasRect& c = *state().clip;
        left = std::max(left, c.x);
        top = std::max(top, c.y);
        right = std::min(right, c.right());
        bottom = std::min(bottom, c.bottom());
    }
    if (!(left < right) || !(top < bottom)) return m;
    m.x0 = FloorIn(left, 0, m_width);
    m.y0 = FloorIn(top, 0, m_height);
    m.x1 = CeilIn(right, 0, m_width);
    m.y1 = CeilIn(bottom, 0, m_height);
    if (allocate && !m.empty()) m.cover.assign(static_cast<size_t>(m.x1 - m.x0) * (m.y1 - m.y0), 0.0f);
    return m;
}

double PngCanvas::clipCoverage(int x, int y) const {
    if (!state().clip) return 1;
    const CanvasRect& c = *state().clip;
    const double w = std::min(x + 1.0, c.right()) - std::max(static_cast<double>(x), c.x);
    const double h = std::min(y + 1.0, c.bottom()) - std::max(static_cast<double>(y), c.y);
    return Clamp01(w) * Clamp01(h);
}

void PngCanvas::paint(const Mask& mask, const CanvasColor& colour) {
    const float r = static_cast<float>(Clamp01(colour.r)), g = static_cast<float>(Clamp01(colour.g));
    const float b = static_cast<float>(Clamp01(colour.b)), alpha = static_cast<float>(Clamp01(colour.a));
    for (int y = mask.y0; y < mask.y1; ++y) {
        for (int x = mask.x0; x < mask.x1; ++x) {
            const float cover =
                mask.cover[static_cast<size_t>(y - mask.y0) * (mask.x1 - mask.x0) + (x - mask.x0)];
            if (cover <= 0) continue;
            const float a = std::min(cover, 1.0f) * alpha * static_cast<float>(clipCoverage(x, y));
            if (a <= 0) continue;
            uint8_t* p = &m_rgba[(static_cast<size_t>(y) * m_width + x) * 4];
            const float below = p[3] / 255.0f * (1 - a), out = a + below;
            auto mix = [&](float top, uint8_t under) {
                return static_cast<uint8_t>(std::lround((top * a + under / 255.0f * below) / out * 255));
            };
            p[0] = mix(r, p[0]);
            p[1] = mix(g, p[1]);
            p[2] = mix(b, p[2]);
            p[3] = static_cast<uint8_t>(std::lround(out * 255));
        }
    }
}

void PngCanvas::strokeSegment(CanvasPoint a, CanvasPoint b, double halfWidth, Mask& mask) const {
    const double reach = halfWidth + 0.5;  // a pixel centre this far from the line is not touched
    const double top = std::min(a.y, b.y) - reach, bottom = std::max(a.y, b.y) + reach;
    const int y0 = FloorIn(top, mask.y0, mask.y1), y1 = CeilIn(bottom, mask.y0, mask.y1);
    for (int y = y0; y < y1; ++y) {
        const double yc = y + 0.5;
        // The part of the segment within reach of this row, widened by reach, bounds the pixels to visit.
        double left, right;
        if (a.y == b.y) {
            left = std::min(a.x, b.x);
            right = std::max(a.x, b.x);
        } else {
            const double lo = std::clamp(yc - reach, std::min(a.y, b.y), std::max(a.y, b.y));
            const double hi = std::clamp(yc + reach, std::min(a.y, b.y), std::max(a.y, b.y));
            const double xlo = a.x + (lo - a.y) * (b.x - a.x) / (b.y - a.y);
            const double xhi = a.x + (hi - a.y) * (b.x - a.x) / (b.y - a.y);
            left = std::min(xlo, xhi);
            right = std::max(xlo, xhi);
        }
        const int x0 = FloorIn(left - reach, mask.x0, mask.x1), x1 = CeilIn(right + reach, mask.x0, mask.x1);
        for (int x = x0; x < x1; ++x) {
            const double cover = reach - Distance({x + 0.5, yc}, a, b);
            if (cover > 0) mask.at(x, y) = std::max(mask.at(x, y), static_cast<float>(std::min(cover, 1.0)));
        }
    }
}

void PngCanvas::strokeSubpath(const Subpath& sub, double half) {
    double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
    for (const CanvasPoint& p : sub.points) {
        if (!Finite(p)) return;
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
    Mask mask = makeMask(left - half - 1, top - half - 1, right + half + 1, bottom + half + 1);
    if (mask.empty()) return;
    ForEachSegment({sub}, false, [&](CanvasPoint a, CanvasPoint b) { strokeSegment(a, b, half, mask); });
    paint(mask, state().stroke);
}

void PngCanvas::stroke(const std::vector<Subpath>& path) {
    const double half = state().lineWidth / 2;
    if (half <= 0) return;
    for (const Subpath& sub : path) strokeSubpath(sub, half);
}

void PngCanvas::fill(const std::vector<Subpath>& path) {
    struct Edge {
        CanvasPoint a, b;
    };
    std::vector<Edge> edges;
    double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
    bool finite = true;
    ForEachSegment(path, true, [&](CanvasPoint a, CanvasPoint b) {
        finite = finite && Finite(a) && Finite(b);
        edges.push_back({a, b});
        left = std::min({left, a.x, b.x});
        right = std::max({right, a.x, b.x});
        top = std::min({top, a.y, b.y});
        bottom = std::max({bottom, a.y, b.y});
    });
    if (edges.empty() || !finite) return;
    const Mask box = makeMask(left, top, right, bottom, false);
    if (box.empty()) return;
    // One pixel row at a time, so that a fill of the whole picture needs one row of coverage.
    Mask mask{box.x0, 0, box.x1, 0, std::vector<float>(static_cast<size_t>(box.x1 - box.x0))};
    std::vector<std::pair<double, int>> crossings;
    for (int y = box.y0; y < box.y1; ++y) {
        mask.y0 = y;
        mask.y1 = y + 1;
        std::fill(mask.cover.begin(), mask.cover.end(), 0.0f);
        for (int k = 0; k < kSubRows; ++k) {
            const double ys = y + (k + 0.5) / kSubRows;
            crossings.clear();
            for (const Edge& e : edges) {
                if (e.a.y == e.b.y || ys < std::min(e.a.y, e.b.y) || ys >= std::max(e.a.y, e.b.y)) continue;
                const double x = e.a.x + (ys - e.a.y) * (e.b.x - e.a.x) / (e.b.y - e.a.y);
                crossings.emplace_back(x, e.b.y > e.a.y ? 1 : -1);
            }
            std::sort(crossings.begin(), crossings.end());
            int winding = 0;
            for (size_t i = 0; i + 1 < crossings.size(); ++i) {
                winding += crossings[i].second;
                if (winding == 0) continue;
                const double xa = std::max(crossings[i].first, static_cast<double>(mask.x0));
                const double xb = std::min(crossings[i + 1].first, static_cast<double>(mask.x1));
                for (int x = static_cast<int>(std::floor(xa)); x < xb; ++x) {
                    const double overlap = std::min(xb, x + 1.0) - std::max(xa, static_cast<double>(x));
                    if (overlap > 0) mask.at(x, y) += static_cast<float>(overlap / kSubRows);
                }
            }
        }
        paint(mask, state().fill);
    }
}

void PngCanvas::drawImage(const std::string&, const CanvasRect&, const std::optional<CanvasRect>&) {}

void PngCanvas::drawText(const std::u16string& text, CanvasPoint origin, const CanvasFont& font) {
    const tex::TexFonts& fonts = tex::TexFonts::Shared();
    if (fonts.empty() || text.empty() || !(font.size > 0) || !Finite(origin)) return;
    const double width = measureText(text, font).width;
    Mask mask = makeMask(origin.x - 2, origin.y - 2, origin.x + width + 2, origin.y + font.size * 1.5 + 2);
    if (mask.empty()) return;
    // The glyphs go into a coverage bitmap the size of the mask, then onto the buffer in the fill colour.
    tex::GreyBitmap bitmap;
    bitmap.width = mask.x1 - mask.x0;
    bitmap.height = mask.y1 - mask.y0;
    bitmap.pixels.assign(static_cast<size_t>(bitmap.width) * bitmap.height, 0);
    double pen = origin.x - mask.x0;
    const double baseline = origin.y + kBaseline * font.size - mask.y0;
    for (char32_t cp : CodePoints(text)) {
        const tex::GlyphRef ref = fonts.Find(cp, tex::FontRole::Text);
        if (!ref.valid()) {
            pen += kFallbackAdvance * font.size;
            continue;
        }
        fonts.DrawGlyph(ref, font.size, 1, 1, pen, baseline, bitmap);
        pen += fonts.Metrics(ref).advance * font.size;
    }
    for (size_t i = 0; i < mask.cover.size(); ++i) mask.cover[i] = bitmap.pixels[i] / 255.0f;
    paint(mask, state().fill);
}

CanvasTextSize PngCanvas::measureText(const std::u16string& text, const CanvasFont& font) const {
    const tex::TexFonts& fonts = tex::TexFonts::Shared();
    double width = 0;
    for (char32_t cp : CodePoints(text)) {
        const tex::GlyphRef ref = fonts.empty() ? tex::GlyphRef{} : fonts.Find(cp, tex::FontRole::Text);
        width += (ref.valid() ? fonts.Metrics(ref).advance : kFallbackAdvance) * font.size;
    }
    return CanvasTextSize{width, font.size};
}

PngCanvas::Pixel PngCanvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return Pixel{};
    const uint8_t* p = &m_rgba[(static_cast<size_t>(y) * m_width + x) * 4];
    return Pixel{p[0], p[1], p[2], p[3]};
}

std::vector<uint8_t> PngCanvas::encodePng() const {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(m_width);
    image.height = static_cast<png_uint_32>(m_height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    std::vector<uint8_t> bytes;
    if (png_image_write_to_memory(&image, nullptr, &size, 0, m_rgba.data(), 0, nullptr) && size > 0) {
        bytes.resize(size);
        if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, m_rgba.data(), 0, nullptr)) size = 0;
        bytes.resize(size);
    }
    png_image_free(&image);
    return bytes;
}
