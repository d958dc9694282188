#include "qt/screens/history_view_widget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/screens/history_view/history_view.h"
#include "qt/screens/screen_widget_util.h"
#include "qt/window/gui_context.h"

namespace {

constexpr int kResultRole = Qt::UserRole + 1;

// A row: the expression on the first line, "= result" right-aligned and bold on the second, both elided
// with "..." when the window is too narrow for them.
class HistoryRowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        const QFontMetrics m(option.font);
        return QSize(200, m.height() * 2 + 14);
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        o.text.clear();
        o.widget->style()->drawControl(QStyle::CE_ItemViewItem, &o, p, o.widget);
        const QRect r = option.rect.adjusted(8, 5, -8, -5);
        const bool selected = option.state & QStyle::State_Selected;
        p->save();
        p->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
        const QFontMetrics m(option.font);
        const QString expression = index.data(Qt::DisplayRole).toString();
        p->drawText(QRect(r.left(), r.top(), r.width(), m.height()), Qt::AlignLeft | Qt::AlignVCenter,
                    m.elidedText(expression, Qt::ElideRight, r.width()));
        QFont bold = option.font;
        bold.setBold(true);
        p->setFont(bold);
        const QFontMetrics bm(bold);
        const QString result = "= " + index.data(kResultRole).toString();
        p->drawText(QRect(r.left(), r.bottom() - bm.height(), r.width(), bm.height()),
                    Qt::AlignRight | Qt::AlignVCenter, bm.elidedText(result, Qt::ElideLeft, r.width()));
        p->restore();
    }
};

}  // namespace

HistoryViewWidget::HistoryViewWidget(HistoryView& model, GuiContext&, QWidget* parent)
    : QWidget(parent), m_model(model) {
    setObjectName("historyView");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 8);
    m_stack = new QStackedWidget(this);
    m_rows = new QListWidget(m_stack);
    m_rows->setObjectName("rows");
    m_rows->setItemDelegate(new HistoryRowDelegate(m_rows));
    m_rows->setAlternatingRowColors(true);
    m_rows->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QFont rowFont = m_rows->font();
    rowFont.setPointSizeF(rowFont.pointSizeF() * 1.15);
    m_rows->setFont(rowFont);
    m_empty = new QLabel("No calculations in this category yet.", m_stack);
    m_empty->setObjectName("empty");
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setWordWrap(true);
    m_stack->addWidget(m_rows);
    m_stack->addWidget(m_empty);
    layout->addWidget(m_stack, 1);

    auto* buttons = new QHBoxLayout;
    m_clear = new QPushButton("Clear", this);
    m_clear->setObjectName("clear");
    m_mail = new QPushButton("Mail", this);
    m_mail->setObjectName("mail");
    m_mail->setToolTip("Send the history by e-mail");
    m_close = new QPushButton("Close", this);
    m_close->setObjectName("close");
    buttons->addWidget(m_clear);
    buttons->addWidget(m_mail);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_rows, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { act("row:" + std::to_string(m_rows->row(item))); });
    connect(m_clear, &QPushButton::clicked, this, [this] { act("clear"); });
    connect(m_mail, &QPushButton::clicked, this, [this] { act("mail"); });
    connect(m_close, &QPushButton::clicked, this, [this] { act("close"); });
    m_model.setChangeListener([this] { refresh(); });
    refresh();
}

HistoryViewWidget::~HistoryViewWidget() {
    m_model.setChangeListener(nullptr);
}

// A pick or Close hides the list: the window follows.
void HistoryViewWidget::act(const std::string& element) {
    m_model.tap(element);
    RefreshWindow(this);
}

QPushButton* HistoryViewWidget::button(const QString& name) const {
    return findChild<QPushButton*>(name);
}

void HistoryViewWidget::refresh() {
    const nlohmann::json d = m_model.describe();
    if (d == m_shown) return;
    const bool sameRows = m_shown.is_object() && d["rows"] == m_shown["rows"];
    m_shown = d;
    if (!sameRows) {
        m_rows->clear();
        for (const nlohmann::json& row : d["rows"]) {
            auto* item = new QListWidgetItem(QString::fromStdString(row.value("expression", std::string())));
            item->setData(kResultRole, QString::fromStdString(row.value("result", std::string())));
            m_rows->addItem(item);
        }
    }
    const int selected = d.value("selected", -1);
    if (selected >= 0 && selected < m_rows->count()) m_rows->setCurrentRow(selected);
    const bool empty = d.value("empty", true);
    m_stack->setCurrentWidget(empty ? static_cast<QWidget*>(m_empty) : m_rows);
    m_clear->setEnabled(!empty);
    m_mail->setEnabled(!empty);
}
