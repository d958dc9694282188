#include "qt/widgets/lite_line_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "app/display/led_view_lite.h"
#include "qt/platform/qt_canvas.h"

namespace {
// The line's logical height: its input font is half of it plus 7 points.
constexpr double kLogicalHeight = 40;
}  // namespace

LiteLineWidget::LiteLineWidget(MyLedViewLite& line, std::string resourceFolder, QWidget* parent)
    : QWidget(parent), m_line(line), m_resources(std::move(resourceFolder)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_line.onNeedsDisplay = [this] { update(); };
}

LiteLineWidget::~LiteLineWidget() {
    m_line.onNeedsDisplay = nullptr;
}

QSize LiteLineWidget::sizeHint() const {
    return QSize(300, 40);
}

QSize LiteLineWidget::minimumSizeHint() const {
    return QSize(80, 22);
}

double LiteLineWidget::scale() const {
    return std::max(1, height()) / kLogicalHeight;
}

QPointF LiteLineWidget::toLogical(const QPointF& p) const {
    return p / scale();
}

void LiteLineWidget::setHighlighted(bool highlighted) {
    if (highlighted == m_highlighted) return;
    m_highlighted = highlighted;
    update();
}

void LiteLineWidget::resizeEvent(QResizeEvent*) {
    m_line.setFrame(CanvasRect{0, 0, std::max(1, width()) / scale(), kLogicalHeight});
}

void LiteLineWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const double s = scale();
    painter.save();
    painter.scale(s, s);
    QtCanvas canvas(&painter, m_resources);
    m_line.Draw(canvas);
    painter.restore();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(m_highlighted ? QColor(60, 90, 200) : QColor(150, 150, 160), m_highlighted ? 2 : 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -1, -1));
}

void LiteLineWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPointF p = toLogical(e->position());
    m_line.touchDown({p.x(), p.y()});
    update();
}

void LiteLineWidget::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton)) return;
    const QPointF p = toLogical(e->position());
    m_line.touchMoved({p.x(), p.y()});
    update();
}

void LiteLineWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPointF p = toLogical(e->position());
    m_line.touchUp({p.x(), p.y()});
    update();
}
