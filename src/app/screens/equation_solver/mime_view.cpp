#include "app/screens/equation_solver/mime_view.h"

#include "tex/tex_convert.h"
#include "tex/tex_render.h"

namespace {
const char* const kSizeCommand = "\\large";
const CanvasColor kInk{0, 0, 0, 1};
}  // namespace

void MIMEView::setTex(std::string tex) {
    if (tex == m_sTex) return;
    m_sTex = std::move(tex);
    m_bitmap.reset();
}

std::string MIMEView::markup() const {
    std::string text = std::string(kSizeCommand) + " " + m_sTex;
    BraceProcessing(text);
    return text;
}

const tex::GreyBitmap& MIMEView::bitmap() const {
    if (!m_bitmap) m_bitmap = tex::RenderTex(markup());
    return *m_bitmap;
}

double MIMEView::width() const {
    return bitmap().width + kExtraWidth;
}

double MIMEView::height() const {
    return bitmap().height;
}

void MIMEView::Draw(Canvas& canvas, const CanvasRect& rect) const {
    const tex::GreyBitmap& b = bitmap();
    if (b.empty()) return;
    const CanvasRect dest{rect.x + kLeftInset, rect.y + (rect.height - b.height) / 2,
                          static_cast<double>(b.width), static_cast<double>(b.height)};
    canvas.saveState();
    canvas.setFillColor(kInk);
    canvas.drawCoverage(b.pixels, b.width, b.height, dest);
    canvas.restoreState();
}
