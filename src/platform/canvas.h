// 2-D drawing and text metrics.
//
// Coordinates are points with the origin at the top left, y growing downwards. Fonts are named as the
// screens name them ("Verdana", "Verdana-Bold"); a shell maps a name it lacks to a close face. The state
// (colours, line width, clip, current path) follows saveState()/restoreState() like a graphics context.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct CanvasPoint {
    double x = 0, y = 0;
};

struct CanvasRect {
    double x = 0, y = 0, width = 0, height = 0;
    double right() const { return x + width; }
    double bottom() const { return y + height; }
    bool contains(CanvasPoint p) const { return p.x >= x && p.x < x + width && p.y >= y && p.y < y + height; }
};

struct CanvasColor {
    double r = 0, g = 0, b = 0, a = 1;  // each 0..1
};

struct CanvasFont {
    std::string name;
    double size = 0;  // points
};

struct CanvasTextSize {
    double width = 0, height = 0;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void saveState() = 0;
    virtual void restoreState() = 0;

    virtual void setStrokeColor(const CanvasColor& color) = 0;
    virtual void setFillColor(const CanvasColor& color) = 0;
    virtual void setLineWidth(double width) = 0;

    // Path building; strokePath() and fillPath() consume the current path.
    virtual void beginPath() = 0;
    virtual void moveTo(CanvasPoint p) = 0;
    virtual void lineTo(CanvasPoint p) = 0;
    virtual void closePath() = 0;
    virtual void addRect(const CanvasRect& rect) = 0;
    virtual void strokePath() = 0;
    virtual void fillPath() = 0;

    // Intersects the clip with rect until the matching restoreState().
    virtual void clipToRect(const CanvasRect& rect) = 0;

    virtual void strokeRect(const CanvasRect& rect) = 0;
    virtual void fillRect(const CanvasRect& rect) = 0;

    // Draws the image file name (resolved by the shell under the resource folder) into dest; source, when
    // given, crops the image first (in image pixels).
    virtual void drawImage(const std::string& name, const CanvasRect& dest,
                           const std::optional<CanvasRect>& source = std::nullopt) = 0;

    // Paints the fill colour through a coverage mask (a rasterised formula): width x height bytes, row-major,
    // 0 transparent and 255 opaque, scaled into dest. A mask whose size does not match is ignored.
    virtual void drawCoverage(std::span<const std::uint8_t> coverage, int width, int height,
                              const CanvasRect& dest) = 0;

    // Draws text with its top left corner at origin, in the fill colour.
    virtual void drawText(const std::u16string& text, CanvasPoint origin, const CanvasFont& font) = 0;

    // Size text would take when drawn with font.
    virtual CanvasTextSize measureText(const std::u16string& text, const CanvasFont& font) const = 0;
};
