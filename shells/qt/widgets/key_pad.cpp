#include "qt/widgets/key_pad.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cstdlib>

namespace {
constexpr int kGap = 4;
}

KeyPad::KeyPad(int rows, int columns, QWidget* parent)
    : QWidget(parent), m_rows(rows), m_columns(columns), m_skin(&Skin::named("Default")) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(columns * 36, rows * 28);
}

void KeyPad::setKeys(std::vector<PadKey> keys) {
    m_keys = std::move(keys);
    update();
}

void KeyPad::setGrid(int rows, int columns) {
    if (rows == m_rows && columns == m_columns) return;
    m_rows = std::max(1, rows);
    m_columns = std::max(1, columns);
    updateGeometry();
    update();
}

void KeyPad::setSkin(const Skin& skin) {
    m_skin = &skin;
    update();
}

const PadKey* KeyPad::keyAt(int slot) const {
    for (const PadKey& k : m_keys)
        if (k.slot == slot && k.visible) return &k;
    return nullptr;
}

QRect KeyPad::keyRect(const PadKey& k) const {
    const double cw = (width() - kGap) / static_cast<double>(m_columns);
    const double rh = (height() - kGap) / static_cast<double>(m_rows);
    const int x = static_cast<int>(kGap + k.column * cw);
    const int y = static_cast<int>(kGap + k.row * rh);
    const int w = static_cast<int>(cw * k.columnSpan - kGap);
    const int h = static_cast<int>(rh - kGap);
    return QRect(x, y, std::max(1, w), std::max(1, h));
}

QPoint KeyPad::slotCentre(int slot) const {
    const PadKey* k = keyAt(slot);
    return k ? keyRect(*k).center() : QPoint(-1, -1);
}

QSize KeyPad::sizeHint() const {
    return QSize(m_columns * 64, m_rows * 48);
}

const KeyStyle& KeyPad::styleOf(PadKey::Kind kind) const {
    switch (kind) {
        case PadKey::Function:
            return m_skin->function;
        case PadKey::Shift:
            return m_skin->shift;
        case PadKey::Menu:
            return m_skin->menu;
        case PadKey::Digit:
            return m_skin->digit;
        case PadKey::Operation:
            return m_skin->operation;
        case PadKey::Equals:
            return m_skin->equals;
        default:
            return m_skin->ordinary;
    }
}

void KeyPad::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(rect(), m_skin->background);
    for (const PadKey& k : m_keys) {
        if (!k.visible) continue;
        const QRectF r = keyRect(k);
        const KeyStyle& st = styleOf(k.kind);
        const double radius = std::min(r.height(), r.width()) * 0.16;
        QPainterPath path;
        path.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, k.latched ? m_skin->latchedShift : st.top);
        g.setColorAt(1, st.bottom);
        p.fillPath(path, g);
        if (k.pressed) p.fillPath(path, m_skin->pressedTint);
        p.setPen(QPen(st.border, 1));
        p.drawPath(path);

        const bool twoLines = !k.shiftedCaption.isEmpty();
        const double small = std::max(7.0, r.height() * 0.22);
        const QRectF captionRect =
            twoLines ? r.adjusted(2, r.height() * 0.30, -2, -2) : r.adjusted(2, 2, -2, -2);
        if (twoLines) {
            QFont f = font();
            f.setPixelSize(static_cast<int>(small));
            p.setFont(f);
            p.setPen(st.shiftedText);
            p.drawText(r.adjusted(2, 1, -2, -r.height() * 0.66), Qt::AlignCenter, k.shiftedCaption);
        }
        QFont f = font();
        f.setBold(k.kind != PadKey::Digit);
        double size = std::min(r.height() * (twoLines ? 0.38 : 0.44), 26.0);
        f.setPixelSize(static_cast<int>(size));
        // Long captions ("median", "Binomial") shrink to fit their key.
        while (size > 7 && QFontMetrics(f).horizontalAdvance(k.caption) > captionRect.width() - 2) {
            size -= 1;
            f.setPixelSize(static_cast<int>(size));
        }
        p.setFont(f);
        p.setPen(st.text);
        p.drawText(captionRect.translated(0, k.pressed ? 1 : 0), Qt::AlignCenter, k.caption);
    }
}

const PadKey* KeyPad::hit(const QPoint& pt) const {
    for (const PadKey& k : m_keys)
        if (k.visible && keyRect(k).contains(pt)) return &k;
    return nullptr;
}

void KeyPad::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    m_pressPoint = e->position().toPoint();
    m_tracking = true;
    m_swiping = false;
    const PadKey* k = hit(m_pressPoint);
    if (!k) return;
    m_pressedSlot = k->slot;
    if (onPress) onPress(k->slot);
}

void KeyPad::mouseMoveEvent(QMouseEvent* e) {
    if (!m_tracking || !(e->buttons() & Qt::LeftButton) || !onSwipe) return;
    const QPoint delta = e->position().toPoint() - m_pressPoint;
    if (!m_swiping && std::abs(delta.x()) > 12 && std::abs(delta.x()) > std::abs(delta.y())) {
        m_swiping = true;
        if (m_pressedSlot >= 0 && onCancel) onCancel(m_pressedSlot);
        m_pressedSlot = -1;
    }
    if (m_swiping) onSwipe(delta, false);
}

void KeyPad::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    m_tracking = false;
    if (m_swiping) {
        m_swiping = false;
        if (onSwipe) onSwipe(e->position().toPoint() - m_pressPoint, true);
        return;
    }
    if (m_pressedSlot < 0) return;
    const int slot = m_pressedSlot;
    m_pressedSlot = -1;
    const PadKey* k = hit(e->position().toPoint());
    if (k && k->slot == slot) {
        if (onRelease) onRelease(slot);
    } else if (onCancel) {
        onCancel(slot);
    }
}
