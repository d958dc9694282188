#include "qt/screens/graph_widget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/screens/graph/graph_view.h"
#include "qt/screens/screen_widget_util.h"
#include "qt/widgets/lite_line_widget.h"
#include "qt/window/gui_context.h"

QString SwatchStyle(int red, int green, int blue, bool selected) {
    return QString("QToolButton { background: rgb(%1, %2, %3); border: %4px solid %5; border-radius: 4px; }")
        .arg(red)
        .arg(green)
        .arg(blue)
        .arg(selected ? 3 : 1)
        .arg(selected ? "#2040c0" : "#505060");
}

GraphWidget::GraphWidget(GraphView& model, GuiContext& context, QWidget* parent)
    : QWidget(parent), m_model(model) {
    setObjectName("graph");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(244, 245, 250));
    setPalette(pal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_stack = new QStackedWidget(this);
    m_stack->addWidget(buildLines(context));
    m_stack->addWidget(buildPicker());
    layout->addWidget(m_stack);
    m_model.setChangeListener([this] { refresh(); });
    refresh();
}

GraphWidget::~GraphWidget() {
    m_model.setChangeListener(nullptr);
}

QWidget* GraphWidget::buildLines(GuiContext& context) {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    for (int k = 0; k < kLines; ++k) {
        auto* label = new QLabel(QString("y%1=").arg(k + 1), page);
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
        m_labels[static_cast<size_t>(k)] = label;
        auto* line = new LiteLineWidget(m_model.line(k), context.resourceFolder(), page);
        line->setObjectName(QString("line%1").arg(k + 1));
        line->setMinimumHeight(24);
        m_lines[static_cast<size_t>(k)] = line;
        auto* colour = new QToolButton(page);
        colour->setObjectName(QString("color%1").arg(k + 1));
        colour->setToolTip(QString("Colour of y%1").arg(k + 1));
        colour->setFocusPolicy(Qt::NoFocus);
        colour->setFixedSize(30, 24);
        m_colourButtons[static_cast<size_t>(k)] = colour;
        const std::string element = "color" + std::to_string(k + 1);
        connect(colour, &QToolButton::clicked, this, [this, element] { m_model.tap(element); });
        grid->addWidget(label, k, 0);
        grid->addWidget(line, k, 1);
        grid->addWidget(colour, k, 2);
    }
    m_plot = new QPushButton("Plot", page);
    m_plot->setObjectName("open");
    m_plot->setFocusPolicy(Qt::NoFocus);
    m_plot->setToolTip("Plots the functions");
    m_plot->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    m_plot->setMinimumWidth(56);
    QFont pf = m_plot->font();
    pf.setBold(true);
    m_plot->setFont(pf);
    connect(m_plot, &QPushButton::clicked, this, [this] {
        m_model.tap("open");  // the plot shows over the calculator
        RefreshWindow(this);
    });
    grid->addWidget(m_plot, 0, 3, kLines, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

QWidget* GraphWidget::buildPicker() {
    auto* page = new QWidget(this);
    page->setObjectName("picker");
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(0, 0, 0, 0);
    auto* side = new QVBoxLayout;
    m_pickerTitle = new QLabel(page);
    m_pickerTitle->setWordWrap(true);
    side->addWidget(m_pickerTitle);
    side->addStretch(1);
    m_pickerClose = new QPushButton("Close", page);
    m_pickerClose->setObjectName("picker_close");
    m_pickerClose->setFocusPolicy(Qt::NoFocus);
    connect(m_pickerClose, &QPushButton::clicked, this, [this] { m_model.tap("picker_close"); });
    side->addWidget(m_pickerClose);
    row->addLayout(side);
    auto* grid = new QGridLayout;
    grid->setSpacing(3);
    for (int i = 0; i < kColours; ++i) {
        auto* b = new QToolButton(page);
        b->setObjectName(QString("swatch%1").arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setMinimumSize(24, 18);
        const GraphColor& c = arrColor[static_cast<size_t>(i)];
        b->setStyleSheet(SwatchStyle(c.red, c.green, c.blue));
        connect(b, &QToolButton::clicked, this, [this, i] { m_model.pick("colors", i); });
        grid->addWidget(b, i / 4, i % 4);  // the picker's 4 x 4 order
        m_swatches[static_cast<size_t>(i)] = b;
    }
    row->addLayout(grid, 1);
    return page;
}

bool GraphWidget::pickerShown() const {
    return m_stack->currentIndex() == 1;
}

void GraphWidget::refresh() {
    const nlohmann::json d = m_model.describe();
    const nlohmann::json& lines = d["lines"];
    for (int k = 0; k < kLines && k < static_cast<int>(lines.size()); ++k) {
        const nlohmann::json& l = lines[static_cast<size_t>(k)];
        const nlohmann::json& c = l["color"];
        m_colourButtons[static_cast<size_t>(k)]->setStyleSheet(
            SwatchStyle(c[0].get<int>(), c[1].get<int>(), c[2].get<int>()));
        const bool selected = l.value("selected", false);
        m_lines[static_cast<size_t>(k)]->setHighlighted(selected);
        m_lines[static_cast<size_t>(k)]->update();
        QPalette p = m_labels[static_cast<size_t>(k)]->palette();
        p.setColor(QPalette::WindowText, selected ? QColor(32, 64, 192) : QColor(40, 40, 50));
        m_labels[static_cast<size_t>(k)]->setPalette(p);
    }
    const nlohmann::json& picker = d["picker"];
    const bool open = picker.value("open", false);
    const int function = picker.value("function", -1);
    m_stack->setCurrentIndex(open ? 1 : 0);
    if (open && function >= 0 && function < static_cast<int>(lines.size())) {
        m_pickerTitle->setText(QString("Colour of y%1:").arg(function + 1));
        const nlohmann::json& current = lines[static_cast<size_t>(function)]["color"];
        for (int i = 0; i < kColours; ++i) {
            const GraphColor& c = arrColor[static_cast<size_t>(i)];
            const bool chosen = current[0] == c.red && current[1] == c.green && current[2] == c.blue;
            m_swatches[static_cast<size_t>(i)]->setStyleSheet(SwatchStyle(c.red, c.green, c.blue, chosen));
        }
    }
}
