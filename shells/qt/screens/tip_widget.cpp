#include "qt/screens/tip_widget.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

#include "app/screens/tip/tip_calc_view.h"

namespace {

// The names of the result panel's values in the model's description, in the panel's order.
const char* const kResults[] = {"bill_amount", "tip", "total", "tip_per_person", "total_per_person"};

QLabel* ValueLabel(QWidget* parent, bool big) {
    auto* l = new QLabel(parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f = l->font();
    f.setBold(big);
    if (big) f.setPointSizeF(f.pointSizeF() * 1.15);
    l->setFont(f);
    return l;
}

}  // namespace

TipWidget::TipWidget(TipCalcView& model, GuiContext&, QWidget* parent) : QWidget(parent), m_model(model) {
    setObjectName("tip");
    QFont pageFont = font();  // the page is read at a glance beside the keys: a little larger
    pageFont.setPointSizeF(pageFont.pointSizeF() * 1.1);
    setFont(pageFont);
    const nlohmann::json d = m_model.describe();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(8);
    layout->addLayout(buildSliders(d));
    m_panel = buildPanel(d);
    layout->addWidget(m_panel);
    m_hint = new QLabel(QString::fromStdString(d.value("hint", std::string())), this);
    m_hint->setObjectName("tipHint");
    m_hint->setWordWrap(true);
    m_hint->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_hint);
    layout->addStretch(1);
    m_model.setChangeListener([this] { refresh(); });
    refresh();
}

QLayout* TipWidget::buildSliders(const nlohmann::json& d) {
    auto* sliders = new QGridLayout;
    sliders->setHorizontalSpacing(8);
    sliders->setVerticalSpacing(6);
    const struct {
        const char *control, *caption, *value;
    } rows[] = {{"tip_percent", "tip_caption", "tip_percent_label"},
                {"people", "people_caption", "people_label"}};
    for (int r = 0; r < 2; ++r) {
        sliders->addWidget(new QLabel(QString::fromStdString(d.value(rows[r].caption, std::string())), this),
                           r, 0);
        QSlider* s = slider(rows[r].control, this);
        (r == 0 ? m_tipSlider : m_peopleSlider) = s;
        sliders->addWidget(s, r, 1);
        QLabel* value = ValueLabel(this, true);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance("000"));
        m_labels[rows[r].value] = value;
        sliders->addWidget(value, r, 2);
    }
    m_menu = new QPushButton("Menu", this);
    m_menu->setObjectName("tipMenu");
    m_menu->setFocusPolicy(Qt::NoFocus);
    connect(m_menu, &QPushButton::clicked, this, [this] { m_model.tap("menu"); });
    sliders->addWidget(m_menu, 0, 3, 2, 1, Qt::AlignVCenter);
    sliders->setColumnStretch(1, 1);
    return sliders;
}

QFrame* TipWidget::buildPanel(const nlohmann::json& d) {
    // White, with dark text, on either skin; one line per value, the total in bold.
    auto* panel = new QFrame(this);
    panel->setObjectName("tipResults");
    panel->setStyleSheet(
        "QFrame#tipResults { background: white; border: 1px solid #8088a8;"
        " border-radius: 6px; } QLabel { color: #101428; background: transparent; }");
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(12, 6, 12, 6);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(3);
    const nlohmann::json captions = d.value("result_captions", nlohmann::json::object());
    for (int i = 0; i < 5; ++i) {
        const std::string name = kResults[i];
        const bool total = name == "total";
        auto* caption = new QLabel(QString::fromStdString(captions.value(name, name)), panel);
        QLabel* value = ValueLabel(panel, total);
        value->setObjectName(QString::fromStdString(name));
        if (total) caption->setFont(value->font());
        m_labels[name] = value;
        grid->addWidget(caption, i, 0);
        grid->addWidget(value, i, 1);
    }
    grid->setColumnStretch(1, 1);
    return panel;
}

TipWidget::~TipWidget() {
    m_model.setChangeListener(nullptr);
}

QSlider* TipWidget::slider(const char* control, QWidget* parent) {
    const nlohmann::json range = m_model.describe().value(std::string(control) + "_range", nlohmann::json());
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(control);
    s->setRange(range.size() == 2 ? range[0].get<int>() : 0, range.size() == 2 ? range[1].get<int>() : 100);
    // Keys stay with the calculator; the mouse moves the slider.
    s->setFocusPolicy(Qt::NoFocus);
    const std::string name = control;
    connect(s, &QSlider::valueChanged, this, [this, name](int v) {
        if (!m_updating) m_model.setValue(name, v);
    });
    return s;
}

QLabel* TipWidget::label(const std::string& name) const {
    const auto it = m_labels.find(name);
    return it == m_labels.end() ? nullptr : it->second;
}

void TipWidget::refresh() {
    const nlohmann::json d = m_model.describe();
    m_updating = true;
    m_tipSlider->setValue(static_cast<int>(std::lround(d.value("tip_percent", 0.0))));
    m_peopleSlider->setValue(static_cast<int>(std::lround(d.value("people", 1.0))));
    for (auto& [name, label] : m_labels) label->setText(QString::fromStdString(d.value(name, std::string())));
    const bool shown = d.value("result_shown", false);
    m_panel->setVisible(shown);
    m_hint->setVisible(!shown);
    m_updating = false;
}
