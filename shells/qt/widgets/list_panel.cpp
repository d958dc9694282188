#include "qt/widgets/list_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QVBoxLayout>

ListPanel::ListPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("listPanel");
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    auto* top = new QHBoxLayout;
    m_title = new QLabel(this);
    QFont f = m_title->font();
    f.setBold(true);
    m_title->setFont(f);
    m_close = new QPushButton(QString::fromUtf8("\u2715"), this);
    m_close->setObjectName("listClose");
    m_close->setFixedWidth(36);
    m_close->setToolTip("Close");
    top->addWidget(m_title, 1);
    top->addWidget(m_close);
    layout->addLayout(top);
    m_rows = new QListWidget(this);
    m_rows->setObjectName("listRows");
    m_rows->setUniformItemSizes(true);
    m_rows->setStyleSheet("QListWidget::item { padding: 7px 4px; }");
    QFont rowFont = m_rows->font();
    rowFont.setPointSizeF(rowFont.pointSizeF() * 1.15);
    m_rows->setFont(rowFont);
    layout->addWidget(m_rows, 1);
    m_optionRow = new QHBoxLayout;
    layout->addLayout(m_optionRow);
    connect(m_rows, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (onPick) onPick(m_rows->row(item));
    });
    connect(m_close, &QPushButton::clicked, this, [this] {
        if (onClose) onClose();
    });
    hide();
}

void ListPanel::setSkin(const Skin& skin) {
    QPalette p = palette();
    p.setColor(QPalette::Window, skin.panel);
    p.setColor(QPalette::Base, skin.panel);
    p.setColor(QPalette::Text, skin.panelText);
    p.setColor(QPalette::WindowText, skin.panelText);
    p.setColor(QPalette::Highlight, skin.panelSelection);
    setPalette(p);
    m_rows->setPalette(p);
}

void ListPanel::setOptions(const std::vector<QString>& options) {
    for (QPushButton* b : m_options) b->deleteLater();
    m_options.clear();
    for (size_t i = 0; i < options.size(); ++i) {
        auto* b = new QPushButton(options[i], this);
        b->setObjectName(QString("listOption%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] {
            if (onOption) onOption(static_cast<int>(i));
        });
        m_optionRow->addWidget(b);
        m_options.push_back(b);
    }
}

QPushButton* ListPanel::optionButton(int index) const {
    return index >= 0 && index < static_cast<int>(m_options.size()) ? m_options[index] : nullptr;
}

void ListPanel::showRows(const std::string& listName, const QString& title,
                         const std::vector<std::string>& rows) {
    const bool wasHidden = isHidden();
    if (!wasHidden && listName == m_listName && rows == m_shownRows) return;
    m_listName = listName;
    m_shownRows = rows;
    m_title->setText(title);
    m_rows->clear();
    for (const std::string& r : rows) m_rows->addItem(QString::fromStdString(r).trimmed());
    if (rows.empty()) m_rows->addItem("(nothing to choose here)");
    m_rows->item(0)->setFlags(rows.empty() ? Qt::NoItemFlags : m_rows->item(0)->flags());
    show();
    raise();
    place(wasHidden);
}

void ListPanel::hidePanel() {
    m_listName.clear();
    m_shownRows.clear();
    hide();
}

void ListPanel::place(bool animate) {
    QWidget* host = parentWidget();
    if (!host) return;
    const int w = std::min(host->width() - 24, 420);
    const int rowsHeight = std::max(1, m_rows->count()) * (m_rows->sizeHintForRow(0) + 2) + 8;
    const int h = std::min(host->height() - 24, rowsHeight + 64 + (m_options.empty() ? 0 : 44));
    const QRect target((host->width() - w) / 2, (host->height() - h) / 2, w, h);
    if (!animate) {
        setGeometry(target);
        return;
    }
    // Slides up from the bottom edge in 0.1 s.
    auto* a = new QPropertyAnimation(this, "geometry", this);
    a->setDuration(100);
    a->setStartValue(QRect(target.x(), host->height(), w, h));
    a->setEndValue(target);
    a->start(QAbstractAnimation::DeleteWhenStopped);
}
