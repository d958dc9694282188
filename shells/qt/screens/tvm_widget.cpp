#include "qt/screens/tvm_widget.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/screens/tvm/tvm_view.h"
#include "qt/screens/finance_parts.h"
#include "qt/widgets/keyboard_widget.h"
#include "qt/window/gui_context.h"

namespace {

// A caption such as "Present value     (PV)": the blanks lined the symbols up in a column on the phone,
// so the name is shown on the left and the symbol in brackets on the right of the caption's cell.
class CaptionCell : public QWidget {
  public:
    CaptionCell(const QString& caption, QWidget* parent) : QWidget(parent) {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        const qsizetype bracket = caption.lastIndexOf('(');
        const QString name = (bracket > 0 ? caption.left(bracket) : caption).trimmed();
        row->addWidget(new QLabel(name, this));
        row->addStretch(1);
        if (bracket > 0) {
            auto* symbol = new QLabel(caption.mid(bracket).trimmed(), this);
            QFont f = symbol->font();
            f.setBold(true);
            symbol->setFont(f);
            row->addWidget(symbol);
        }
        setCursor(Qt::PointingHandCursor);
        setToolTip(caption.simplified());
    }
    std::function<void()> onTap;

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && onTap) onTap();
    }
};

}  // namespace

TVMWidget::TVMWidget(TVMView& model, GuiContext& context, QWidget* parent) : QWidget(parent), m_model(model) {
    setObjectName("tvm");
    setFocusPolicy(Qt::StrongFocus);
    m_layout = new QBoxLayout(QBoxLayout::TopToBottom, this);
    m_layout->setContentsMargins(10, 6, 10, 10);
    m_layout->setSpacing(10);
    m_layout->addLayout(buildFields(), 5);
    m_keypad = std::make_unique<FinancePad>(m_model, context, this);
    m_keypad->widget()->setMinimumHeight(180);
    m_layout->addWidget(m_keypad->widget(), 4);
    m_model.setChangeListener([this] { refresh(); });
    refresh();
}

TVMWidget::~TVMWidget() {
    m_model.setChangeListener(nullptr);
    m_keypad.reset();
}

QLayout* TVMWidget::buildFields() {
    const nlohmann::json d = m_model.describe();
    auto* fields = new QVBoxLayout;
    fields->setSpacing(8);
    fields->addWidget(FormHeading(QString::fromStdString(d.value("title", std::string())), this));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    const auto checkable = d.value("checkable", nlohmann::json::array());
    int row = 0;
    for (const std::string field : d.value("fields", nlohmann::json::array())) {
        const bool check = std::find(checkable.begin(), checkable.end(), field) != checkable.end();
        addFieldRow(grid, row++, field, QString::fromStdString(d["captions"].value(field, std::string())),
                    check);
    }
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 3);
    fields->addLayout(grid);
    fields->addLayout(buildPaymentType(d));
    fields->addStretch(1);
    return fields;
}

void TVMWidget::addFieldRow(QGridLayout* grid, int row, const std::string& field, const QString& caption,
                            bool checkable) {
    const QString name = QString::fromStdString(field);
    if (checkable) {
        auto* check = new QRadioButton(this);
        check->setObjectName("check:" + name);
        check->setAutoExclusive(false);
        check->setFocusPolicy(Qt::NoFocus);
        check->setToolTip("Solve for this value");
        connect(check, &QRadioButton::clicked, this, [this, field] {
            if (!m_updating) m_model.tap("check:" + field);
            refresh();  // the model keeps exactly one button checked
        });
        m_checks[field] = check;
        grid->addWidget(check, row, 0);
    }
    auto* cell = new CaptionCell(caption, this);
    cell->setObjectName("caption:" + name);
    cell->onTap = [this, field] { m_model.tap("caption:" + field); };
    m_captions[field] = cell;
    grid->addWidget(cell, row, 1);
    auto* box = new FinanceBox(this);
    box->setObjectName("box:" + name);
    box->onTap = [this, field] {
        setFocus();
        m_model.tap(field);
    };
    m_boxes[field] = box;
    grid->addWidget(box, row, 2);
}

QLayout* TVMWidget::buildPaymentType(const nlohmann::json& d) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QString::fromStdString(d.value("payment_type_caption", std::string())), this));
    m_segments = new QButtonGroup(this);
    m_segments->setExclusive(true);
    auto* segments = new QHBoxLayout;
    segments->setSpacing(0);
    int id = 0;
    for (const std::string label : d.value("segments", nlohmann::json::array())) {
        auto* b = new QPushButton(QString::fromStdString(label), this);
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setStyleSheet(kSegmentStyleSheet);
        b->setObjectName(QString("payment_type_%1").arg(id));
        m_segments->addButton(b, id++);
        segments->addWidget(b);
    }
    connect(m_segments, &QButtonGroup::idClicked, this, [this](int segment) {
        if (!m_updating) m_model.setValue("payment_type", segment);
    });
    row->addLayout(segments, 1);
    return row;
}

void TVMWidget::refresh() {
    const nlohmann::json d = m_model.describe();
    m_updating = true;
    const std::string focus = d.value("focus", std::string());
    const std::string checked = d.value("checked", std::string());
    for (auto& [field, box] : m_boxes) {
        box->setText(QString::fromStdString(d["boxes"].value(field, std::string())));
        box->setFocused(field == focus);
    }
    for (auto& [field, check] : m_checks) check->setChecked(field == checked);
    if (QAbstractButton* b = m_segments->button(d.value("payment_type", 1))) b->setChecked(true);
    m_updating = false;
}

FinanceBox* TVMWidget::box(const std::string& field) const {
    const auto it = m_boxes.find(field);
    return it == m_boxes.end() ? nullptr : it->second;
}

QAbstractButton* TVMWidget::checkButton(const std::string& field) const {
    const auto it = m_checks.find(field);
    return it == m_checks.end() ? nullptr : it->second;
}

QWidget* TVMWidget::caption(const std::string& field) const {
    const auto it = m_captions.find(field);
    return it == m_captions.end() ? nullptr : it->second;
}

QAbstractButton* TVMWidget::segment(int index) const {
    return m_segments->button(index);
}

KeyboardWidget* TVMWidget::keypad() const {
    return m_keypad ? m_keypad->widget() : nullptr;
}

bool TVMWidget::event(QEvent* e) {
    // Tab moves between the boxes rather than between Qt's focusable widgets.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && m_keypad->press(*k)) return true;
    }
    return QWidget::event(e);
}

void TVMWidget::keyPressEvent(QKeyEvent* e) {
    if (!m_keypad->press(*e)) QWidget::keyPressEvent(e);
}

void TVMWidget::resizeEvent(QResizeEvent*) {
    m_layout->setDirection(width() > height() ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
}

void TVMWidget::showEvent(QShowEvent*) {
    setFocus();
}
