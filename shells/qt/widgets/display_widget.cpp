#include "qt/widgets/display_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "app/display/led_view.h"
#include "qt/platform/qt_canvas.h"
#include "qt/widgets/tooltip_panel.h"

DisplayWidget::DisplayWidget(MyLedView& display, std::string resourceFolder, QWidget* parent)
    : QWidget(parent), m_display(display), m_resources(std::move(resourceFolder)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setObjectName("display");
}

QSizeF DisplayWidget::logicalSize() const {
    const CanvasRect& f = m_display.regions().frame;
    return {std::max(1.0, f.width), std::max(1.0, f.height)};
}

double DisplayWidget::scale() const {
    return width() / logicalSize().width();
}

int DisplayWidget::heightForWidth(int w) const {
    const QSizeF s = logicalSize();
    return static_cast<int>(w * s.height() / s.width() + 0.5);
}

QSize DisplayWidget::sizeHint() const {
    const QSizeF s = logicalSize();
    return QSize(static_cast<int>(s.width() * 1.5), static_cast<int>(s.height() * 1.5));
}

QPointF DisplayWidget::toLogical(const QPointF& p) const {
    const double s = scale();
    return s > 0 ? p / s : p;
}

void DisplayWidget::flash() {
    m_flash = true;
    update();
    QTimer::singleShot(140, this, [this] {
        m_flash = false;
        update();
    });
}

void DisplayWidget::setFunctionTooltip(const FunctionTooltip* tooltip) {
    m_tooltip = tooltip;
    syncTooltip();
}

QWidget* DisplayWidget::tooltipPanel() const {
    return m_tooltipPanel && m_tooltipPanel->isVisible() ? m_tooltipPanel.data() : nullptr;
}

void DisplayWidget::syncTooltip() {
    if (!m_tooltip || !parentWidget()) return;
    if (!m_tooltipPanel)
        m_tooltipPanel = new TooltipPanel(m_display, *m_tooltip, m_resources, parentWidget());
    if (isVisible()) {
        m_tooltipPanel->sync(geometry(), scale());
    } else {
        m_tooltipPanel->hide();
    }
}

void DisplayWidget::moveEvent(QMoveEvent*) {
    syncTooltip();
}

void DisplayWidget::resizeEvent(QResizeEvent*) {
    syncTooltip();
}

void DisplayWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const double s = scale();
    painter.scale(s, s);
    QtCanvas canvas(&painter, m_resources);
    m_display.drawRect(canvas);
    painter.resetTransform();
    if (m_flash) painter.fillRect(rect(), QColor(220, 40, 40, 90));
    if (onFirstPaint) {
        auto once = std::move(onFirstPaint);
        onFirstPaint = nullptr;
        once();
    }
    // The caret may have moved onto or off a function: the panel follows once this paint is done.
    if (m_tooltip) QMetaObject::invokeMethod(this, &DisplayWidget::syncTooltip, Qt::QueuedConnection);
}

void DisplayWidget::mousePressEvent(QMouseEvent* e) {
    const QPointF p = toLogical(e->position());
    m_display.touchDown({p.x(), p.y()});
    update();
    if (onTouched) onTouched();
}

void DisplayWidget::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton)) return;
    const QPointF p = toLogical(e->position());
    m_display.touchMoved({p.x(), p.y()});
    update();
}

void DisplayWidget::mouseReleaseEvent(QMouseEvent* e) {
    const QPointF p = toLogical(e->position());
    m_display.touchUp({p.x(), p.y()});
    update();
    if (onTouched) onTouched();
}
