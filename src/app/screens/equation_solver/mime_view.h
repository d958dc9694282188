// A formula view of the equation solver: TeX text typeset at the size "\large" by the formula rasteriser
// and shown as a grey-level bitmap, 10 points from the view's left edge and centred vertically.
//
// The view holds the TeX the solver built (the equation, its result lines); its markup is "\large " and
// that text after the brace step. The bitmap is rendered on first use and kept until the text changes. A
// new view is 310 x 110 points; once rendered it is as wide as the bitmap plus 15 points and as high as
// the bitmap. Main thread only (the rasteriser's fonts are shared).
#pragma once

#include <optional>
#include <string>

#include "platform/canvas.h"
#include "tex/grey_bitmap.h"

class MIMEView {
  public:
    static constexpr double kInitialWidth = 310;
    static constexpr double kInitialHeight = 110;
    static constexpr double kLeftInset = 10;   // the bitmap's distance from the left edge
    static constexpr double kExtraWidth = 15;  // the view is this much wider than its bitmap

    explicit MIMEView(std::string tex = {}) : m_sTex(std::move(tex)) {}

    // Replaces the TeX text; the bitmap is rendered again on next use.
    void setTex(std::string tex);
    const std::string& tex() const { return m_sTex; }
    // What the rasteriser gets: the size command, a blank, the text, after the brace step.
    std::string markup() const;

    // The rendered bitmap (empty when no font is installed or nothing is set).
    const tex::GreyBitmap& bitmap() const;
    // The view's size after rendering: bitmap width + kExtraWidth by bitmap height.
    double width() const;
    double height() const;

    // Paints the bitmap in black through its coverage into rect: kLeftInset points from rect's left edge,
    // centred vertically, one point per pixel. Nothing for an empty bitmap. The canvas state is kept.
    void Draw(Canvas& canvas, const CanvasRect& rect) const;

  private:
    std::string m_sTex;
    mutable std::optional<tex::GreyBitmap> m_bitmap;
};
