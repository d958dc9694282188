#include "qt/screens/graph_plot_widget.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "app/screens/graph/graph_plot_view.h"
#include "qt/platform/qt_canvas.h"
#include "qt/window/gui_context.h"

namespace {

QString PointText(const QPointF& p) {
    return QString("%1,%2").arg(p.x(), 0, 'f', 2).arg(p.y(), 0, 'f', 2);
}

std::string Word(const char* prefix, const QString& points) {
    return prefix + points.toStdString();
}

}  // namespace

// The view itself: paints the model and turns mouse, wheel and touch into its gesture words.
class PlotCanvas : public QWidget {
  public:
    PlotCanvas(GraphPlotView& model, std::string resources, QWidget* parent)
        : QWidget(parent), m_model(model), m_resources(std::move(resources)) {
        setObjectName("plot");
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_AcceptTouchEvents);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setMinimumSize(200, 200);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QtCanvas canvas(&painter, m_resources);
        m_model.Draw(canvas);
    }
    void resizeEvent(QResizeEvent*) override {
        m_model.setViewSize(width(), height());
        if (auto* owner = dynamic_cast<GraphPlotWidget*>(parentWidget())) owner->placeOverlays();
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        m_model.tap(Word("touch_down:", PointText(e->position())));
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!(e->buttons() & Qt::LeftButton)) return;
        m_model.tap(Word("touch_move:", PointText(e->position())));
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) m_model.tap("touch_up");
    }
    void wheelEvent(QWheelEvent* e) override {
        // One notch is 120 eighths of a degree; a touchpad sends smaller steps that add up.
        m_wheel += e->angleDelta().y();
        const int notches = m_wheel / 120;
        if (notches == 0) return;
        m_wheel -= notches * 120;
        m_model.tap("wheel:" + std::to_string(notches));
    }
    bool event(QEvent* e) override {
        switch (e->type()) {
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate: {
                const auto* t = static_cast<QTouchEvent*>(e);
                QStringList points;
                for (const QEventPoint& p : t->points()) {
                    if (p.state() == QEventPoint::Released) continue;
                    points << PointText(p.position());
                    if (points.size() == 2) break;
                }
                if (points.isEmpty()) return true;
                // The model follows the fingers: one pans, two pinch, and a pinch that loses a finger does
                // not pan until the next touch.
                m_model.tap(
                    Word(e->type() == QEvent::TouchBegin ? "touch_down:" : "touch_move:", points.join(';')));
                return true;
            }
            case QEvent::TouchEnd:
            case QEvent::TouchCancel:
                m_model.tap("touch_up");
                return true;
            default:
                return QWidget::event(e);
        }
    }

  private:
    GraphPlotView& m_model;
    std::string m_resources;
    int m_wheel = 0;
};

GraphPlotWidget::GraphPlotWidget(GraphPlotView& model, GuiContext& context, QWidget* parent)
    : QWidget(parent), m_model(model) {
    setObjectName("graphPlot");
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_canvas = new PlotCanvas(model, context.resourceFolder(), this);
    layout->addWidget(m_canvas);

    // The buttons sit on the bar the view leaves under the plot.
    m_bar = new QWidget(m_canvas);
    m_bar->setObjectName("buttonBar");
    auto* bar = new QHBoxLayout(m_bar);
    bar->setContentsMargins(6, 8, 6, 8);
    bar->setSpacing(6);
    auto button = [&](const QString& text, const char* name, const char* element, const QString& tip) {
        auto* b = new QPushButton(text, m_bar);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumWidth(40);
        connect(b, &QPushButton::clicked, this, [this, element] { m_model.tap(element); });
        bar->addWidget(b);
        return b;
    };
    button(QString::fromUtf8("\u2212"), "zoom_out", "zoom_out", "Zoom out");
    button("+", "zoom_in", "zoom_in", "Zoom in");
    button("0,0", "goto00", "goto00", "Back to the origin");
    m_pointer = button(QString::fromUtf8("\u271b"), "pointer_mode", "pointer_mode",
                       "Crosshair: dragging moves the crosshair instead of the plot");
    m_pointer->setCheckable(true);
    button("Go to x", "goto", "goto", "Values of the functions at an x");

    m_goto = buildGoto();
    m_model.setChangeListener([this] { refresh(); });
    refresh();
}

GraphPlotWidget::~GraphPlotWidget() {
    m_model.setChangeListener(nullptr);
}

