// The formula view: the current expression of the input line as a typeset formula, over the display.
//
// The display's formula button posts "ShowFomula", which opens the view or closes it again; a key code
// below 20 (digits, operators, equals, memory and clear keys) closes it too. While open it shows the
// engine text of the input line converted to TeX markup (ExpressionToTex with the size command
// "\Large"; an empty line shows "Empty String!") and rasterised to a grey-level bitmap. The view follows
// the line: when the line changes while the view is open, the formula is made again on the next
// describe() or Draw().
//
// Elements (tap): "close". describe(): "open", "engineText", "tex" (the markup), "bitmap" ("width",
// "height" in pixels; 0 x 0 when nothing could be drawn, e.g. without fonts), "shows" (a bitmap is there
// to show), "viewWidth" (the width the view takes: the bitmap's width in points plus 50, at least 314
// in portrait and 474 in landscape; 0 when nothing shows).
// Engine thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/screens/screen_host.h"
#include "tex/grey_bitmap.h"

class FormularView : public ScreenModel {
  public:
    static constexpr const char* kSizeCommand = "\\Large";
    static constexpr double kMargin = 50;
    static constexpr double kPortraitMinimumWidth = 314;
    static constexpr double kLandscapeMinimumWidth = 474;

    explicit FormularView(ScreenContext& context);

    const char* name() const override { return "formula_view"; }
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    void didShow() override;
    void didHide() override;

    bool isOpen() const { return m_bOpen; }
    // The pipeline: text (engine text; empty gives "Empty String!") to markup with the size command, then
    // the bitmap. The previous bitmap is released first.
    void createGifDataFromEq(const std::string& text, const std::string& sizeCommand);
    void freeData();

    // Device pixels per point of the bitmap (2 on a dense screen); the formula is made again.
    void setRenderScale(double scale);

    // The formula of the line as it is now (made again when the line changed since).
    const std::string& markup() const;
    const tex::GreyBitmap& bitmap() const;
    int bmWidth() const { return bitmap().width; }
    int bmHeight() const { return bitmap().height; }
    // Width the view takes in screen mode 1 (portrait) or 2 (landscape); 0 when nothing shows.
    double viewWidth(int screenMode) const;

    // Paints rect white and the formula in black, centred, scaled down to fit when it is larger (never
    // up). Nothing but the background when there is no bitmap.
    void Draw(Canvas& canvas, const CanvasRect& rect) const;

  private:
    void Refresh() const;
    void Make(const std::string& text, const std::string& sizeCommand) const;

    ScreenContext& m_context;
    bool m_bOpen = false;
    double m_dScale = 1;
    // The formula made last and the engine text it was made from.
    mutable std::string m_sEngineText;
    mutable std::string m_sMarkup;
    mutable tex::GreyBitmap m_bitmap;
    mutable bool m_bMade = false;
};
