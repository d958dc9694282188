// A canvas that writes an SVG document: strokes and fills become <path> elements, text <text> elements,
// clips <clipPath> rectangles, images <image> references. Used by the terminal export of plots.
//
// Fonts: "System" and "Verdana" become the family list "Verdana, DejaVu Sans, sans-serif"; a name ending
// in "-Bold" is drawn bold. Text metrics are estimated (0.6 of the font size per UTF-16 unit, a line as high
// as the font size), since the viewer picks the face. Text is placed by its top left corner through a
// baseline at 0.9 of the font size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/path_canvas.h"

class SvgCanvas : public PathCanvas {
  public:
    // The drawing surface in points (the document's user units); both at least 1.
    SvgCanvas(int width, int height);

    void drawImage(const std::string& name, const CanvasRect& dest,
                   const std::optional<CanvasRect>& source = std::nullopt) override;
    void drawText(const std::u16string& text, CanvasPoint origin, const CanvasFont& font) override;
    CanvasTextSize measureText(const std::u16string& text, const CanvasFont& font) const override;

    // The complete document (UTF-8) of everything drawn so far.
    std::string document() const;

  protected:
    void stroke(const std::vector<Subpath>& path) override;
    void fill(const std::vector<Subpath>& path) override;

  private:
    // The attributes shared by the elements drawn in the current state: the clip reference, defining
    // the clip path on first use.
    std::string clipAttribute();
    // Appends a stroke; consecutive strokes with equal attributes share one element, and a line that
    // starts where the last one ended continues it.
    void emitPath(const std::vector<Subpath>& path, const std::string& attributes);
    void flushPath();

    int m_width, m_height;
    std::string m_body;
    std::string m_pendingD, m_pendingAttributes;
    std::optional<CanvasPoint> m_pendingEnd;  // where the pending element's last open line ends
    std::vector<CanvasRect> m_clips;          // clip path i is "c<i>"
};
