// Measuring rendered formulas: where the ink is, in which horizontal bands, in which connected shapes.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "tex/tex_render.h"

namespace inktest {

// Bounding rectangle of pixels at or above the threshold; right and bottom are exclusive.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

constexpr int kInk = 40;

inline Rect InkBounds(const tex::GreyBitmap& bm, int threshold = kInk) {
    Rect r{bm.width, bm.height, 0, 0};
    for (int y = 0; y < bm.height; ++y) {
        for (int x = 0; x < bm.width; ++x) {
            if (bm.at(x, y) < threshold) continue;
            r.left = std::min(r.left, x);
            r.top = std::min(r.top, y);
            r.right = std::max(r.right, x + 1);
            r.bottom = std::max(r.bottom, y + 1);
        }
    }
    if (r.empty()) return {};
    return r;
}

// Runs of consecutive rows holding ink, top to bottom, as [first, last + 1).
inline std::vector<std::pair<int, int>> RowBands(const tex::GreyBitmap& bm, int threshold = kInk) {
    std::vector<std::pair<int, int>> bands;
    bool in = false;
    for (int y = 0; y < bm.height; ++y) {
        bool ink = false;
        for (int x = 0; x < bm.width && !ink; ++x) ink = bm.at(x, y) >= threshold;
        if (ink && !in) bands.push_back({y, y + 1});
        if (ink) bands.back().second = y + 1;
        in = ink;
    }
    return bands;
}

// 8-connected shapes of ink, each with its bounding rectangle and pixel count, left to right.
struct Shape {
    Rect box;
    int pixels = 0;
};

inline std::vector<Shape> Shapes(const tex::GreyBitmap& bm, int threshold = kInk) {
    std::vector<int> label(static_cast<size_t>(bm.width) * bm.height, -1);
    std::vector<Shape> shapes;
    std::vector<std::pair<int, int>> stack;
    for (int y0 = 0; y0 < bm.height; ++y0) {
        for (int x0 = 0; x0 < bm.width; ++x0) {
            if (bm.at(x0, y0) < threshold || label[static_cast<size_t>(y0) * bm.width + x0] >= 0) continue;
            Shape s{{x0, y0, x0 + 1, y0 + 1}, 0};
            const int id = static_cast<int>(shapes.size());
            stack.push_back({x0, y0});
            label[static_cast<size_t>(y0) * bm.width + x0] = id;
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                ++s.pixels;
                s.box = {std::min(s.box.left, x), std::min(s.box.top, y), std::max(s.box.right, x + 1),
                         std::max(s.box.bottom, y + 1)};
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= bm.width || ny >= bm.height) continue;
                        int& l = label[static_cast<size_t>(ny) * bm.width + nx];
                        if (l >= 0 || bm.at(nx, ny) < threshold) continue;
                        l = id;
                        stack.push_back({nx, ny});
                    }
                }
            }
            shapes.push_back(s);
        }
    }
    std::sort(shapes.begin(), shapes.end(),
              [](const Shape& a, const Shape& b) { return a.box.left < b.box.left; });
    return shapes;
}

// Renders with the shared fonts at the formula view's size, on a dense screen so that thin strokes stay
// connected.
inline tex::TexImage Render(const std::string& markup, int level = tex::kLargerSizeLevel, double scale = 2) {
    tex::TexRenderOptions o;
    o.sizeLevel = level;
    o.scale = scale;
    return tex::RenderTexImage(markup, o, tex::TexFonts::Shared());
}

}  // namespace inktest
