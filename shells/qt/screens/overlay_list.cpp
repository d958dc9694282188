#include "qt/screens/overlay_list.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int kActionWidth = 40;
constexpr int kFavouriteRole = Qt::UserRole;
constexpr int kActionRole = Qt::UserRole + 1;

const QString kAddGlyph = QString::fromUtf8("\u2606");     // ☆
const QString kDeleteGlyph = QString::fromUtf8("\u2715");  // ✕
const QString kMarkGlyph = QString::fromUtf8("\u2605 ");   // ★

// Draws the row as usual, leaving room at the right for the favourite action and drawing it there.
class ActionDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    // The selection's colours as the list's style sheet paints them.
    QColor selection = QColor(74, 86, 132), selectionText = Qt::white;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (!index.data(kActionRole).toBool()) {
            QStyledItemDelegate::paint(p, option, index);
            return;
        }
        QStyleOptionViewItem text = option;
        text.rect.setRight(option.rect.right() - kActionWidth);
        QStyledItemDelegate::paint(p, text, index);
        const QRect action(option.rect.right() - kActionWidth + 1, option.rect.top(), kActionWidth,
                           option.rect.height());
        const bool favourite = index.data(kFavouriteRole).toBool();
        const bool selected = option.state & QStyle::State_Selected;
        p->save();
        // The row's background runs on under the action.
        if (selected)
            p->fillRect(action, selection);
        else if (const QVariant bg = index.data(Qt::BackgroundRole); bg.canConvert<QBrush>())
            p->fillRect(action, bg.value<QBrush>());
        QFont f = option.font;
        f.setPointSizeF(f.pointSizeF() * 1.3);
        f.setBold(true);
        p->setFont(f);
        p->setPen(selected ? selectionText : favourite ? QColor(176, 40, 40) : QColor(170, 110, 0));
        p->drawText(action, Qt::AlignCenter, favourite ? kDeleteGlyph : kAddGlyph);
        p->restore();
    }
};

}  // namespace

OverlayList::OverlayList(QWidget* parent) : QFrame(parent) {
    setObjectName("overlayList");
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    auto* top = new QHBoxLayout;
    m_title = new QLabel(this);
    m_title->setObjectName("overlayTitle");
    QFont f = m_title->font();
    f.setBold(true);
    m_title->setFont(f);
    m_close = new QPushButton(kDeleteGlyph, this);
    m_close->setObjectName("overlayClose");
    m_close->setFixedWidth(36);
    m_close->setToolTip("Close the list");
    m_close->setFocusPolicy(Qt::NoFocus);
    top->addWidget(m_title, 1);
    top->addWidget(m_close);
    layout->addLayout(top);
    m_rows = new QListWidget(this);
    m_rows->setObjectName("overlayRows");
    m_rows->setUniformItemSizes(true);
    m_delegate = new ActionDelegate(m_rows);
    m_rows->setItemDelegate(m_delegate);
    m_rows->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rows->setTextElideMode(Qt::ElideRight);
    layout->addWidget(m_rows, 1);
    m_rows->viewport()->installEventFilter(this);
    m_rows->installEventFilter(this);
    parent->installEventFilter(this);
    connect(m_close, &QPushButton::clicked, this, [this] {
        if (onClose) onClose();
    });
    hide();
}

void OverlayList::setSkin(const Skin& skin) {
    QPalette p = palette();
    p.setColor(QPalette::Window, skin.panel);
    p.setColor(QPalette::Base, skin.panel);
    p.setColor(QPalette::AlternateBase, skin.panel.darker(108));
    p.setColor(QPalette::Text, skin.panelText);
    p.setColor(QPalette::WindowText, skin.panelText);
    p.setColor(QPalette::Highlight, skin.panelSelection);
    setPalette(p);
    m_rows->setPalette(p);
    // A style sheet sets the rows' padding, and with it the colours (a style sheet's list ignores the
    // palette's base).
    const QColor selectedText = skin.panelSelection.lightness() > 140 ? Qt::black : Qt::white;
    auto* delegate = static_cast<ActionDelegate*>(m_delegate);
    delegate->selection = skin.panelSelection;
    delegate->selectionText = selectedText;
    m_rows->setStyleSheet(
        QString("QListWidget { background: %1; color: %2; }"
                "QListWidget::item { padding: 5px 4px; }"
                "QListWidget::item:selected { background: %3; color: %4; }")
            .arg(skin.panel.name(), skin.panelText.name(), skin.panelSelection.name(), selectedText.name()));
}

