// The rasterised formula: one byte of ink coverage per pixel.
#pragma once

#include <cstdint>
#include <vector>

namespace tex {

// Row-major, top row first, `width` bytes per row; 0 is background and 255 full ink. An empty bitmap
// (width or height 0, no pixels) stands for "nothing to show".
struct GreyBitmap {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;

    bool empty() const { return width <= 0 || height <= 0; }
    uint8_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

}  // namespace tex
