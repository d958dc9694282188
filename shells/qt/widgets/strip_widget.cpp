#include "qt/widgets/strip_widget.h"

#include <QResizeEvent>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "app/keyboards/mod_view_controller.h"
#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/keys/static_table_codes.h"
#include "app/settings/settings_globals.h"
#include "qt/widgets/keyboard_widget.h"

namespace {

constexpr int kRows = 3;
constexpr int kColumns = 6;

void PlaceModeKey(const nlohmann::json& face, PadKey& key) {
    const int slot = face.value("slot", 0);
    key.row = slot / kColumns;
    key.column = slot % kColumns;
    const int type = face.value("type", 0);
    key.columnSpan = type == kButtonDoubleWidth ? 2 : 1;
    key.kind = ModeKeyKind(type);
}

}  // namespace

StripWidget::StripWidget(ModViewController& model, std::function<QWidget*(int, QWidget*)> screenPage,
                         QWidget* parent)
    : QWidget(parent), m_model(model), m_screenPage(std::move(screenPage)), m_skin(&Skin::named("Default")) {
    setObjectName("strip");
    m_container = new QWidget(this);
    m_animation = new QVariantAnimation(this);
    m_animation->setDuration(220);
    m_animation->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& v) { setOffset(v.toDouble(), false); });
    connect(m_animation, &QVariantAnimation::finished, this, [this] { setOffset(m_offset, true); });
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    buildPages();
}

StripWidget::~StripWidget() = default;

bool StripWidget::animating() const {
    return m_animation->state() == QAbstractAnimation::Running;
}

void StripWidget::setSkin(const Skin& skin) {
    m_skin = &skin;
    for (KeyPad* pad : m_keys)
        if (pad) pad->setSkin(skin);
}

KeyPad* StripWidget::currentKeys() const {
    return m_current;
}

void StripWidget::buildPages() {
    for (QWidget* p : m_pages) p->deleteLater();
    m_pages.clear();
    m_keys.clear();
    m_current = nullptr;
    m_currentPosition = -1;
    for (int pos = 0; pos < ModViewController::kPositions; ++pos) {
        const int category = PanelCategory(m_model.panelAtPosition(pos));
        auto* page = new QWidget(m_container);
        page->setObjectName(QString("page%1").arg(pos));
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(4);
        const bool keys = checkIndex(category) >= 0;
        // Pages without keys show their screen; the Graph page shows its screen above its keys.
        if (!keys || category == kCatGraph) {
            QWidget* screen = m_screenPage ? m_screenPage(category, page) : nullptr;
            if (screen) layout->addWidget(screen, keys ? 2 : 1);
        }
        KeyPad* pad = nullptr;
        if (keys) {
            pad = new KeyPad(kRows, kColumns, page);
            pad->setSkin(*m_skin);
            layout->addWidget(pad, 3);
        }
        m_pages.push_back(page);
        m_keys.push_back(pad);
    }
    refresh();
}

KeyPad* StripWidget::keysAt(int position) const {
    return position >= 0 && position < static_cast<int>(m_keys.size()) ? m_keys[position] : nullptr;
}

void StripWidget::setKeysAt(int position, KeyPad* pad) {
    KeyPad* old = keysAt(position);
    if (!old) return;
    auto* layout = static_cast<QVBoxLayout*>(m_pages[position]->layout());
    delete layout->replaceWidget(old, pad);  // the item that held the old pad is ours to free
    old->hide();
    old->deleteLater();
    pad->setSkin(*m_skin);
    pad->onSwipe = [this](QPoint d, bool released) { swipe(d, released); };
    pad->show();
    m_keys[position] = pad;
}

void StripWidget::fillStaticFaces(int position) {
    KeyPad* pad = keysAt(position);
    if (!pad || qobject_cast<KeyboardWidget*>(pad)) return;
    const int category = PanelCategory(m_model.panelAtPosition(position));
    const int page = checkIndex(category);
    const bool rpn = page >= 0 && page < kRPNPageCount && IsRPNCategory(category);
    std::vector<PadKey> keys;
    for (int slot = 0; slot < kModePageSlots; ++slot) {
        if (IsPortraitSlotCovered(page, slot, rpn)) continue;
        const KeyFace f = PortraitKeyFace(page, slot, rpn);
        nlohmann::json face =
            KeyFaceJson(slot, f.code, f.shiftedCode, PortraitKeyType(page, slot, rpn), false, rpn);
        PadKey k;
        FillFace(face, -1, k);
        PlaceModeKey(face, k);
        keys.push_back(k);
    }
    pad->setKeys(std::move(keys));
}

