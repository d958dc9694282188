// A canvas that paints into an RGBA pixel buffer and encodes it as a colour PNG (libpng). Used by the
// terminal export of plots. One canvas point is one pixel.
//
// Strokes are anti-aliased by the distance of each pixel centre from the line (round ends and joins; each
// subpath is painted once, so its own segments do not darken where they meet); fills use the non-zero
// winding rule with four sub-rows per pixel and exact horizontal coverage. Clips are
// rectangles, fractional edges included. Text is drawn with the faces of the formula renderer
// (tex::TexFonts, FreeType): its text face whatever the font's name, at the font's size in pixels; when no
// face is installed text is measured as 0.6 of the size per unit and not drawn. Images are not drawn.
// Colours are composed over the buffer ("source over"); it starts fully transparent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/path_canvas.h"

class PngCanvas : public PathCanvas {
  public:
    // Largest side in pixels; the constructor clamps width and height to 1 ... this.
    static constexpr int kMaxSide = 4096;

    PngCanvas(int width, int height);

    void drawImage(const std::string& name, const CanvasRect& dest,
                   const std::optional<CanvasRect>& source = std::nullopt) override;
    void drawText(const std::u16string& text, CanvasPoint origin, const CanvasFont& font) override;
    CanvasTextSize measureText(const std::u16string& text, const CanvasFont& font) const override;

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Pixel (x, y) as red, green, blue, alpha, each 0 ... 255 (not premultiplied).
    struct Pixel {
        uint8_t r = 0, g = 0, b = 0, a = 0;
    };
    Pixel pixel(int x, int y) const;

    // The buffer as PNG bytes (8-bit RGBA); empty when libpng fails.
    std::vector<uint8_t> encodePng() const;

  protected:
    void stroke(const std::vector<Subpath>& path) override;
    void fill(const std::vector<Subpath>& path) override;

  private:
    // Coverage, 0 ... 1, of the pixels of a box of the buffer; painted in one go with one colour.
    struct Mask {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // pixel box [x0, x1) x [y0, y1)
        std::vector<float> cover;
        bool empty() const { return x1 <= x0 || y1 <= y0; }
        float& at(int x, int y) { return cover[static_cast<size_t>(y - y0) * (x1 - x0) + (x - x0)]; }
    };

    // The pixel box of a box in points that the clip and the buffer leave; cover is allocated when asked.
    Mask makeMask(double left, double top, double right, double bottom, bool allocate = true) const;
    void strokeSubpath(const Subpath& sub, double halfWidth);
    void strokeSegment(CanvasPoint a, CanvasPoint b, double halfWidth, Mask& mask) const;
    // Composes colour over the buffer with the mask's coverage times the clip's.
    void paint(const Mask& mask, const CanvasColor& colour);
    double clipCoverage(int x, int y) const;

    int m_width, m_height;
    std::vector<uint8_t> m_rgba;  // straight (not premultiplied) colour and alpha
};
