#include "qt/screens/business_widget.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/screens/business/business_calc_view.h"
#include "qt/screens/finance_parts.h"

namespace {

// A field's look in its state; the text colour is the model's.
QString FieldStyle(const std::string& state, const QColor& text) {
    const QString colour = text.name();
    if (state == "focused")
        return QString(
                   "QLabel { background: #fff6d8; color: %1; border: 2px solid #e08a1e;"
                   " border-radius: 4px; padding: 2px 8px; }")
            .arg(colour);
    if (state == "result")
        return QString(
                   "QLabel { background: #e4e7ef; color: %1; border: 1px solid #8088a8;"
                   " border-radius: 4px; padding: 3px 9px; }")
            .arg(colour);
    return QString(
               "QLabel { background: white; color: %1; border: 1px solid #8088a8;"
               " border-radius: 4px; padding: 3px 9px; }")
        .arg(colour);
}

QColor ColourOf(const nlohmann::json& rgb) {
    if (!rgb.is_array() || rgb.size() != 3) return Qt::black;
    return QColor::fromRgbF(rgb[0].get<float>(), rgb[1].get<float>(), rgb[2].get<float>());
}

}  // namespace

BusinessWidget::BusinessWidget(BusinessCalcView& model, GuiContext&, QWidget* parent)
    : QWidget(parent), m_model(model) {
    setObjectName("business");
    QFont pageFont = font();  // the page is read at a glance beside the keys: a little larger
    pageFont.setPointSizeF(pageFont.pointSizeF() * 1.1);
    setFont(pageFont);
    const nlohmann::json d = m_model.describe();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(10);
    layout->addLayout(buildTop(d));
    layout->addLayout(buildFields(d));
    layout->addStretch(1);
    m_model.setChangeListener([this] { refresh(); });
    refresh();
}

QLayout* BusinessWidget::buildTop(const nlohmann::json& d) {
    auto* top = new QHBoxLayout;
    top->setSpacing(0);
    m_modes = new QButtonGroup(this);
    m_modes->setExclusive(true);
    int mode = 1;
    for (const std::string caption : d.value("mode_captions", nlohmann::json::array())) {
        auto* b = new QPushButton(QString::fromStdString(caption), this);
        b->setObjectName(QString("mode%1").arg(mode));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setStyleSheet(kSegmentStyleSheet);
        m_modes->addButton(b, mode++);
        top->addWidget(b, 1);
    }
    connect(m_modes, &QButtonGroup::idClicked, this, [this](int id) {
        if (!m_updating) m_model.tap(id == 2 ? "mode2" : "mode1");
    });
    top->addSpacing(12);
    m_menu = new QPushButton("Menu", this);
    m_menu->setObjectName("businessMenu");
    m_menu->setFocusPolicy(Qt::NoFocus);
    connect(m_menu, &QPushButton::clicked, this, [this] { m_model.tap("menu"); });
    top->addWidget(m_menu);
    return top;
}

QLayout* BusinessWidget::buildFields(const nlohmann::json& d) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    QFont fieldFont = font();
    fieldFont.setPointSizeF(fieldFont.pointSizeF() * 1.35);
    for (int f = 0; f < BusinessCalcView::kFields; ++f) {
        m_captions[f] = new QLabel(this);
        grid->addWidget(m_captions[f], f, 0);
        m_equals[f] = new QLabel(QString::fromStdString(d.value("equal_text", std::string("="))), this);
        m_equals[f]->setObjectName(QString("equal%1").arg(f));
        QFont ef = m_equals[f]->font();
        ef.setBold(true);
        ef.setPointSizeF(ef.pointSizeF() * 1.3);
        m_equals[f]->setFont(ef);
        // The "=" keeps its room when hidden, so the fields stay lined up.
        QSizePolicy keep = m_equals[f]->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        m_equals[f]->setSizePolicy(keep);
        grid->addWidget(m_equals[f], f, 1);
        m_fields[f] = new TapLabel(QString(), this);
        m_fields[f]->setObjectName(QString("f%1").arg(f));
        m_fields[f]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_fields[f]->setFont(fieldFont);
        m_fields[f]->setMinimumHeight(38);
        m_fields[f]->setCursor(Qt::PointingHandCursor);
        m_fields[f]->onTap = [this, f] { m_model.tap(QStringLiteral("f%1").arg(f).toStdString()); };
        grid->addWidget(m_fields[f], f, 2);
    }
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(2, 3);
    return grid;
}

BusinessWidget::~BusinessWidget() {
    m_model.setChangeListener(nullptr);
}

QAbstractButton* BusinessWidget::modeButton(int mode) const {
    return m_modes->button(mode);
}

void BusinessWidget::refresh() {
    const nlohmann::json d = m_model.describe();
    m_updating = true;
    if (QAbstractButton* b = m_modes->button(d.value("mode", 1))) b->setChecked(true);
    const nlohmann::json fields = d.value("fields", nlohmann::json::array());
    const nlohmann::json captions = d.value("captions", nlohmann::json::array());
    const std::string beside = d.value("equal_beside", std::string());
    for (int f = 0; f < BusinessCalcView::kFields && f < static_cast<int>(fields.size()); ++f) {
        const nlohmann::json& field = fields[static_cast<size_t>(f)];
        const std::string state = field.value("state", std::string());
        m_fields[f]->setText(QString::fromStdString(field.value("text", std::string())));
        m_fields[f]->setStyleSheet(FieldStyle(state, ColourOf(field.value("colour", nlohmann::json()))));
        QFont font = m_fields[f]->font();
        font.setBold(state == "focused");
        m_fields[f]->setFont(font);
        if (f < static_cast<int>(captions.size()))
            m_captions[f]->setText(
                QString::fromStdString(captions[static_cast<size_t>(f)].get<std::string>()));
        m_equals[f]->setVisible(QString::fromStdString(beside) == QStringLiteral("f%1").arg(f));
    }
    m_updating = false;
}