void OverlayList::showRows(const QString& title, const std::vector<OverlayRow>& rows, bool withActions) {
    m_title->setText(title);
    if (isHidden() || rows != m_shown || withActions != m_actions) {
        m_shown = rows;
        m_actions = withActions;
        m_rows->setUpdatesEnabled(false);
        m_rows->clear();
        const QColor tint = palette().color(QPalette::AlternateBase);
        for (const OverlayRow& r : rows) {
            auto* item = new QListWidgetItem(r.favourite ? kMarkGlyph + r.text : r.text);
            item->setData(kFavouriteRole, r.favourite);
            item->setData(kActionRole, withActions);
            item->setToolTip(r.text);
            if (r.favourite) item->setBackground(tint);
            m_rows->addItem(item);
        }
        m_rows->setUpdatesEnabled(true);
    }
    setGeometry(parentWidget()->rect());
    show();
    raise();
    m_rows->setFocus();
}

void OverlayList::hideList() {
    if (isHidden()) return;
    const bool hadFocus = m_rows->hasFocus();
    hide();
    // Typing goes back to the calculator.
    if (hadFocus && window()) window()->setFocus();
}

void OverlayList::showRow(int row) {
    if (QListWidgetItem* item = m_rows->item(row)) {
        m_rows->setCurrentItem(item);
        m_rows->scrollToItem(item, QAbstractItemView::PositionAtCenter);
    }
}

QRect OverlayList::actionRect(int row) const {
    const QListWidgetItem* item = m_rows->item(row);
    if (!item || !m_actions) return {};
    const QRect r = m_rows->visualItemRect(item);
    return QRect(r.right() - kActionWidth + 1, r.top(), kActionWidth, r.height());
}

QPoint OverlayList::rowCentre(int row) const {
    const QListWidgetItem* item = m_rows->item(row);
    if (!item) return {-1, -1};
    const QRect r = m_rows->visualItemRect(item);
    return QPoint(r.left() + (r.width() - (m_actions ? kActionWidth : 0)) / 2, r.center().y());
}

void OverlayList::clicked(const QPoint& p) {
    const QModelIndex index = m_rows->indexAt(p);
    if (!index.isValid()) return;
    const int row = index.row();
    if (m_actions && actionRect(row).contains(p)) {
        const bool favourite = m_shown[static_cast<size_t>(row)].favourite;
        if (favourite && onDeleteFavourite) onDeleteFavourite(row);
        if (!favourite && onAddFavourite) onAddFavourite(row);
        return;
    }
    if (onPick) onPick(row);
}

bool OverlayList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible()) {
        setGeometry(parentWidget()->rect());
    } else if (watched == m_rows->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) clicked(e->position().toPoint());
    } else if (watched == m_rows && event->type() == QEvent::KeyPress) {
        auto* e = static_cast<QKeyEvent*>(event);
        const int row = m_rows->currentRow();
        const bool known = row >= 0 && row < static_cast<int>(m_shown.size());
        switch (e->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (known && onPick) onPick(row);
                return true;
            case Qt::Key_Delete:
                if (known && m_actions && m_shown[static_cast<size_t>(row)].favourite && onDeleteFavourite)
                    onDeleteFavourite(row);
                return true;
            case Qt::Key_Insert:
                if (known && m_actions && !m_shown[static_cast<size_t>(row)].favourite && onAddFavourite)
                    onAddFavourite(row);
                return true;
            case Qt::Key_Escape:
                if (onClose) onClose();
                return true;
            default:
                break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void OverlayList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && onClose) {
        onClose();
        return;
    }
    QFrame::keyPressEvent(event);
}
