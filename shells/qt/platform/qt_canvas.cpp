#include "qt/platform/qt_canvas.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cmath>

namespace {

QString ToQString(const std::u16string& s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

QRectF ToRect(const CanvasRect& r) {
    return QRectF(r.x, r.y, r.width, r.height);
}

bool HasFamily(const QString& family) {
    static const QStringList families = QFontDatabase::families();
    return families.contains(family, Qt::CaseInsensitive);
}

}  // namespace

QtCanvas::QtCanvas(QPainter* painter, std::string resourceFolder)
    : m_painter(painter), m_resources(std::move(resourceFolder)) {
    if (m_painter) m_painter->setRenderHint(QPainter::Antialiasing, true);
}

QFont QtCanvas::FontFor(const CanvasFont& font) {
    QString family = QString::fromStdString(font.name);
    bool bold = false;
    if (family.endsWith("-Bold")) {
        family.chop(5);
        bold = true;
    }
    if (family.compare("Verdana", Qt::CaseInsensitive) == 0 && !HasFamily(family)) family = "DejaVu Sans";
    QFont f(family);
    f.setBold(bold);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size))));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QColor QtCanvas::ColorOf(const CanvasColor& c) {
    auto channel = [](double v) { return std::clamp(v, 0.0, 1.0); };
    return QColor::fromRgbF(channel(c.r), channel(c.g), channel(c.b), channel(c.a));
}

void QtCanvas::saveState() {
    m_saved.push_back(m_state);
    if (m_painter) m_painter->save();
}

void QtCanvas::restoreState() {
    if (m_saved.empty()) return;  // unbalanced: nothing to restore
    m_state = m_saved.back();
    m_saved.pop_back();
    if (m_painter) m_painter->restore();
}

void QtCanvas::setStrokeColor(const CanvasColor& color) {
    m_state.stroke = ColorOf(color);
}

void QtCanvas::setFillColor(const CanvasColor& color) {
    m_state.fill = ColorOf(color);
}

void QtCanvas::setLineWidth(double width) {
    m_state.lineWidth = width;
}

void QtCanvas::applyPen() {
    QPen pen(m_state.stroke);
    pen.setWidthF(m_state.lineWidth);
    pen.setCapStyle(Qt::FlatCap);
    m_painter->setPen(pen);
}

void QtCanvas::beginPath() {
    m_path = QPainterPath();
}

void QtCanvas::moveTo(CanvasPoint p) {
    m_path.moveTo(p.x, p.y);
}

void QtCanvas::lineTo(CanvasPoint p) {
    m_path.lineTo(p.x, p.y);
}

void QtCanvas::closePath() {
    m_path.closeSubpath();
}

void QtCanvas::addRect(const CanvasRect& rect) {
    m_path.addRect(ToRect(rect));
}

void QtCanvas::strokePath() {
    if (m_painter) {
        applyPen();
        m_painter->setBrush(Qt::NoBrush);
        m_painter->drawPath(m_path);
    }
    m_path = QPainterPath();
}

void QtCanvas::fillPath() {
    if (m_painter) m_painter->fillPath(m_path, m_state.fill);
    m_path = QPainterPath();
}

void QtCanvas::clipToRect(const CanvasRect& rect) {
    if (m_painter) m_painter->setClipRect(ToRect(rect), Qt::IntersectClip);
}

void QtCanvas::strokeRect(const CanvasRect& rect) {
    if (!m_painter) return;
    applyPen();
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawRect(ToRect(rect));
}

void QtCanvas::fillRect(const CanvasRect& rect) {
    if (m_painter) m_painter->fillRect(ToRect(rect), m_state.fill);
}

void QtCanvas::drawImage(const std::string& name, const CanvasRect& dest,
                         const std::optional<CanvasRect>& source) {
    if (!m_painter || name.empty() || name.find("..") != std::string::npos) return;
    // The images are looked up under the resource folder; a missing image draws nothing.
    static std::map<std::string, QImage> cache;
    const std::string path = m_resources + "/" + name;
    auto it = cache.find(path);
    if (it == cache.end()) it = cache.emplace(path, QImage(QString::fromStdString(path))).first;
    if (it->second.isNull()) return;
    const QRectF src = source ? ToRect(*source) : QRectF(it->second.rect());
    m_painter->drawImage(ToRect(dest), it->second, src);
}

void QtCanvas::drawCoverage(std::span<const std::uint8_t> coverage, int width, int height,
                            const CanvasRect& dest) {
    if (!m_painter || width <= 0 || height <= 0 || coverage.size() != static_cast<size_t>(width) * height)
        return;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    const QColor c = m_state.fill;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double a = coverage[static_cast<size_t>(y) * width + x] / 255.0 * c.alphaF();
            row[x] = qRgba(static_cast<int>(c.red() * a), static_cast<int>(c.green() * a),
                           static_cast<int>(c.blue() * a), static_cast<int>(255 * a));
        }
    }
    m_painter->save();
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    m_painter->drawImage(ToRect(dest), image);
    m_painter->restore();
}

void QtCanvas::drawText(const std::u16string& text, CanvasPoint origin, const CanvasFont& font) {
    if (!m_painter || text.empty()) return;
    const QFont f = FontFor(font);
    m_painter->setFont(f);
    m_painter->setPen(m_state.fill);
    m_painter->drawText(QPointF(origin.x, origin.y + QFontMetricsF(f).ascent()), ToQString(text));
}

CanvasTextSize QtCanvas::measureText(const std::u16string& text, const CanvasFont& font) const {
    const QFontMetricsF m(FontFor(font));
    return {m.horizontalAdvance(ToQString(text)), m.height()};
}