void StripWidget::refresh() {
    const int pos = m_model.currentPosition();
    if (pos != m_currentPosition) {
        // The page at the new position gets the live keyboard; the one left shows the table faces again.
        if (m_current) {
            setKeysAt(m_currentPosition, new KeyPad(kRows, kColumns, m_pages[m_currentPosition]));
            m_current = nullptr;
        }
        m_currentPosition = pos;
        if (keysAt(pos)) {
            m_current = new KeyboardWidget(m_model, kRows, kColumns, PlaceModeKey, m_pages[pos]);
            m_current->setObjectName("modeKeys");
            setKeysAt(pos, m_current);
        }
        layoutPages();
        if (!animating()) setOffset(pos * static_cast<double>(width()), false);
    }
    for (int p = 0; p < static_cast<int>(m_keys.size()); ++p) {
        if (KeyPad* pad = m_keys[p]) {
            pad->onSwipe = [this](QPoint d, bool released) { swipe(d, released); };
            if (p != m_currentPosition) fillStaticFaces(p);
        }
    }
    if (m_current) m_current->refresh();
}

void StripWidget::layoutPages() {
    const int w = std::max(1, width()), h = height();
    m_container->resize(w * static_cast<int>(m_pages.size()), h);
    for (size_t i = 0; i < m_pages.size(); ++i) m_pages[i]->setGeometry(static_cast<int>(i) * w, 0, w, h);
}

void StripWidget::resizeEvent(QResizeEvent*) {
    m_model.setPageWidth(std::max(1, width()));
    layoutPages();
    m_animation->stop();
    setOffset(m_model.currentPosition() * static_cast<double>(width()), false);
}

void StripWidget::setOffset(double offset, bool stopped) {
    m_offset = offset;
    m_container->move(static_cast<int>(-std::lround(offset)), 0);
    m_model.scrollViewDidScroll(offset);
    if (stopped) m_model.scrollViewDidEndDecelerating();
}

void StripWidget::scrollToPosition(int position) {
    if (position < 0 || position >= ModViewController::kPositions) return;
    m_animation->stop();
    m_animation->setStartValue(m_offset);
    m_animation->setEndValue(position * static_cast<double>(width()));
    m_animation->start();
}

void StripWidget::swipe(QPoint delta, bool released) {
    const double w = std::max(1, width());
    if (!m_swiping) {
        m_swiping = true;
        m_swipeStart = m_offset;
        m_swipeClock.start();
    }
    const double maxOffset = (ModViewController::kPositions - 1) * w;
    const double offset = std::clamp(m_swipeStart - delta.x(), 0.0, maxOffset);
    if (!released) {
        m_animation->stop();
        setOffset(offset, false);
        return;
    }
    m_swiping = false;
    // A quarter of a page is enough to turn it, and so is a flick (a short, fast stroke); the strip
    // settles on a whole page, one page at a time.
    const double ms = std::max<qint64>(1, m_swipeClock.elapsed());
    const bool flick = std::abs(delta.x()) >= 24 && std::abs(delta.x()) / ms >= 0.6;
    const double turn = flick ? 24 : w / 4;
    const int startPos = static_cast<int>(std::lround(m_swipeStart / w));
    int target = startPos;
    if (delta.x() <= -turn) target = startPos + 1;
    if (delta.x() >= turn) target = startPos - 1;
    scrollToPosition(std::clamp(target, 0, ModViewController::kPositions - 1));
}

void StripWidget::wheelEvent(QWheelEvent* e) {
    const QPoint d = e->angleDelta();
    m_wheelAccumulator += std::abs(d.x()) > std::abs(d.y()) ? -d.x() : -d.y();
    if (std::abs(m_wheelAccumulator) < 120 || animating()) return;
    const int step = m_wheelAccumulator > 0 ? 1 : -1;
    m_wheelAccumulator = 0;
    scrollToPosition(std::clamp(m_model.currentPosition() + step, 0, ModViewController::kPositions - 1));
}
