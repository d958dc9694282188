#include "qt/screens/unit_converter_widget.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/screens/converter/unit_converter_view.h"
#include "app/settings/settings_globals.h"
#include "qt/screens/overlay_list.h"
#include "qt/screens/screen_widget_util.h"
#include "qt/widgets/skin.h"
#include "qt/window/gui_context.h"

namespace {

const QString kOpenMark = QString::fromUtf8("  \u25be");  // ▾

QString Rgb(const QColor& c) {
    return c.name(QColor::HexRgb);
}

}  // namespace

UnitConverterWidget::UnitConverterWidget(UnitConverterView& model, GuiContext& context, QWidget* parent)
    : QWidget(parent), m_model(model), m_context(context) {
    setObjectName(QString::fromUtf8(model.name()));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(6);

    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    m_group = new QPushButton(this);
    m_group->setObjectName("group");
    m_group->setFocusPolicy(Qt::NoFocus);
    m_group->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_group->setMinimumHeight(34);
    m_group->setToolTip(model.mode() == UnitConverterView::kCurrencyMode ? "The currency table and its date"
                                                                         : "Choose a group of units");
    QFont gf = m_group->font();
    gf.setBold(true);
    m_group->setFont(gf);
    connect(m_group, &QPushButton::clicked, this, [this] { m_model.tap("group"); });
    top->addWidget(m_group, 1);
    if (model.mode() == UnitConverterView::kCurrencyMode) {
        m_busy = new QProgressBar(this);
        m_busy->setObjectName("busy");
        m_busy->setRange(0, 0);  // a busy indicator without a known end
        m_busy->setTextVisible(false);
        m_busy->setFixedWidth(44);
        m_busy->setToolTip("Downloading the currency table");
        top->addWidget(m_busy);
        m_update = new QPushButton("Update", this);
        m_update->setObjectName("update");
        m_update->setFocusPolicy(Qt::NoFocus);
        m_update->setMinimumHeight(34);
        m_update->setMinimumWidth(
            m_update->fontMetrics().horizontalAdvance(QString::fromUtf8("Updating\u2026")) + 20);
        m_update->setToolTip("Download today's exchange rates");
        connect(m_update, &QPushButton::clicked, this, [this] { m_model.tap("update"); });
        top->addWidget(m_update);
    }
    layout->addLayout(top);
    for (int box = 1; box <= 3; ++box) layout->addWidget(buildBox(box), 1);

    m_list = new OverlayList(this);
    m_list->onPick = [this](int row) {
        const std::string list = m_model.openList();
        m_model.pick(list, row);
        RefreshWindow(this);  // the clothing entry opens the charts over the calculator
    };
    m_list->onAddFavourite = [this](int row) { m_model.tap("add_favourite:" + std::to_string(row)); };
    m_list->onDeleteFavourite = [this](int row) { m_model.tap("delete_favourite:" + std::to_string(row)); };
    m_list->onClose = [this] { m_model.tap("close_list"); };

    m_model.setChangeListener([this] { refresh(); });
    refresh();
    m_built = true;
}

UnitConverterWidget::~UnitConverterWidget() {
    m_model.setChangeListener(nullptr);
}

QFrame* UnitConverterWidget::buildBox(int box) {
    auto* frame = new QFrame(this);
    frame->setObjectName(QString("box%1").arg(box));
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(6, 4, 6, 4);
    row->setSpacing(6);
    auto* unit = new QPushButton(frame);
    unit->setObjectName(QString("unit%1").arg(box));
    unit->setFocusPolicy(Qt::NoFocus);
    unit->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    unit->setToolTip("Choose this box's unit");
    auto* value = new QPushButton(frame);
    value->setObjectName(QString("value%1").arg(box));
    value->setFocusPolicy(Qt::NoFocus);
    value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    value->setFlat(true);
    value->setToolTip("Results of the calculator go into the framed box (right-click to copy)");
    value->setContextMenuPolicy(Qt::CustomContextMenu);
    QFont vf = value->font();
    m_valueFontSize = vf.pointSizeF() * 1.45;
    vf.setPointSizeF(m_valueFontSize);
    value->setFont(vf);
    row->addWidget(unit, 2);
    row->addWidget(value, 3);
    const std::string boxElement = "box:" + std::to_string(box);
    connect(unit, &QPushButton::clicked, this, [this, box] { m_model.tap("unit:" + std::to_string(box)); });
    connect(value, &QPushButton::clicked, this, [this, boxElement] { m_model.tap(boxElement); });
    const size_t index = static_cast<size_t>(box - 1);
    connect(value, &QPushButton::customContextMenuRequested, this, [this, value, index](const QPoint& at) {
        QMenu menu(this);
        menu.addAction("Copy", this,
                       [this, index] { QApplication::clipboard()->setText(m_valueTexts[index]); });
        menu.exec(value->mapToGlobal(at));
    });
    m_boxes[static_cast<size_t>(box - 1)] = frame;
    m_units[static_cast<size_t>(box - 1)] = unit;
    m_values[static_cast<size_t>(box - 1)] = value;
    return frame;
}