QFrame* GraphPlotWidget::buildGoto() {
    auto* panel = new QFrame(m_canvas);
    panel->setObjectName("gotoKeypad");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, QColor(236, 238, 246));
    p.setColor(QPalette::WindowText, QColor(20, 20, 30));
    panel->setPalette(p);
    auto* l = new QVBoxLayout(panel);
    l->addWidget(new QLabel("Go to x =", panel));
    m_gotoField = new QLabel(panel);
    m_gotoField->setObjectName("goto_x");
    m_gotoField->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_gotoField->setFrameShape(QFrame::Box);
    m_gotoField->setAutoFillBackground(true);
    QPalette fp = m_gotoField->palette();
    fp.setColor(QPalette::Window, Qt::white);
    m_gotoField->setPalette(fp);
    QFont f = m_gotoField->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    m_gotoField->setFont(f);
    m_gotoField->setMargin(4);
    l->addWidget(m_gotoField);
    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    // Digits as on a number pad, then the point, the sign and delete; Go and Cancel on the last row.
    static const int kRow[kGotoKeys] = {3, 2, 2, 2, 1, 1, 1, 0, 0, 0, 3, 3, 0, 4, 4};
    static const int kColumn[kGotoKeys] = {1, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 2, 3, 2, 0};
    static const int kSpan[kGotoKeys] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2};
    for (int i = 0; i < kGotoKeys; ++i) {
        auto* b = new QPushButton(panel);
        b->setObjectName(QString("gotoKey%1").arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumHeight(32);
        if (i == GraphPlotView::kGotoKeyDelete)
            b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        connect(b, &QPushButton::clicked, this, [this, i] { m_model.pressKeypad(i); });
        grid->addWidget(b, kRow[i], kColumn[i], i == GraphPlotView::kGotoKeyDelete ? 4 : 1, kSpan[i]);
        m_gotoKeys[static_cast<size_t>(i)] = b;
    }
    l->addLayout(grid);
    panel->hide();
    return panel;
}

QWidget* GraphPlotWidget::canvas() const {
    return m_canvas;
}

QPushButton* GraphPlotWidget::button(const QString& name) const {
    return m_bar->findChild<QPushButton*>(name);
}

void GraphPlotWidget::placeOverlays() {
    const int w = m_canvas->width(), h = m_canvas->height();
    m_bar->setGeometry(0, h - GraphPlotView::kButtonBarHeight, w, GraphPlotView::kButtonBarHeight);
    const QSize hint = m_goto->sizeHint();
    const int gw = std::min(w - 20, std::max(hint.width(), 240));
    const int gh = std::min(h - GraphPlotView::kButtonBarHeight - 10, hint.height());
    m_goto->setGeometry((w - gw) / 2, std::max(5, (h - GraphPlotView::kButtonBarHeight - gh) / 2), gw, gh);
}

void GraphPlotWidget::refresh() {
    const nlohmann::json d = m_model.describe();
    m_pointer->setChecked(d.value("pointer_mode", std::string("pan")) == "crosshair");
    const nlohmann::json& go = d["goto"];
    const nlohmann::json& keys = go["keys"];
    for (int i = 0; i < kGotoKeys && i < static_cast<int>(keys.size()); ++i)
        m_gotoKeys[static_cast<size_t>(i)]->setText(QString::fromStdString(keys[static_cast<size_t>(i)]));
    m_gotoField->setText(QString::fromStdString(go.value("field", std::string())));
    const bool open = go.value("open", false);
    if (open != m_goto->isVisible()) {
        placeOverlays();
        m_goto->setVisible(open);
        m_goto->raise();
    }
    for (QPushButton* b : m_bar->findChildren<QPushButton*>())
        b->setEnabled(d.value("shown", false) && !open);
    m_canvas->update();
}

void GraphPlotWidget::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    if (m_model.gotoKeypadOpen()) {
        int index = -1;
        if (key >= Qt::Key_0 && key <= Qt::Key_9) index = key - Qt::Key_0;
        if (key == Qt::Key_Period || key == Qt::Key_Comma) index = GraphPlotView::kGotoKeyDot;
        if (key == Qt::Key_Minus) index = GraphPlotView::kGotoKeySign;
        if (key == Qt::Key_Backspace) index = GraphPlotView::kGotoKeyDelete;
        if (key == Qt::Key_Return || key == Qt::Key_Enter) index = GraphPlotView::kGotoKeyGo;
        if (key == Qt::Key_Escape) index = GraphPlotView::kGotoKeyCancel;
        if (index >= 0) {
            m_model.pressKeypad(index);
            return;
        }
    } else if (key == Qt::Key_Plus || key == Qt::Key_Equal) {
        m_model.tap("zoom_in");
        return;
    } else if (key == Qt::Key_Minus) {
        m_model.tap("zoom_out");
        return;
    } else if (key == Qt::Key_G) {
        m_model.tap("goto");
        return;
    }
    e->ignore();
}

void GraphPlotWidget::showEvent(QShowEvent*) {
    setFocus(Qt::OtherFocusReason);
    placeOverlays();
}

void GraphPlotWidget::hideEvent(QHideEvent*) {
    if (hasFocus() && window()) window()->setFocus(Qt::OtherFocusReason);
}
