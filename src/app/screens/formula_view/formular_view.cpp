#include "app/screens/formula_view/formular_view.h"

#include <algorithm>

#include "app/controller/orvane_view_controller.h"
#include "app/display/line_text.h"
#include "app/settings/settings_globals.h"
#include "tex/tex_convert.h"
#include "tex/tex_render.h"

FormularView::FormularView(ScreenContext& context) : m_context(context) {}

void FormularView::freeData() {
    m_bitmap = {};
    m_sMarkup.clear();
    m_bMade = false;
}

void FormularView::createGifDataFromEq(const std::string& text, const std::string& sizeCommand) {
    Make(text, sizeCommand);
}

void FormularView::Make(const std::string& text, const std::string& sizeCommand) const {
    m_bitmap = {};
    m_sEngineText = text;
    m_sMarkup = ExpressionToTex(text, sizeCommand);
    tex::TexRenderOptions options;
    options.scale = m_dScale;
    m_bitmap = tex::RenderTex(m_sMarkup, options);
    m_bMade = true;
}

void FormularView::setRenderScale(double scale) {
    if (!(scale > 0.25 && scale <= 8)) return;
    m_dScale = scale;
    m_bMade = false;
    changed();
}

// The conversion and the rasteriser are not cheap; the formula is made again only for a new text.
void FormularView::Refresh() const {
    const std::string text = m_context.controller.display().OutputParsedString();
    if (m_bMade && text == m_sEngineText) return;
    Make(text, kSizeCommand);
}

const std::string& FormularView::markup() const {
    Refresh();
    return m_sMarkup;
}

const tex::GreyBitmap& FormularView::bitmap() const {
    Refresh();
    return m_bitmap;
}

double FormularView::viewWidth(int screenMode) const {
    const tex::GreyBitmap& b = bitmap();
    if (b.empty()) return 0;
    const double minimum = screenMode == 2 ? kLandscapeMinimumWidth : kPortraitMinimumWidth;
    return std::max(b.width / m_dScale + kMargin, minimum);
}

void FormularView::didShow() {
    m_bOpen = true;
    Refresh();
    changed();
}

void FormularView::didHide() {
    m_bOpen = false;
    changed();
}

bool FormularView::tap(std::string_view element) {
    if (element != "close") return false;
    m_context.controller.HideScreen(name());
    return true;
}

void FormularView::Draw(Canvas& canvas, const CanvasRect& rect) const {
    canvas.saveState();
    canvas.clipToRect(rect);
    canvas.setFillColor({1, 1, 1, 1});
    canvas.fillRect(rect);
    const tex::GreyBitmap& b = bitmap();
    if (!b.empty() && rect.width > 0 && rect.height > 0) {
        const double w = b.width / m_dScale, h = b.height / m_dScale;
        const double fit = std::min({1.0, rect.width / w, rect.height / h});
        const CanvasRect dest{rect.x + (rect.width - w * fit) / 2, rect.y + (rect.height - h * fit) / 2,
                              w * fit, h * fit};
        canvas.setFillColor({0, 0, 0, 1});
        canvas.drawCoverage(b.pixels, b.width, b.height, dest);
    }
    canvas.restoreState();
}

nlohmann::json FormularView::describe() const {
    const tex::GreyBitmap& b = bitmap();
    // Engine text is 8-bit; JSON wants UTF-8.
    return {{"open", m_bOpen},
            {"engineText", U16ToUtf8(Latin1ToU16(m_sEngineText))},
            {"tex", U16ToUtf8(Latin1ToU16(m_sMarkup))},
            {"bitmap", {{"width", b.width}, {"height", b.height}}},
            {"shows", !b.empty()},
            {"viewWidth", viewWidth(g_nCurScreenMode)}};
}
