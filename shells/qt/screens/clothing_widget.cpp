#include "qt/screens/clothing_widget.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/screens/clothing/clothing_view.h"
#include "app/settings/settings_globals.h"
#include "qt/screens/overlay_list.h"
#include "qt/screens/screen_widget_util.h"
#include "qt/widgets/skin.h"
#include "qt/window/gui_context.h"

ClothingWidget::ClothingWidget(ClothingView& model, GuiContext& context, QWidget* parent)
    : QWidget(parent), m_model(model) {
    (void)context;
    static_assert(kRows == ClothingView::kRows);
    setObjectName("clothing");
    // The chart in a column of readable width, centred on a wide window.
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(10, 8, 10, 10);
    auto* column = new QWidget(this);
    column->setMaximumWidth(560);
    outer->addWidget(column);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    m_chart = new QPushButton(this);
    m_chart->setObjectName("chart");
    m_chart->setFocusPolicy(Qt::NoFocus);
    m_chart->setMinimumHeight(36);
    m_chart->setToolTip("Choose a chart");
    QFont cf = m_chart->font();
    cf.setBold(true);
    cf.setPointSizeF(cf.pointSizeF() * 1.1);
    m_chart->setFont(cf);
    connect(m_chart, &QPushButton::clicked, this, [this] { m_model.tap("chart"); });
    layout->addWidget(m_chart);
    m_hint = new QLabel("Choose a size in any row: every row shows the same size in its system.", this);
    m_hint->setWordWrap(true);
    layout->addWidget(m_hint);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    for (int r = 0; r < kRows; ++r) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("label%1").arg(r));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont lf = label->font();
        lf.setBold(true);
        label->setFont(lf);
        auto* button = new QPushButton(this);
        button->setObjectName(QString("row%1").arg(r));
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumHeight(36);
        QFont bf = button->font();
        bf.setPointSizeF(bf.pointSizeF() * 1.25);
        button->setFont(bf);
        // A row beyond the chart is an empty dashed slot.
        button->setStyleSheet(
            "QPushButton:disabled { background: transparent; border: 1px dashed "
            "rgba(0, 0, 0, 60); border-radius: 4px; }");
        const std::string element = "row:" + std::to_string(r);
        connect(button, &QPushButton::clicked, this, [this, element] { m_model.tap(element); });
        grid->addWidget(label, r, 0);
        grid->addWidget(button, r, 1);
        m_labels[static_cast<size_t>(r)] = label;
        m_buttons[static_cast<size_t>(r)] = button;
    }
    layout->addLayout(grid);
    layout->addStretch(1);

    m_list = new OverlayList(this);
    m_list->onPick = [this](int row) { m_model.pick(m_model.describe().value("list", ""), row); };
    m_list->onClose = [this] { m_model.tap("close_list"); };
    m_model.setChangeListener([this] { refresh(); });
    refresh();
    m_built = true;
}

ClothingWidget::~ClothingWidget() {
    m_model.setChangeListener(nullptr);
}

void ClothingWidget::applySkin() {
    if (m_skinName == g_nstrSkinModel) return;
    m_skinName = g_nstrSkinModel;
    m_list->setSkin(Skin::named(m_skinName));
}

void ClothingWidget::refresh() {
    applySkin();
    const nlohmann::json d = m_model.describe();
    m_chart->setText(JsonText(d, "chart") + QString::fromUtf8("  \u25be"));
    const nlohmann::json rows = d.value("rows", nlohmann::json::array());
    for (size_t r = 0; r < m_buttons.size(); ++r) {
        const bool enabled = r < rows.size() && rows[r].value("enabled", false);
        m_labels[r]->setText(enabled ? JsonText(rows[r], "label") : QString());
        m_buttons[r]->setText(enabled ? JsonText(rows[r], "text") : QString());
        m_buttons[r]->setEnabled(enabled);
    }
    const std::string list = d.value("list", "");
    if (list.empty()) {
        m_list->hideList();
        return;
    }
    std::vector<OverlayRow> entries;
    for (const nlohmann::json& e : d.value(list, nlohmann::json::array()))
        entries.push_back({QString::fromStdString(e.get<std::string>())});
    const bool opening = m_list->isHidden();
    if (list == "cells") {
        const int row = d.value("list_row", 0);
        const QString label =
            row >= 0 && static_cast<size_t>(row) < rows.size() ? JsonText(rows[row], "label") : QString();
        m_list->showRows(label + " sizes", entries, false);
        if (opening) m_list->showRow(d.value("column", 0));
    } else {
        m_list->showRows("Charts", entries, false);
        if (!opening) return;
        const nlohmann::json& charts = d["charts"];
        for (size_t i = 0; i < charts.size(); ++i)
            if (charts[i] == d["chart"]) m_list->showRow(static_cast<int>(i));
    }
}

void ClothingWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_built) refresh();
}
