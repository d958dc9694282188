#include "qt/widgets/tooltip_panel.h"

#include <QPainter>
#include <algorithm>

#include "app/screens/function_help/function_tooltip.h"
#include "qt/platform/qt_canvas.h"

namespace {
// As the tooltip model draws: 4 points of padding, 15 points a line, "Verdana" 12 (the name bold).
constexpr double kPadding = 4, kLineHeight = 15, kFontSize = 12;
constexpr double kMaximumScale = 1.6;
}  // namespace

TooltipPanel::TooltipPanel(const MyLedView& display, const FunctionTooltip& tooltip,
                           std::string resourceFolder, QWidget* parent)
    : QWidget(parent), m_display(display), m_tooltip(tooltip), m_resources(std::move(resourceFolder)) {
    setObjectName("functionTooltip");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

QSizeF TooltipPanel::logicalSize() const {
    const std::optional<FunctionTip> tip = m_tooltip.current(m_display);
    if (!tip) return {};
    const QtCanvas metrics;
    const std::vector<std::u16string> lines = FunctionTooltip::Lines(*tip);
    double w = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const CanvasFont font{i == 0 ? "Verdana-Bold" : "Verdana", kFontSize};
        w = std::max(w, metrics.measureText(lines[i], font).width);
    }
    return {w + 2 * kPadding + 2, kLineHeight * static_cast<double>(lines.size()) + 2 * kPadding};
}

void TooltipPanel::sync(const QRect& displayGeometry, double scale) {
    const QSizeF size = logicalSize();
    if (size.isEmpty()) {
        hide();
        return;
    }
    m_scale = std::clamp(scale, 0.5, kMaximumScale);
    const int w = std::min(displayGeometry.width() - 12, static_cast<int>(size.width() * m_scale + 1));
    const int h = static_cast<int>(size.height() * m_scale + 1);
    setGeometry(displayGeometry.x() + 6, displayGeometry.bottom() + 3, std::max(1, w), h);
    show();
    raise();
    update();
}

void TooltipPanel::paintEvent(QPaintEvent*) {
    const std::optional<FunctionTip> tip = m_tooltip.current(m_display);
    if (!tip) return;
    QPainter painter(this);
    painter.scale(m_scale, m_scale);
    QtCanvas canvas(&painter, m_resources);
    FunctionTooltip::Draw(canvas, CanvasRect{0.5, 0.5, width() / m_scale - 1, height() / m_scale - 1}, *tip);
}