void UnitConverterWidget::applySkin() {
    if (m_skinName == g_nstrSkinModel) return;
    m_skinName = g_nstrSkinModel;
    m_list->setSkin(Skin::named(m_skinName));
}

void UnitConverterWidget::refresh() {
    applySkin();
    const nlohmann::json d = m_model.describe();
    const Skin& skin = Skin::named(m_skinName);
    m_groupText = JsonText(d, "caption") + kOpenMark;
    const nlohmann::json& boxes = d["boxes"];
    for (size_t k = 0; k < m_boxes.size() && k < boxes.size(); ++k) {
        const nlohmann::json& b = boxes[k];
        const QString unit = JsonText(b, "unit"), symbol = JsonText(b, "symbol");
        m_unitTexts[k] = (symbol.isEmpty() || symbol == unit ? unit : unit + " (" + symbol + ")") + kOpenMark;
        m_valueTexts[k] = JsonText(b, "value");
        m_values[k]->setToolTip(m_valueTexts[k]);
        const bool focused = b.value("focused", false);
        // The focused box takes the calculator's results: framed in the key colour of "=".
        m_boxes[k]->setStyleSheet(
            QString("QFrame#%1 { background: %2; border: %3px solid %4; border-radius: 6px; }"
                    "QFrame#%1 QPushButton[flat=\"true\"] { color: %5; text-align: right; border: none;"
                    " padding-right: 4px; }")
                .arg(m_boxes[k]->objectName(), Rgb(skin.panel), focused ? "3" : "1",
                     Rgb(focused ? skin.equals.bottom : QColor(128, 128, 128)), Rgb(skin.panelText)));
    }
    if (m_update) {
        const bool busy = d.value("busy", false);
        m_update->setEnabled(d.value("update_enabled", false));
        m_update->setText(busy ? QString::fromUtf8("Updating\u2026") : QString("Update"));
        m_busy->setVisible(busy);
    }
    resizeEvent(nullptr);  // the elided captions
    showList(d);
}

void UnitConverterWidget::showList(const nlohmann::json& d) {
    const std::string list = d.value("list", "");
    if (list.empty()) {
        m_list->hideList();
        return;
    }
    std::vector<OverlayRow> rows;
    for (const nlohmann::json& r : d.value(list, nlohmann::json::array()))
        rows.push_back({JsonText(r, "text"), r.value("favourite", false)});
    const bool unitList = list == "units";
    const bool actions = unitList || m_model.mode() == UnitConverterView::kUnitMode;
    const QString title =
        unitList ? QString("Unit of box %1").arg(d.value("list_box", 1)) : QString("Groups");
    const bool opening = m_list->isHidden();
    m_list->showRows(title, rows, actions);
    if (!opening) return;
    // The list opens at the entry in use: the box's unit, or the group shown.
    std::string current = d.value("group", std::string());
    if (unitList) {
        const nlohmann::json& b =
            d["boxes"][static_cast<size_t>(std::clamp(d.value("list_box", 1), 1, 3) - 1)];
        current = b.value("unit", std::string());
        if (m_model.mode() == UnitConverterView::kCurrencyMode)
            current += " - " + b.value("symbol", std::string());
    }
    const nlohmann::json& entries = d[list];
    for (size_t r = 0; r < entries.size(); ++r) {
        if (!entries[r].value("favourite", false) && entries[r].value("text", std::string()) == current) {
            m_list->showRow(static_cast<int>(r));
            break;
        }
    }
}

// A long value (a calculator result of 17 digits) takes a smaller font down to 75 %, then loses its end:
// its sign, integer part and decimal point always show.
void UnitConverterWidget::fitValue(size_t box) {
    QPushButton* b = m_values[box];
    const int room = b->width() - 12;
    QFont f = b->font();
    f.setPointSizeF(m_valueFontSize);
    while (QFontMetrics(f).horizontalAdvance(m_valueTexts[box]) > room &&
           f.pointSizeF() > m_valueFontSize * 0.75)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    b->setFont(f);
    b->setText(QFontMetrics(f).elidedText(m_valueTexts[box], Qt::ElideRight, std::max(0, room)));
}

void UnitConverterWidget::resizeEvent(QResizeEvent*) {
    for (size_t k = 0; k < m_values.size(); ++k) fitValue(k);
    m_group->setText(ElidedFor(m_group, m_groupText, m_group->width() - 16));
    for (size_t k = 0; k < m_units.size(); ++k)
        m_units[k]->setText(ElidedFor(m_units[k], m_unitTexts[k], m_units[k]->width() - 14));
}

void UnitConverterWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_built) refresh();
}
