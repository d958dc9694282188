#include "qt/screens/constants_widget.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/screens/constants/constant_view.h"
#include "qt/screens/screen_widget_util.h"
#include "qt/window/gui_context.h"

namespace {

const char* const kFields[] = {"group", "subgroup1", "subgroup2"};
const QString kOpenMark = QString::fromUtf8("  \u25be");  // ▾

}  // namespace

ConstantsWidget::ConstantsWidget(ConstantView& model, GuiContext& context, QWidget* parent)
    : QWidget(parent), m_model(model) {
    (void)context;
    setObjectName("constants");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(4);
    for (size_t f = 0; f < m_fields.size(); ++f) {
        auto* row = new QWidget(this);
        row->setObjectName(QString("%1Row").arg(kFields[f]));
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        auto* heading = new QLabel(row);
        heading->setFixedWidth(92);
        auto* button = new QPushButton(row);
        button->setObjectName(kFields[f]);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        button->setMinimumHeight(30);
        line->addWidget(heading);
        line->addWidget(button, 1);
        const char* field = kFields[f];
        connect(button, &QPushButton::clicked, this, [this, field] { tapField(field); });
        layout->addWidget(row);
        m_headings[f] = heading;
        m_fields[f] = button;
    }
    m_constants = new QTreeWidget(this);
    m_constants->setObjectName("constantList");
    m_constants->setColumnCount(2);
    m_constants->setHeaderLabels({"Constant", "Value"});
    m_constants->setRootIsDecorated(false);
    m_constants->setUniformRowHeights(true);
    m_constants->setFocusPolicy(Qt::NoFocus);
    m_constants->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_constants->header()->setStretchLastSection(false);
    m_constants->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_constants->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_constants->setTextElideMode(Qt::ElideRight);
    m_constants->setStyleSheet("QTreeWidget::item { padding: 3px 1px; }");
    connect(m_constants, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!m_updating && item) m_model.pick("constants", m_constants->indexOfTopLevelItem(item));
    });
    layout->addWidget(m_constants, 1);

    auto* valueRow = new QHBoxLayout;
    m_value = new QLabel(this);
    m_value->setObjectName("valueCaption");
    m_value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont vf = m_value->font();
    vf.setBold(true);
    m_value->setFont(vf);
    m_insert = new QPushButton("Insert", this);
    m_insert->setObjectName("value");
    m_insert->setFocusPolicy(Qt::NoFocus);
    m_insert->setMinimumHeight(30);
    m_insert->setToolTip("Put the value into the input line");
    connect(m_insert, &QPushButton::clicked, this, [this] { tapField("value"); });
    valueRow->addWidget(m_value, 1);
    valueRow->addWidget(m_insert);
    layout->addLayout(valueRow);

    m_model.setChangeListener([this] { refresh(); });
    refresh();
}

ConstantsWidget::~ConstantsWidget() {
    m_model.setChangeListener(nullptr);
}

QPushButton* ConstantsWidget::fieldButton(const std::string& field) const {
    if (field == "value") return m_insert;
    for (size_t f = 0; f < m_fields.size(); ++f)
        if (field == kFields[f]) return m_fields[f];
    return nullptr;
}

void ConstantsWidget::tapField(const char* field) {
    m_model.tap(field);
    // The field's list opens in the window's list panel; the value goes into the input line.
    RefreshWindow(this);
}

void ConstantsWidget::refresh() {
    const nlohmann::json d = m_model.describe();
    m_updating = true;
    const bool two = d.value("subgroup1_visible", false);
    static const char* const kPrompts[] = {"Choose a group", "Choose a sub-group", "Choose a sub-group"};
    const QString headings[] = {"Group", "Sub-group", two ? "Sub-sub-group" : "Sub-group"};
    for (size_t f = 0; f < m_fields.size(); ++f) {
        const QString caption = JsonText(d, kFields[f]);
        m_headings[f]->setText(headings[f]);
        m_fieldTexts[f] = (caption.isEmpty() ? QString(kPrompts[f]) : caption) + kOpenMark;
        m_fields[f]->setToolTip(caption);
    }
    m_fields[1]->parentWidget()->setVisible(two);

    const nlohmann::json constants = d.value("constants", nlohmann::json::array());
    if (constants.dump() != m_shownList) {
        m_shownList = constants.dump();
        m_constants->clear();
        for (const nlohmann::json& c : constants) {
            auto* item = new QTreeWidgetItem({JsonText(c, "name"), JsonText(c, "value")});
            item->setToolTip(0, item->text(0));
            item->setToolTip(1, item->text(1));
            m_constants->addTopLevelItem(item);
        }
    }
    const int selected = d.value("selected_constant", -1);
    m_constants->setCurrentItem(selected >= 0 ? m_constants->topLevelItem(selected) : nullptr);
    const QString value = JsonText(d, "value");
    m_valueText = value.isEmpty() ? QString("No value chosen") : value;
    m_value->setToolTip(JsonText(d, "value_name") + "\n" + value);
    m_insert->setEnabled(!value.isEmpty());
    m_updating = false;
    resizeEvent(nullptr);
}

void ConstantsWidget::resizeEvent(QResizeEvent*) {
    for (size_t f = 0; f < m_fields.size(); ++f)
        m_fields[f]->setText(ElidedFor(m_fields[f], m_fieldTexts[f], m_fields[f]->width() - 16));
    m_value->setText(ElidedFor(m_value, m_valueText, m_value->width()));
}
